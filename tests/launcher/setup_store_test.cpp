// The folder of saved setups: which it offers for a game directory, in what
// order, and what loading, saving and deleting make of its files.
#include "launcher/setup_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "launcher/settings_file.h"
#include "support/fakes.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

struct Store {
    TempDir temp;
    SetupStore store{temp.path() / "vexmoor" / "setups"};
    std::string game = temp.text() + "game" + std::string(1, fs::path::preferred_separator);

    vexmoor::Setup setupFor(const std::string& directory, int cheats = 0) const {
        vexmoor::Setup setup;
        setup.gameDirectory = directory;
        setup.controls["AllowCheatsCheckBox"] = cheats;
        return setup;
    }
    void save(const std::string& name, const std::string& directory, int cheats = 0) const {
        const Status saved = store.save(name, setupFor(directory, cheats));
        ASSERT_TRUE(saved) << saved.error().describe();
    }
};

TEST(SetupStore, OffersTheGameDirectorysSetupsLastGameFirstThenByNameLetterCaseAside) {
    Store s;
    for (const char* name : {"rail duel", "Friday CTF", "Last game", "alpha", "Zo\xC3\xAB"})
        s.save(name, s.game);
    s.save("Other game", s.temp.text() + "elsewhere/");
    // What is no setup, or no setup's file name, is not offered.
    writeBytes(s.store.folder() / "broken.json", "{\"VexmoorSetup\": 1,");
    writeBytes(s.store.folder() / "foreign.json", "[1, 2]");
    writeBytes(s.store.folder() / "notes.txt", "Friday: CTF");
    writeBytes(s.store.folder() / "SHOUTED.JSON", setupFileBytes(s.setupFor(s.game)));
    writeBytes(s.store.folder() / ".hidden.json", setupFileBytes(s.setupFor(s.game)));
    EXPECT_EQ(s.store.names(s.game),
              (std::vector<std::string>{"Last game", "alpha", "Friday CTF", "rail duel", "Zo\xC3\xAB"}));
    EXPECT_EQ(s.store.names(s.temp.text() + "elsewhere/"), std::vector<std::string>{"Other game"});
    EXPECT_TRUE(SetupStore(s.temp.path() / "none").names(s.game).empty());
}

TEST(SetupStore, ASetupBelongsToItsGameDirectoryHoweverItIsWritten) {
    Store s;
    fs::create_directories(s.game);
    s.save("Friday", s.game);
    const std::string sameFolder = s.game + "." + std::string(1, fs::path::preferred_separator);
    EXPECT_TRUE(sameGameDirectory(s.game, sameFolder));
    EXPECT_EQ(s.store.names(sameFolder), std::vector<std::string>{"Friday"});
    // Another name for the folder, where the system makes links.
    std::error_code noLinks;
    fs::create_directory_symlink(s.game, s.temp.path() / "link", noLinks);
    if (!noLinks) {
        const std::string linked = s.temp.text() + "link" + std::string(1, fs::path::preferred_separator);
        EXPECT_EQ(s.store.names(linked), std::vector<std::string>{"Friday"});
    }
    EXPECT_FALSE(sameGameDirectory(s.game, s.temp.text()));
    EXPECT_FALSE(sameGameDirectory(s.game, ""));
}

TEST(SetupStore, LoadsOnlyTheGameDirectorysOwnSetupsAndTellsWhyNot) {
    Store s;
    s.save("Friday", s.game, 1);
    s.save("Duel", s.temp.text() + "elsewhere/");
    writeBytes(s.store.fileOf("Broken"), "not json");

    auto friday = s.store.load("Friday", s.game);
    ASSERT_TRUE(friday) << friday.error().describe();
    EXPECT_EQ(friday.value().setup, s.setupFor(s.game, 1));

    std::string other;
    const auto duel = s.store.load("Duel", s.game, &other);
    ASSERT_FALSE(duel);
    EXPECT_EQ(duel.error().reason, kNoSuchSetupReason);
    EXPECT_EQ(other, s.temp.text() + "elsewhere/");

    for (const char* missing : {"Nobody", "../vexmoor/setups/Friday", ""})
        EXPECT_EQ(s.store.load(missing, s.game).error().reason, kNoSuchSetupReason) << missing;

    const auto broken = s.store.load("Broken", s.game);
    ASSERT_FALSE(broken);
    EXPECT_EQ(broken.error().file, pathText(s.store.fileOf("Broken")));
    EXPECT_NE(broken.error().reason.find("not JSON"), std::string::npos);
}

TEST(SetupStore, SavesReplacesAndDeletesWholeFiles) {
    Store s;
    EXPECT_FALSE(s.store.exists("Friday"));
    s.save("Friday", s.game, 1);
    EXPECT_TRUE(s.store.exists("Friday"));
    EXPECT_EQ(readBytes(s.store.fileOf("Friday")), setupFileBytes(s.setupFor(s.game, 1)));
    s.save("Friday", s.game, 2);
    EXPECT_EQ(readBytes(s.store.fileOf("Friday")), setupFileBytes(s.setupFor(s.game, 2)));

    const Status refused = s.store.save("CON", s.setupFor(s.game));
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().reason.find("device"), std::string::npos);

    EXPECT_TRUE(s.store.remove("Friday"));
    EXPECT_FALSE(s.store.exists("Friday"));
    EXPECT_TRUE(s.store.remove("Friday")) << "a setup already gone";
}

TEST(SetupStore, AFolderThatCannotBeMadeIsToldWithTheFile) {
    Store s;
    writeBytes(s.temp.path() / "vexmoor", "a file where the folder would be");
    const Status saved = s.store.save("Friday", s.setupFor(s.game));
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().file, pathText(s.store.fileOf("Friday")));
    EXPECT_NE(saved.error().reason.find("folder cannot be made"), std::string::npos) << saved.error().reason;
}

TEST(SetupStore, AFileTooLargeForASetupIsNotRead) {
    Store s;
    fs::create_directories(s.store.folder());
    writeBytes(s.store.fileOf("Huge"), std::string(kLargestSetupFile + 1, ' '));
    const auto read = readSetupFile(s.store.fileOf("Huge"));
    ASSERT_FALSE(read);
    EXPECT_NE(read.error().reason.find("larger than any setup file"), std::string::npos);
}

TEST(SetupStore, TheStoredGameDirectoryIsTheSettingsFilesFirstField) {
    TempDir temp;
    writeBytes(temp.path() / "vexmoor.ini", "\"/games/q2/\"\r\n1,0,0\r\n");
    const auto directory = readStoredGameDirectory(temp.path() / "vexmoor.ini");
    ASSERT_TRUE(directory);
    EXPECT_EQ(directory.value(), "/games/q2/");
    EXPECT_EQ(readStoredGameDirectory(temp.path() / "none.ini").error().reason, kMissingFileReason);
}

}  // namespace
}  // namespace vexmoor::testing
