#include "support/main_fixture.h"

namespace vexmoor::testing {

const std::string MainFixture::kDefaultSettingsTail =
    "1,0,0,1,1,1,0,0,1,0,0,0,1,0,0,0\r\n0\r\n0,0,\"20\",0,\"20\",0,\"8\",\"0\",\"1\",1,1,0,1,0\r\n";

MainFixture::MainFixture()
    : game(temp.path() / "game"),
      settingsFile(temp.path() / "config" / "vexmoor.ini"),
      versionsFolder(temp.path() / "data" / "versions"),
      settings(settingsFile, versionsFolder) {
    std::filesystem::create_directories(settingsFile.parent_path());
    // Every map the pages offer is there to launch, as in a full installation.
    game.withMapArchive();
    drives.drives = {{"/", "/"}, {"home", temp.path()}};
    drives.start = 1;
}

void MainFixture::writeSettings(const std::string& afterFirstLine) {
    writeBytes(settingsFile, "\"" + game.text() + "\"\r\n" + afterFirstLine);
}

VexmoorMain& MainFixture::main() {
    if (!main_)
        main_ = std::make_unique<VexmoorMain>(
            Services{dialogs, windows, alert, processes, settings, drives, gamePlaces}, roster);
    return *main_;
}

VexmoorMain& MainFixture::startUp() {
    main().startUp();
    return *main_;
}

}  // namespace vexmoor::testing
