#include "launcher/launch.h"

#include "core/file_io.h"
#include "core/number_text.h"
#include "core/paths.h"
#include "launcher/vexmoor_main.h"

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

void VexmoorMain::launch() {
    // A map the game cannot load leaves it at its console: the player decides.
    if (const auto question = maps.unloadableMapQuestion())
        if (services_.dialogs.show(Message{*question, kApplicationTitle, Icon::Exclamation, Buttons::YesNo,
                                           Answer::No}) != Answer::Yes)
            return;
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
