#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/paths.h"
#include "launcher/vexmoor_main.h"
#include "support/main_fixture.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

const std::string kComplete =
    "Changes to .ini file saved. Please restart Vexmoor if you have made changes to your path.";

// A started main window with a settings file and a roster, messages cleared.
struct SaveFixture : MainFixture {
    SaveFixture() {
        game.withRoster("[bots]\r\n[teams]\r\n[view weapons]\r\n");
        writeSettings();
        startUp();
        before = readBytes(settingsFile);
        dialogs.shown.clear();
    }
    void save() { main().preferences.SaveChangesButton.click(); }
    std::string lineOf(int number) const {
        const std::string bytes = readBytes(settingsFile);
        std::size_t start = 0;
        for (int i = 1; i < number; ++i) start = bytes.find("\r\n", start) + 2;
        return bytes.substr(start, bytes.find("\r\n", start) - start);
    }
    std::string before;
};

TEST(SaveSettings, RefusesADirectoryWithoutTheFinalSeparatorAndChangesNothing) {
#ifdef _WIN32
    const std::string directories[] = {"c:\\quake2", "", "c:/quake2/"};
#else
    const std::string directories[] = {"/games/quake2", "", "c:\\quake2\\"};
#endif
    for (const std::string& directory : directories) {
        SCOPED_TRACE(directory);
        SaveFixture f;
        f.main().maps.MapList.setSelectedIndex(3);
        f.main().preferences.ExePathText.setText(directory);

        f.save();

        ASSERT_EQ(f.dialogs.shown.size(), 1u);
        EXPECT_EQ(
            f.dialogs.shown[0].text,
            nativeSeparators("Last character of Quake 2 .exe path needs to be a \\. Changes not saved."));
        EXPECT_EQ(f.dialogs.shown[0].title, "vexmoor");
        EXPECT_EQ(readBytes(f.settingsFile), f.before);
        EXPECT_EQ(f.main().maps.MapList.selectedIndex(), 3);
        EXPECT_EQ(f.main().maps.MapFrame.fragment(), " +map q2dm4");
    }
}

TEST(SaveSettings, RefusesADoubleQuoteInAnyStoredTextAndWritesNothing) {
    const std::vector<std::function<void(VexmoorMain&, const std::string&)>> edits = {
        [](VexmoorMain& m, const std::string& dir) {
            m.preferences.ExePathText.setText(dir + "q\"2" + kPathSeparator);
        },
        [](VexmoorMain& m, const std::string&) { m.gameplay.TimeLimitText.setText("2\"0"); },
        [](VexmoorMain& m, const std::string&) { m.gameplay.BotFreeClientsText.setText("\""); },
    };
    for (const auto& edit : edits) {
        SaveFixture f;
        edit(f.main(), f.game.text());

        f.save();

        ASSERT_EQ(f.dialogs.shown.size(), 1u);
        EXPECT_NE(f.dialogs.shown[0].text.find("double quote"), std::string::npos);
        EXPECT_NE(f.dialogs.shown[0].text.find("Changes not saved."), std::string::npos);
        EXPECT_EQ(readBytes(f.settingsFile), f.before);
    }
}

TEST(SaveSettings, WithoutTheMapFolderWarnsThenSavesAnyway) {
    SaveFixture f;
    f.main().gameplay.TimeLimitText.setText("1,5");

    f.save();

    ASSERT_EQ(f.dialogs.shown.size(), 2u);
    EXPECT_EQ(
        f.dialogs.shown[0].text,
        nativeSeparators("[quakedir]\\baseq2\\maps path does not exist. Changes will be saved anyway."));
    EXPECT_EQ(f.dialogs.shown[0].title, "Map path error");
    EXPECT_EQ(f.dialogs.shown[0].icon, Icon::Exclamation);
    EXPECT_EQ(f.dialogs.shown[1].text, kComplete);
    EXPECT_EQ(f.dialogs.shown[1].title, "Complete");
    EXPECT_EQ(f.lineOf(4), "0,0,\"1,5\",0,\"20\",0,\"8\",\"0\",\"1\",1,1,0,1,0");
}

TEST(SaveSettings, StoresTheDirectoryTheStatesAndTheFlagsTotal) {
    SaveFixture f;
    f.game.withMaps({"alpha.bsp"});
    VexmoorMain& main = f.main();
    main.gameplay.WeaponsStayCheckBox.click();  // +4
    main.gameplay.AllowHealthCheckBox.click();  // unchecking an inverted flag: +1
    main.gameplay.CommandLineEditCheck.click();
    const TempDir other;
    fs::create_directories(other.path() / "baseq2" / "maps");
    main.preferences.ExePathText.setText(other.text());

    f.save();

    EXPECT_EQ(f.dialogs.texts(), std::vector<std::string>{kComplete});
    EXPECT_EQ(readBytes(f.settingsFile), "\"" + other.text() +
                                             "\"\r\n"
                                             "1,1,0,1,0,1,0,0,1,0,0,0,1,0,0,0\r\n"
                                             "5\r\n"
                                             "0,0,\"20\",0,\"20\",0,\"8\",\"0\",\"1\",1,1,0,1,1\r\n");
}

