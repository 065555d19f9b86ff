// Starting with a setup: what the command line asks for, and the whole
// program started with --setup and --launch on a game directory whose
// stand-in quake2.exe writes down how it was started. --list-setups runs
// without any display.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QProcess>
#include <QRadioButton>
#include <QTest>

#include "core/file_io.h"
#include "launcher/launch.h"
#include "launcher/setup_apply.h"
#include "launcher/setup_store.h"
#include "launcher/vexmoor_main.h"
#include "support/fakes.h"
#include "support/game_directory.h"
#include "support/main_fixture.h"
#include "view_fixture.h"
#include "views/application.h"
#include "views/main_window.h"
#include "views/start_options.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for the life of a test.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (qEnvironmentVariableIsSet(name)) old_ = qgetenv(name);
        qputenv(name, QByteArray::fromStdString(value));
    }
    ~ScopedEnv() {
        if (old_)
            qputenv(name_, *old_);
        else
            qunsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<QByteArray> old_;
};

// A game directory with its roster, the settings pointing at it in a
// configuration folder of the test's own, and setups saved there.
class SetupStart : public ::testing::Test {
protected:
    SetupStart()
        : game(temp.path() / "Quake II"),
          config(temp.path() / "config"),
          settings(config / "vexmoor.ini"),
          store(settings.setupsFolder()) {
        game.withEraserFolder()
            .withRoster(GameDirectoryBuilder::generatedRoster(5, 3))
            .withMaps({"alpha.bsp", "beta.bsp"})
            .withGame();
        fs::create_directories(config);
        fs::create_directories(temp.path() / "home");
        writeBytes(settings.settingsFile(),
                   "\"" + game.text() + "\"\r\n" + MainFixture::kDefaultSettingsTail);
    }

    // A CTF game against two named bots, with cheats, saved under a name.
    vexmoor::Setup save(const std::string& name, bool closeOnExit = false) {
        FakeDialogs dialogs;
        FakeWindows windows;
        FakeAlert alert;
        FakeProcessStarter processes;
        FakeDrives drives;
        Roster roster;
        VexmoorMain m(Services{dialogs, windows, alert, processes, settings, drives}, roster);
        m.startUp();
        m.maps.CTFMapOption.choose();
        m.maps.CTFList.setSelectedIndex(2);
        m.maps.ForceJoinCheckBox.click();
        m.gameplay.AllowCheatsCheckBox.click();
        m.bots.SpawnSpecificBotsOption.choose();
        m.bots.SpecificBotList.setSelected(1, true);
        m.bots.SpecificBotList.setSelected(3, true);
        if (closeOnExit) m.gameplay.CloseOnExitCheckBox.click();
        EXPECT_TRUE(m.setups.save(name));
        setupCommandLine = launchCommandLine(m);
        return captureSetup(m);
    }

    CommandLineRequest request(const QStringList& options) {
        return readCommandLine(QStringList{QStringLiteral("vexmoor")} + options, settings);
    }

    // Runs the program itself; its exit status, with what it printed.
    struct Run {
        int status = -1;
        std::string out, err;
    };
    Run run(const QStringList& options, bool display) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(config.string()));
        environment.insert(QStringLiteral("HOME"), QString::fromStdString((temp.path() / "home").string()));
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        if (display) environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(VEXMOOR_PROGRAM), options);
        Run result;
        if (!program.waitForFinished(30000)) {
            program.kill();
            program.waitForFinished();
            ADD_FAILURE() << "the program did not end";
            return result;
        }
        result.status = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
        result.out = program.readAllStandardOutput().toStdString();
        result.err = program.readAllStandardError().toStdString();
        return result;
    }

    TempDir temp;
    GameDirectoryBuilder game;
    fs::path config;
    FakeSettingsLocation settings;
    SetupStore store;
    std::string setupCommandLine;
};

TEST_F(SetupStart, TheCommandLineNamesTheSetupToStartWithAndWhetherToLaunchIt) {
    save("Friday CTF");
    const CommandLineRequest plain = request({});
    EXPECT_FALSE(plain.exitStatus);
    EXPECT_FALSE(plain.start.setup);
    EXPECT_FALSE(request({"--some-old-option"}).exitStatus) << "unknown options are ignored, as they were";
    EXPECT_EQ(request({"-xyz", "--setup", "Friday CTF", "--old=1"}).start.setup, "Friday CTF");

    const CommandLineRequest load = request({"--setup", "Friday CTF"});
    EXPECT_FALSE(load.exitStatus);
    EXPECT_EQ(load.start.setup, "Friday CTF");
    EXPECT_FALSE(load.start.launch);
    const CommandLineRequest launch = request({"--launch", "--setup=Friday CTF"});
    EXPECT_FALSE(launch.exitStatus);
    EXPECT_EQ(launch.start.setup, "Friday CTF");
    EXPECT_TRUE(launch.start.launch);

    const CommandLineRequest help = request({"--help"});
    EXPECT_EQ(help.exitStatus, 0);
    for (const char* option : {"--setup <name>", "--launch", "--list-setups", "--version"})
        EXPECT_NE(help.output.find(option), std::string::npos) << option;
}

