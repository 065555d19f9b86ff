// Starting with a setup: what the command line asks for, and the whole
// program started with --setup and --launch on a game directory whose
// stand-in quake2.exe writes down how it was started. --list-setups and
// --find-games run without any display.
#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <QProcess>
#include <QRadioButton>
#include <QTest>

#include "core/ports.h"
#include "launcher/launch.h"
#include "launcher/setup_apply.h"
#include "support/library_list.h"
#include "support/main_fixture.h"
#include "support/program_folders.h"
#include "views/application.h"
#include "views/main_window.h"
#include "views/start_options.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

// A game directory with its roster, the settings pointing at it in a
// configuration folder of the test's own, and setups saved there, where the
// program itself finds them.
class SetupStart : public ::testing::Test, public MainFixture {
protected:
    SetupStart() {
        game.withEraserFolder()
            .withRoster(GameDirectoryBuilder::generatedRoster(5, 3))
            .withMaps({"alpha.bsp", "beta.bsp"})
            .withGame();
        writeSettings();
    }

    void SetUp() override {
        if (const auto why = ProgramFolders::unavailable()) GTEST_SKIP() << *why;
    }

    // A CTF game against two named bots, with cheats, saved under these names.
    vexmoor::Setup save(std::initializer_list<const char*> names, bool closeOnExit = false) {
        VexmoorMain& m = startUp();
        m.maps.CTFMapOption.choose();
        m.maps.CTFList.setSelectedIndex(2);
        m.maps.ForceJoinCheckBox.click();
        m.gameplay.AllowCheatsCheckBox.click();
        m.bots.SpawnSpecificBotsOption.choose();
        m.bots.SpecificBotList.setSelected(1, true);
        m.bots.SpecificBotList.setSelected(3, true);
        if (closeOnExit) m.gameplay.CloseOnExitCheckBox.click();
        for (const char* name : names) EXPECT_TRUE(m.setups.save(name));
        setupCommandLine = launchCommandLine(m);
        return captureSetup(m);
    }

    CommandLineRequest request(const QStringList& options) {
        return readCommandLine(QStringList{QStringLiteral("vexmoor")} + options, settings, places);
    }

    // Runs the program itself; its exit status, with what it printed.
    struct Run {
        int status = -1;
        std::string out, err;
    };
    Run run(const QStringList& options, bool display) {
        QProcess program;
        folders.useSettings(settingsFile);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        if (display) environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(VEXMOOR_PROGRAM), options);
        // A program that does not end is killed with its QProcess.
        EXPECT_TRUE(program.waitForFinished(30000)) << "the program did not end";
        // Windows' console output ends its lines with CR LF.
        const auto lines = [](QByteArray text) { return text.replace("\r\n", "\n").toStdString(); };
        return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
                lines(program.readAllStandardOutput()), lines(program.readAllStandardError())};
    }

    // The program itself finds the settings and setups of the fixture.
    const ProgramFolders folders{temp.path()};
    const SetupStore store{settings.setupsFolder()};
    FakeGamePlaces places;
    std::string setupCommandLine;
};