TEST(SaveSettings, ASettingsFileThatCannotBeWrittenIsReportedAndLeftAlone) {
#ifdef _WIN32
    // Windows writes into a folder marked read-only all the same.
    const bool cases[] = {false};
#else
    const bool cases[] = {false, true};
#endif
    for (const bool readOnlyFolder : cases) {
        SCOPED_TRACE(readOnlyFolder ? "read-only folder" : "read-only file");
        SaveFixture f;
        f.game.withMaps({"alpha.bsp"});
        makeReadOnly(readOnlyFolder ? f.settingsFile.parent_path() : f.settingsFile);
        f.main().gameplay.WeaponsStayCheckBox.click();

        f.save();

        ASSERT_EQ(f.dialogs.shown.size(), 1u);
        const Message& message = f.dialogs.shown[0];
        EXPECT_EQ(message.text.rfind("Changes were not saved.", 0), 0u) << message.text;
        EXPECT_NE(message.text.find(f.settingsFile.string() + ":"), std::string::npos) << message.text;
        EXPECT_EQ(message.title, "Settings not saved");
        EXPECT_EQ(message.icon, Icon::Critical);
        EXPECT_EQ(readBytes(f.settingsFile), f.before);
    }
}

TEST(SaveSettings, AfterARestartTheMapCtfAndBotChoicesAreBackAtTheirDefaults) {
    SaveFixture f;
    f.game.withMaps({"alpha.bsp"});
    VexmoorMain& main = f.main();
    main.maps.CTFMapOption.choose();
    main.maps.CTFList.setSelectedIndex(3);
    main.maps.ForceJoinCheckBox.click();
    main.bots.BotNumText.setText("7");
    main.bots.SpawnSpecificBotsOption.choose();
    main.gameplay.FixedFOVCheckBox.click();
    f.save();

    MainFixture restart;
    std::filesystem::copy_file(f.settingsFile, restart.settingsFile);
    VexmoorMain& again = restart.startUp();
    EXPECT_TRUE(again.maps.InternalMapOption.chosen());
    EXPECT_EQ(again.maps.MapFrame.fragment(), " +map q2dm1");
    EXPECT_EQ(again.maps.ForceJoinCheckBox.state(), 0);
    EXPECT_EQ(again.bots.BotNumText.text(), "1");
    EXPECT_TRUE(again.bots.SpawnRandomBotsOption.chosen());
    EXPECT_EQ(again.gameplay.FixedFOVCheckBox.state(), 1);
    // The total is stored as it stood, the CTF box's flag included, though
    // the box itself starts unchecked again.
    EXPECT_EQ(again.flags.total, main.flags.total);
    EXPECT_EQ(again.flags.total, 32768 + 131072);
}

struct MapTypeCase {
    const char* what;
    std::function<void(MapsPage&)> choose;
    std::string fragment;
};

TEST(SaveSettings, LeavesTheLaunchOnTheMapTheChosenTypeShows) {
    const std::vector<MapTypeCase> cases = {
        {"internal, a later map", [](MapsPage& m) { m.MapList.setSelectedIndex(5); }, " +map q2dm1"},
        {"internal, an external file selected before", [](MapsPage& m) { m.MapFile.setSelectedIndex(1); },
         " +map q2dm1"},
        {"CTF",
         [](MapsPage& m) {
             m.CTFMapOption.choose();
             m.CTFList.setSelectedIndex(2);
         },
         " +map q2ctf3"},
        {"external, the second file",
         [](MapsPage& m) {
             m.ExternalMapOption.choose();
             m.MapFile.setSelectedIndex(1);
         },
         " +map alpha"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SaveFixture f;
        f.game.withMaps({"beta.bsp", "alpha.bsp"});
        ASSERT_TRUE(f.main().maps.MapFile.setFolder(f.game.root() / "baseq2" / "maps"));
        c.choose(f.main().maps);

        f.save();

        EXPECT_EQ(f.dialogs.texts(), std::vector<std::string>{kComplete});
        EXPECT_EQ(f.main().maps.MapFrame.fragment(), c.fragment);
        EXPECT_EQ(f.main().maps.MapList.selectedIndex(), 0);
        EXPECT_EQ(f.main().maps.MapFile.selectedIndex(), 0);
    }
}

}  // namespace
}  // namespace vexmoor::testing
