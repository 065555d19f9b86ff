#include "launcher/launch.h"

#include <algorithm>
#include <cctype>

#include "core/number_text.h"
#include "core/paths.h"
#include "core/ports.h"
#include "launcher/vexmoor_main.h"
#include "roster/roster_file.h"

namespace vexmoor {

std::string launcherCfgBytes(const VexmoorMain& main) {
    std::string bytes;
    const ListBox& specific = main.bots.SpecificBotList;
    if (specific.count() > 0 && main.bots.SpawnSpecificBotsOption.chosen()) {
        bytes = "sv bots";
        for (std::string name : specific.selectedItems()) {
            for (char& c : name)
                if (c == ' ') c = '~';
            bytes += ' ' + name;
        }
        bytes += "\r\n";
    }
    const ListBox& botTeams = main.teamplay.BotTeamList;
    if (botTeams.count() > 0) {
        bytes = "cmd join " + main.teamplay.YourTeamList.selectedText() + "\r\n";
        bytes += "sv teams";
        for (const std::string& team : botTeams.selectedItems()) bytes += ' ' + team;
        bytes += "\r\n";
    }
    return bytes;
}

std::string launchCommandLine(const VexmoorMain& main) {
    const auto& g = main.gameplay;
    std::string line = main.gameDirectory() + "quake2.exe +set game eraser";
    if (main.teamplay.TeamplayCheckBox.state() == 1)
        line += " +set players_per_team " + main.teamplay.PlayersPerTeamText.text();
    line += main.bots.BotSkillFrame.fragment();
    line += main.teamplay.TeamplayFrame.fragment();
    line += main.maps.MapFrame.fragment();
    line += g.BotConnectInfoCheckBox.fragment();
    line += g.ClientCommandsCheckBox.fragment();
    line += main.bots.BotAutoskillCheck.fragment();
    line += main.bots.BotNumberFrame.fragment();
    line += " +cmd lag " + g.ClientLatencyText.text();
    // Set, not a command: the engine sets "+set" variables before the map
    // loads, and the game takes out items by the flags while the map spawns
    // them, so flags given as a command would miss the first map.
    line += " +set dmflags" + numberText(main.flags.total);
    line += g.ViewableWeaponsCheckBox.fragment();
    line += g.AllowCheatsCheckBox.fragment();
    line += g.BotCalcNodesCheck.fragment();
    line += main.bots.SpawnSpecificBotsFrame.fragment();
    line += g.TimelimitCheckBox.fragment();
    line += g.FraglimitCheckBox.fragment();
    line += g.DedicatedCheckBox.fragment();
    return line;
}

namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The chosen names that none of the names held matches, as the game compares them.
template <class Names>
std::vector<std::string> notAmong(const std::vector<std::string>& chosen, const Names& held, std::size_t heldCount) {
    std::vector<std::string> missing;
    heldCount = std::min(heldCount, held.size());
    for (const std::string& name : chosen)
        if (std::none_of(held.begin(), held.begin() + static_cast<std::ptrdiff_t>(heldCount),
                         [&name](std::string_view h) { return sameIgnoringCase(name, h); }))
            missing.push_back(name);
    return missing;
}

// "Bracken, Moss", the first few of a long list and how many more.
std::string nameLine(const std::vector<std::string>& names) {
    constexpr std::size_t kShown = 10;
    std::string line;
    for (std::size_t i = 0; i < names.size() && i < kShown; ++i) line += (i == 0 ? "" : ", ") + names[i];
    if (names.size() > kShown) line += " and " + std::to_string(names.size() - kShown) + " more";
    return line;
}

}  // namespace