TEST_F(SetupStart, OptionsThatCannotBeFollowedEndTheStartWithTheReason) {
    save("Friday CTF");
    save("Last game");
    vexmoor::Setup other;
    other.gameDirectory = temp.text() + "other/";
    ASSERT_TRUE(store.save("Tuesday", other));
    writeBytes(store.fileOf("Broken"), "{\"VexmoorSetup\": 1, \"GameDirectory\": ");

    struct Case {
        QStringList options;
        int status;
        std::string errors;
    };
    const std::vector<Case> cases = {
        {{"--setup", "Tuesday"},
         kUsageStatus,
         "vexmoor: there is no setup \"Tuesday\" for the game in " + game.text() +
             " (the setup of that name is for the game in " + other.gameDirectory +
             "); its setups are:\nLast game\nFriday CTF\n"},
        {{"--setup", "Nobody", "--launch"},
         kUsageStatus,
         "vexmoor: there is no setup \"Nobody\" for the game in " + game.text() +
             "; its setups are:\nLast game\nFriday CTF\n"},
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
        const CommandLineRequest ended = request(c.options);
        EXPECT_EQ(ended.exitStatus, c.status) << c.options.join(' ').toStdString();
        EXPECT_EQ(ended.errors.substr(0, c.errors.size()), c.errors);
        EXPECT_TRUE(ended.output.empty());
    }

    fs::remove(settings.settingsFile());
    const CommandLineRequest unset = request({"--list-setups"});
    EXPECT_EQ(unset.exitStatus, kFailureStatus);
    EXPECT_EQ(unset.errors, "vexmoor: no game directory is chosen yet (there is no settings file " +
                                pathText(settings.settingsFile()) +
                                "); start Vexmoor without options to choose it\n");
}

TEST_F(SetupStart, ListSetupsPrintsTheGameDirectorysSetupsWithoutADisplay) {
    save("Rail duel");
    save("Last game");
    save("friday");
    vexmoor::Setup other;
    other.gameDirectory = temp.text() + "other/";
    ASSERT_TRUE(store.save("Tuesday", other));
    const Run listed = run({"--list-setups"}, false);
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out, "Last game\nfriday\nRail duel\n");
    EXPECT_EQ(listed.err, "");

    const Run unknown = run({"--setup", "Nobody", "--launch"}, false);
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err, "vexmoor: there is no setup \"Nobody\" for the game in " + game.text() +
                               "; its setups are:\nLast game\nfriday\nRail duel\n");
    EXPECT_TRUE(game.recordedStarts().empty());
}

// The desktop's "Play Last Game": the program comes up with the setup,
// launches it as Launch! would, and ends as its close-on-exit says.
TEST_F(SetupStart, SetupAndLaunchStartTheSavedGameAndCloseOnExit) {
    save("Last game", true);
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
    std::string arguments;
    for (std::size_t i = 1; i < starts[0].size(); ++i) arguments += ' ' + starts[0][i];
    EXPECT_NE(arguments.find(" +map q2ctf3 "), std::string::npos);
    EXPECT_NE(arguments.find(" +dmflags 131072 "), std::string::npos);
    EXPECT_EQ(readBytes(game.root() / "eraser" / "launcher.cfg"), "sv bots Bot~0002 Bot~0004\r\n");
}

// Without --launch the window comes up with the setup loaded and starts nothing.
TEST_F(SetupStart, SetupAloneShowsTheWindowWithTheSetupLoaded) {
    const vexmoor::Setup saved = save("Friday CTF");
    const ScopedEnv configHome("XDG_CONFIG_HOME", config.string());
    const ScopedEnv home("HOME", (temp.path() / "home").string());
    Application app;
    app.start(request({"--setup", "Friday CTF"}).start);
    MainWindow& window = app.mainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(window.findChild<QRadioButton*>("CTFMapOption")->isChecked());
    EXPECT_TRUE(window.findChild<QCheckBox*>("ForceJoinCheckBox")->isChecked());
    EXPECT_TRUE(window.findChild<QRadioButton*>("SpawnSpecificBotsOption")->isChecked());
    EXPECT_EQ(captureSetup(app.model()), saved);
    EXPECT_EQ(launchCommandLine(app.model()), setupCommandLine);
    EXPECT_TRUE(window.isEnabled());
    QTest::qWait(100);
    EXPECT_TRUE(game.recordedStarts().empty());
    EXPECT_FALSE(store.exists(kLastGameSetup));
}

}  // namespace
}  // namespace vexmoor::testing
