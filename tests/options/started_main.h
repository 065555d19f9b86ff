#pragma once

#include <string>
#include <vector>

#include "launcher/launch.h"
#include "support/main_fixture.h"

namespace vexmoor::testing {

// A roster file with these bots and these teams (teams without members), in
// the roster file's own format.
inline std::string rosterFile(const std::vector<std::string>& bots, const std::vector<std::string>& teams) {
    std::string bytes = "[bots]\r\n";
    for (const auto& name : bots) bytes += '"' + name + "\"\"rook/slate\" 3  3  3  0  0  0  40 \r\n";
    bytes += "[teams]\r\n";
    for (std::size_t i = 0; i < teams.size(); ++i)
        bytes += '"' + teams[i] + "\"\"T" + std::to_string(i + 1) + "\"\"wren/ember\"[]\r\n";
    return bytes + "[view weapons]\r\n";
}

// The settings file after its first line: line 2 (sixteen states), the flags
// total, line 4 (fourteen fields).
inline std::string settingsTail(const std::string& states, const std::string& total,
                                const std::string& server) {
    return states + "\r\n" + total + "\r\n" + server + "\r\n";
}

inline const std::string kDefaultStates = "1,0,0,1,1,1,0,0,1,0,0,0,1,0,0,0";
inline const std::string kDefaultServer = "0,0,\"20\",0,\"20\",0,\"8\",\"0\",\"1\",1,1,0,1,0";

// A main window on fakes after a normal start-up: a settings file, a roster
// with the bots and teams below, and whatever the test adds to `game` first.
struct StartedMain : MainFixture {
    std::vector<std::string> bots = {"Big Ed", "Tom"};
    std::vector<std::string> teams;
    std::string tail = kDefaultSettingsTail;

    VexmoorMain& start() {
        game.withRoster(rosterFile(bots, teams));
        writeSettings(tail);
        return startUp();
    }

    std::string commandLine() { return launchCommandLine(main()); }
    // The first two pieces of every command line.
    std::string head() const { return game.text() + "quake2.exe +set game eraser"; }
};

// The command line with every option at its start state.
inline std::string defaultCommandLine(const std::string& gameDirectory) {
    return gameDirectory +
           "quake2.exe +set game eraser +skill 0 +teamplay 0 +map q2dm1 +set bot_show_connect_info 1 "
           "+set bot_allow_client_commands 1 +set bot_auto_skill 1 +bot_num 1 +cmd lag 1 +set dmflags 0 "
           "+set view_weapons 0 +set cheats 0 +set bot_calc_nodes 1";
}

}  // namespace vexmoor::testing
