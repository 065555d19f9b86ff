#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "launcher/game_places.h"
#include "launcher/vexmoor_main.h"
#include "roster/roster.h"
#include "support/fakes.h"
#include "support/game_directory.h"

namespace vexmoor::testing {

class FakeDrives : public Drives {
public:
    std::vector<Drive> list() const override { return drives; }
    std::size_t startIndex() const override { return start; }
    std::vector<Drive> drives;
    std::size_t start = 0;
};

// Places to look for games that are all the test's own.
class FakeGamePlaces : public GamePlaces {
public:
    SystemFolders folders() const override { return given; }
    SystemFolders given;
};

// A main window on fakes, with a temporary folder holding a game directory
// ("game/"), the settings file ("config/vexmoor.ini") and the earlier
// versions ("data/versions/"). Nothing touches the user's real settings or data.
struct MainFixture {
    MainFixture();

    // A settings file pointing at the game directory; fields after the first
    // line can be replaced by passing the whole remaining text.
    void writeSettings(const std::string& afterFirstLine = kDefaultSettingsTail);
    // Builds the main window (if not yet built) and runs its start-up.
    VexmoorMain& startUp();
    VexmoorMain& main();

    static const std::string kDefaultSettingsTail;

    TempDir temp;
    GameDirectoryBuilder game;
    std::filesystem::path settingsFile;
    std::filesystem::path versionsFolder;
    FakeDialogs dialogs;
    FakeWindows windows;
    FakeAlert alert;
    FakeProcessStarter processes;
    FakeSettingsLocation settings;
    FakeDrives drives;
    // Where the chooser looks for games; by default nowhere.
    const GamePlaces* gamePlaces = nullptr;
    Roster roster;

private:
    std::unique_ptr<VexmoorMain> main_;
};

}  // namespace vexmoor::testing