// The game reads the bots and teams launcher.cfg names from bots.cfg as it
// stands: one added in an editor and not written would be unknown to it.
bool VexmoorMain::gameFindsTheChosen() {
    const bool botsLine = bots.SpawnSpecificBotsOption.chosen() && bots.SpecificBotList.count() > 0 &&
                          teamplay.BotTeamList.count() == 0;
    const std::vector<std::string> chosenBots = botsLine ? bots.SpecificBotList.selectedItems() : std::vector<std::string>{};
    const std::vector<std::string> chosenTeams = teamplay.BotTeamList.selectedItems();
    if (chosenBots.empty() && chosenTeams.empty()) return true;
    // A file that cannot be read says nothing of what the game will find;
    // the launch goes on and tells of the game directory's own fault.
    Roster held;
    if (!readRosterAsHeld(rosterPath(gameDirectory()), held)) return true;
    const auto count = [](std::int16_t n) { return static_cast<std::size_t>(std::max<int>(n, 0)); };
    const std::vector<std::string> missingBots = notAmong(chosenBots, held.BotNames, count(held.BotCount));
    const std::vector<std::string> missingTeams = notAmong(chosenTeams, held.TeamNames, count(held.TeamCount));
    if (missingBots.empty() && missingTeams.empty()) return true;

    std::string text = nativeSeparators("eraser\\bots.cfg") + ", as the game will read it, does not hold:\r\n\r\n";
    if (!missingBots.empty()) text += (missingBots.size() == 1 ? "bot: " : "bots: ") + nameLine(missingBots) + "\r\n";
    if (!missingTeams.empty())
        text += (missingTeams.size() == 1 ? "bot team: " : "bot teams: ") + nameLine(missingTeams) + "\r\n";
    text += "\r\nWrite the roster and launch?";
    switch (services_.dialogs.show(
        Message{text, kApplicationTitle, Icon::Exclamation, Buttons::WriteLaunchCancel, Answer::Write})) {
        case Answer::Write:
            return writeRosterForLaunch();
        case Answer::WithoutWriting:
            return true;
        default:
            return false;
    }
}

// The roster as the editors leave it in memory, written as the team editor writes it.
bool VexmoorMain::writeRosterForLaunch() {
    if (!rosterIsTheOneRead()) return false;
    const std::filesystem::path file = rosterPath(gameDirectory());
    if (!rewrites_->mayRewrite(KeptFile::Roster, file, "Launch!")) return false;
    if (!WriteRoster(file, roster_, ModelSkinSource::AsRead, services_.dialogs)) return false;
    rewrites_->remember(file, rosterFileBytes(roster_, ModelSkinSource::AsRead));
    return true;
}

void VexmoorMain::launch() {
    // A map the game cannot load leaves it at its console: the player decides.
    if (const auto question = maps.unloadableMapQuestion())
        if (services_.dialogs.show(Message{*question, kApplicationTitle, Icon::Exclamation, Buttons::YesNo,
                                           Answer::No}) != Answer::Yes)
            return;
    if (!gameFindsTheChosen()) return;
    const std::filesystem::path script = gamePath(gameDirectory(), "eraser\\launcher.cfg");
    if (const Status written = writeWholeFile(script, launcherCfgBytes(*this)); !written) {
        services_.dialogs.show(Message{"The game was not started: the bot list for the game could not be "
                                       "written.\r\n\r\n" +
                                           written.error().describe(),
                                       kApplicationTitle, Icon::Critical, Buttons::Ok});
        return;
    }
    const std::string commandLine = launchCommandLine(*this);
    if (gameplay.CommandLineEditCheck.state() == 1) {
        cmdLineForm_ = std::make_unique<CmdLineForm>([this](const std::string& text) { goFromReview(text); },
                                                     [this] { returnFromReview(); });
        cmdLineForm_->CommandLineText.setText(commandLine);
        openSideWindow(services_.windows, *this, *cmdLineForm_);
        return;
    }
    if (!startGame(commandLine)) return;
    if (gameplay.CloseOnExitCheckBox.state() == 1 && gameplay.CommandLineEditCheck.state() == 0)
        services_.windows.quit();
}

void VexmoorMain::goFromReview(const std::string& commandLine) {
    closeSideWindow(services_.windows, *this, *cmdLineForm_);
    // Close-on-exit waits until the game has really started: a failed start
    // leaves the launcher open to mend the command line.
    if (startGame(commandLine) && gameplay.CloseOnExitCheckBox.state() != 0) services_.windows.quit();
}

void VexmoorMain::returnFromReview() { closeSideWindow(services_.windows, *this, *cmdLineForm_); }

bool VexmoorMain::startGame(const std::string& commandLine) {
    const std::string program = gameDirectory() + "quake2.exe";
    const auto failure = services_.processes.start(commandLine, pathFromText(gameDirectory()), program);
    if (!failure) {
        setups.gameStarted();
        return true;
    }
    services_.dialogs.show(Message{"The game could not be started.\r\n\r\n" + *failure, kApplicationTitle,
                                   Icon::Critical, Buttons::Ok});
    return false;
}

}  // namespace vexmoor