// What the command line asks for, or why it cannot be followed. Options the
// program does not know are ignored, as they always were.
TEST_F(SetupStart, TheCommandLineNamesTheSetupToStartWithOrTellsWhyItCannot) {
    save({"Friday CTF", "Last game"});
    const vexmoor::Setup other{temp.text() + "other/", {}, {}, {}};
    ASSERT_TRUE(store.save("Tuesday", other));
    writeBytes(store.fileOf("Broken"), "{\"VexmoorSetup\": 1, \"GameDirectory\": ");

    struct Case {
        QStringList options;
        std::optional<int> status;
        std::string errors;  // how they begin
        std::optional<std::string> setup = {};
        bool launch = false;
    };
    const Case cases[] = {
        {{}, {}, ""},
        {{"-xyz", "--setup", "Friday CTF", "--old=1"}, {}, "", "Friday CTF"},
        {{"--launch", "--setup=Friday CTF"}, {}, "", "Friday CTF", true},
        {{"--setup", "Tuesday"},
         kUsageStatus,
         "vexmoor: there is no setup \"Tuesday\" for the game in " + game.text() +
             " (the setup of that name is for the game in " + other.gameDirectory +
             "); its setups are:\nLast game\nFriday CTF\n"},
        // A name that leads out of the setups folder names no setup.
        {{"--setup", "../setups/Friday CTF"},
         kUsageStatus,
         "vexmoor: there is no setup \"../setups/Friday CTF\" for the game in " + game.text() + ";"},
        {{"--setup"},
         kUsageStatus,
         "vexmoor: Missing value after '--setup'. (vexmoor --help lists the options)\n"},
        {{"--launch"}, kUsageStatus, "vexmoor: --launch needs --setup NAME: the setup to launch\n"},
        {{"--setup", "Broken"},
         kFailureStatus,
         "vexmoor: the setup \"Broken\" cannot be loaded: " + pathText(store.fileOf("Broken")) +
             ": it is not JSON text"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        const CommandLineRequest asked = request(c.options);
        EXPECT_EQ(asked.exitStatus, c.status);
        EXPECT_EQ(asked.errors.substr(0, c.errors.size()), c.errors);
        EXPECT_EQ(asked.errors.empty(), c.errors.empty());
        EXPECT_TRUE(asked.output.empty());
        EXPECT_EQ(asked.start.setup, c.setup);
        EXPECT_EQ(asked.start.launch, c.launch);
    }

    const CommandLineRequest help = request({"--help"});
    EXPECT_EQ(help.exitStatus, 0);
    for (const char* option : {"--setup <name>", "--launch", "--list-setups", "--version"})
        EXPECT_NE(help.output.find(option), std::string::npos) << option;
    fs::remove(settings.settingsFile());
    const CommandLineRequest unset = request({"--list-setups"});
    EXPECT_EQ(unset.exitStatus, kFailureStatus);
    EXPECT_EQ(unset.errors, "vexmoor: no game directory is chosen yet (there is no settings file " +
                                pathText(settings.settingsFile()) +
                                "); start Vexmoor without options to choose it\n");
}

// The program itself: --list-setups and an unknown name need no display.
// The desktop's "Play Last Game" comes up with the setup, launches it as
// Launch! would, and ends as its close-on-exit says.
TEST_F(SetupStart, ListSetupsNeedsNoDisplayAndSetupWithLaunchStartsTheSavedGameAndClosesOnExit) {
    save({"Rail duel", "Last game"}, true);
    const Run listed = run({"--list-setups"}, false);
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out, "Last game\nRail duel\n");
    EXPECT_EQ(listed.err, "");
    const Run unknown = run({"--setup", "Nobody", "--launch"}, false);
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err, "vexmoor: there is no setup \"Nobody\" for the game in " + game.text() +
                               "; its setups are:\nLast game\nRail duel\n");
    EXPECT_TRUE(game.recordedStarts().empty());

    const Run played = run({"--setup", "Last game", "--launch"}, true);
    EXPECT_EQ(played.status, 0) << played.err;
    ASSERT_TRUE(QTest::qWaitFor([this] { return !game.recordedStarts().empty(); }, 10000));
    const auto starts = game.recordedStarts();
    ASSERT_EQ(starts.size(), 1u);
    // The game gets the saved game's command line, split into its words,
    // in its own directory.
    std::vector<std::string> expected{fs::canonical(game.root()).string()};
    std::istringstream words(setupCommandLine.substr(game.text().size() + std::string("quake2.exe").size()));
    for (std::string word; words >> word;) expected.push_back(word);
    EXPECT_EQ(starts[0], expected);
    EXPECT_EQ(readBytes(game.root() / "eraser" / "launcher.cfg"), "sv bots Bot~0002 Bot~0004\r\n");
}

// Without --launch the window comes up with the setup loaded and starts nothing.
TEST_F(SetupStart, SetupAloneShowsTheWindowWithTheSetupLoaded) {
    const vexmoor::Setup saved = save({"Friday CTF"});
    folders.useSettings(settingsFile);
    Application app;
    app.start(request({"--setup", "Friday CTF"}).start);
    MainWindow& window = app.mainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.buildEveryPage();
    EXPECT_TRUE(window.findChild<QRadioButton*>("CTFMapOption")->isChecked());
    EXPECT_EQ(captureSetup(app.model()), saved);
    EXPECT_TRUE(window.isEnabled());
    QTest::qWait(100);
    EXPECT_TRUE(game.recordedStarts().empty());
    EXPECT_FALSE(store.exists(kLastGameSetup));
}

// --find-games: the game directories Vexmoor can use on standard output,
// one a line, for scripts; what it could not use on standard error. The
// program itself searches the home folder it is given, with no display.
TEST_F(SetupStart, FindGamesPrintsTheGameDirectoriesOneALine) {
    // The home folder the program itself is given by the test's folders.
    fs::create_directories(temp.path() / "home");
    const fs::path home = fs::canonical(temp.path() / "home");
    GameDirectoryBuilder found(home / "Games" / "Quake 2");
    found.withEraserFolder().withGame();
    GameDirectoryBuilder plain(home / "Games" / "Quake 2 plain");
    plain.withGame();
    const fs::path steam = home / ".local" / "share" / "Steam";
    writeBytes(steam / "steamapps" / "libraryfolders.vdf", "\"libraryfolders\" {");
    places.given.home = home;

    const CommandLineRequest asked = request({"--find-games"});
    EXPECT_EQ(asked.exitStatus, 0);
    EXPECT_EQ(asked.output, found.text() + "\n");
    EXPECT_EQ(asked.errors, "vexmoor: " + plain.text() +
                                ": no eraser folder: install the bot modification here first\n"
                                "vexmoor: Steam's library list is not used: " +
                                pathText(steam / "steamapps" / "libraryfolders.vdf") +
                                ", line 1: the block that opens here is never closed\n");
    EXPECT_NE(request({"--help"}).output.find("--find-games"), std::string::npos);

#ifndef _WIN32
    // Windows finds Steam through its registry, not the home folder.
    writeBytes(steam / "steamapps" / "libraryfolders.vdf", libraryListText({pathText(steam)}));
    const Run printed = run({"--find-games"}, false);
    EXPECT_EQ(printed.status, 0) << printed.err;
    EXPECT_EQ(printed.out.rfind(found.text() + "\n", 0), 0u) << printed.out;
#endif
}

}  // namespace
}  // namespace vexmoor::testing
