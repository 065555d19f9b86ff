#include "launcher/game_setups.h"

#include "launcher/setup_apply.h"
#include "launcher/setups_form.h"
#include "launcher/vexmoor_main.h"

namespace vexmoor {

GameSetups::GameSetups(VexmoorMain& main) : main_(main) {
    main_.SetupsMenu.onClick([this] { open(); });
}

GameSetups::~GameSetups() = default;

SetupStore GameSetups::store() const { return SetupStore(main_.services().settings.setupsFolder()); }

std::function<std::string(const std::string&)> GameSetups::mapTitles() const {
    return [this](const std::string& map) { return main_.maps.mapFiles.title(map); };
}

RecentGames GameSetups::recent() const {
    return RecentGames(recentGamesFolder(main_.services().settings.setupsFolder()));
}

Status GameSetups::save(const std::string& name) const { return store().save(name, captureSetup(main_)); }

void GameSetups::open() {
    form_ = std::make_unique<SetupsForm>(*this, main_.services().dialogs, main_.gameDirectory(),
                                         [this] { close(); });
    open_ = true;
    openSideWindow(main_.services().windows, main_, *form_);
}

void GameSetups::close() {
    if (!form_ || !open_) return;
    open_ = false;
    closeSideWindow(main_.services().windows, main_, *form_);
    changed();
}

void GameSetups::gameStarted() {
    const Setup game = captureSetup(main_);
    if (const Status saved = store().save(kLastGameSetup, game); !saved)
        main_.services().dialogs.show(
            Message{std::string("The game was started, but it could not be kept as the "
                                "setup \"") +
                        kLastGameSetup + "\".\r\n\r\n" + saved.error().describe(),
                    kApplicationTitle, Icon::Exclamation, Buttons::Ok});
    else if (const Status kept = recent().keep(game, std::time(nullptr)); !kept)
        main_.services().dialogs.show(
            Message{"The game was started, but it could not be kept among the recent games.\r\n\r\n" +
                        kept.error().describe(),
                    kApplicationTitle, Icon::Exclamation, Buttons::Ok});
    changed();
}

std::optional<std::vector<std::string>> GameSetups::apply(const std::string& name) {
    return applyRead(store().load(name, main_.gameDirectory()), name);
}

std::optional<std::vector<std::string>> GameSetups::applyFile(const std::filesystem::path& file,
                                                               const std::string& name) {
    return applyRead(readSetupFile(file), name);
}

std::optional<std::vector<std::string>> GameSetups::applyRead(Result<SetupRead> read, const std::string& name) {
    if (!read) {
        const Error& error = read.error();
        const std::string why =
            error.reason == kNoSuchSetupReason
                ? "There is no setup \"" + name + "\" for the game in " + main_.gameDirectory() + "."
                : error.describe();
        main_.services().dialogs.show(Message{"The setup \"" + name + "\" cannot be loaded.\r\n\r\n" + why,
                                              kApplicationTitle, Icon::Exclamation, Buttons::Ok});
        return std::nullopt;
    }
    // The game comes back on the main window, where the player sees it.
    close();
    std::vector<std::string> missed = std::move(read.value().skipped);
    for (std::string& sentence : applySetup(read.value().setup, main_)) missed.push_back(std::move(sentence));
    return missed;
}

void GameSetups::finish(const std::string& name, const std::vector<std::string>& missed, bool launch) {
    if (missed.empty()) {
        if (launch) main_.LaunchButton.click();
        return;
    }
    std::string text = "Not all of the setup \"" + name + "\" could be loaded; everything else is.\r\n";
    for (const std::string& sentence : missed) text += "\r\n- " + sentence;
    if (launch) text += "\r\n\r\nThe game was not started, so that you can look at the setup first.";
    main_.services().dialogs.show(Message{text, "Setup partly loaded", Icon::Exclamation, Buttons::Ok});
}

void GameSetups::load(const std::string& name, bool launch) {
    if (const auto missed = apply(name)) finish(name, *missed, launch);
}

}  // namespace vexmoor
