#include "views/application.h"

#include <QApplication>
#include <QPointer>

#include "launcher/editors.h"
#include "views/about_view.h"
#include "views/bot_config_view.h"
#include "views/browse_view.h"
#include "views/chat_edit_view.h"
#include "views/chat_text_edit_view.h"
#include "views/cmd_line_view.h"
#include "views/edit_team_view.h"
#include "views/main_window.h"
#include "views/map_cycle_edit_view.h"
#include "views/new_bot_view.h"
#include "views/setups_view.h"
#include "views/versions_view.h"

namespace vexmoor {

Application::Application()
    : main_(std::make_unique<VexmoorMain>(
          Services{dialogs_, windows_, alert_, processes_, settings_, drives_, &gamePlaces_}, roster_)) {
    registerEditors(*main_);
    registerViews();
}

Application::~Application() {
    // A home read still running uses the model: it ends first. (The members
    // would wait for it only after the body below has let the model go.)
    homeReader_.waitForDone();
    // Views before the models they show.
    windows_.deleteViews();
    mainWindow_.reset();
    main_.reset();
}

void registerSideWindowViews(QtWindows& windows, Dialogs& dialogs) {
    windows.registerView("BrowseForm", [](WindowModel& model) -> QWidget* {
        return new BrowseView(static_cast<BrowseForm&>(model));
    });
    windows.registerView("CmdLineForm", [&dialogs](WindowModel& model) -> QWidget* {
        return new CmdLineView(static_cast<CmdLineForm&>(model), dialogs);
    });
    windows.registerView("AboutForm", [](WindowModel& model) -> QWidget* {
        return new AboutView(static_cast<AboutForm&>(model));
    });
    windows.registerView("EditTeamForm", [&dialogs](WindowModel& model) -> QWidget* {
        return new EditTeamView(static_cast<EditTeamForm&>(model), dialogs);
    });
    windows.registerView("BotConfigForm", [&dialogs](WindowModel& model) -> QWidget* {
        return new BotConfigView(static_cast<BotConfigForm&>(model), dialogs);
    });
    windows.registerView("NewBotName", [&dialogs](WindowModel& model) -> QWidget* {
        return new NewBotView(static_cast<NewBotName&>(model), dialogs);
    });
    windows.registerView("ChatEditForm", [](WindowModel& model) -> QWidget* {
        return new ChatEditView(static_cast<ChatEditForm&>(model));
    });
    windows.registerView("ChatTextEditForm", [&dialogs](WindowModel& model) -> QWidget* {
        return new ChatTextEditView(static_cast<ChatTextEditForm&>(model), dialogs);
    });
    windows.registerView("MapCycleEditForm", [&dialogs](WindowModel& model) -> QWidget* {
        return new MapCycleEditView(static_cast<MapCycleEditForm&>(model), dialogs);
    });
    windows.registerView("SetupsForm", [&dialogs](WindowModel& model) -> QWidget* {
        return new SetupsView(static_cast<SetupsForm&>(model), dialogs);
    });
    windows.registerView("VersionsForm", [](WindowModel& model) -> QWidget* {
        return new VersionsView(static_cast<VersionsForm&>(model));
    });
}

void Application::registerViews() { registerSideWindowViews(windows_, dialogs_); }

void Application::start(const StartOptions& options) {
    // The settings are read before the view exists, so the window is built
    // from the state they leave rather than redrawn for every field. The
    // game directory's files are read meanwhile, and their lists filled in
    // before the window is shown.
    main_->beginStartUp();
    mainWindow_ = std::make_unique<MainWindow>(*main_);
    main_->finishStartUp();
    // A setup asked for names bots and maps, so it waits for them.
    std::optional<std::vector<std::string>> missed;
    if (options.setup && main_->visible()) missed = main_->setups.apply(*options.setup);
    windows_.setMainWindow(*main_, mainWindow_.get());
    if (main_->visible()) {
        mainWindow_->show();
        // The home's games and setups are read once the window is up, on a
        // thread of their own, and listed when they are read.
        QPointer<MainWindow> window(mainWindow_.get());
        homeReader_.start([this, window, directory = main_->gameDirectory(), shows = main_->home.shows()] {
            HomePage::Contents contents = main_->home.read(directory);
            QMetaObject::invokeMethod(
                window.data(),
                [this, window, shows, contents = std::move(contents)]() mutable {
                    // Listed meanwhile (a game started, another game directory): that is newer.
                    if (window && main_->home.shows() == shows) main_->home.show(std::move(contents));
                },
                Qt::QueuedConnection);
        });
    }
    if (missed) main_->setups.finish(*options.setup, *missed, options.launch);
}

int Application::run(const StartOptions& options) {
    start(options);
    return QApplication::exec();
}

}  // namespace vexmoor
