// vexmoor_editor_open_bench [benchmark options]
//
// How long the bot profile editor takes to come up on a roster of 1,000 bots:
// from the click on "Edit Bot Profiles" in the real program until the
// editor's window is shown, then Return to Main before the next round. The
// game directory and settings are generated in a temporary folder; the
// platform is offscreen unless QT_QPA_PLATFORM names another.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>

#include "launcher/vexmoor_main.h"
#include "roster/bot_config_form.h"
#include "support/fakes.h"
#include "support/game_directory.h"
#include "support/main_fixture.h"
#include "views/application.h"

namespace {

namespace fs = std::filesystem;
using vexmoor::testing::GameDirectoryBuilder;

QWidget* shownWindow(const char* name) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String(name) && widget->isVisible()) return widget;
    return nullptr;
}

void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

void OpenBotEditor(benchmark::State& state) {
    vexmoor::testing::TempDir temp;
    GameDirectoryBuilder game(temp.path() / "game");
    game.withEraserFolder()
        .withRoster(GameDirectoryBuilder::generatedRoster(static_cast<int>(state.range(0)), 8))
        .withMaps({"arena.bsp"})
        .withModel("rook", {"slate.pcx", "moss.pcx"})
        .withGame();
    const fs::path config = temp.path() / "config";
    fs::create_directories(config);
    vexmoor::testing::writeBytes(
        config / "vexmoor.ini",
        "\"" + game.text() + "\"\r\n" + vexmoor::testing::MainFixture::kDefaultSettingsTail);
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.string()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((temp.path() / "data").string()));

    vexmoor::Application application;
    application.start();
    vexmoor::VexmoorMain& main = application.model();
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        main.bots.BotEditButton.click();
        QWidget* view = shownWindow("BotConfigForm");
        while (view && !(view->windowHandle() && view->windowHandle()->isExposed()))
            QApplication::processEvents();
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        if (!view) {
            state.SkipWithError("the editor did not come up");
            break;
        }
        static_cast<vexmoor::BotConfigForm*>(main.editor())->ExitButton.click();
        settle();
    }
    state.counters["bots"] = static_cast<double>(main.roster().BotCount);
}

}  // namespace

BENCHMARK(OpenBotEditor)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int arguments = argc > 0 ? 1 : 0;
    QApplication app(arguments, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
