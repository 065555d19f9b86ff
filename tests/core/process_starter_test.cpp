#include "platform/process_starter.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/fakes.h"
#include "support/game_directory.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;
using Clock = std::chrono::steady_clock;

constexpr auto kPatience = std::chrono::seconds(10);

// Polls until the stand-in has recorded `count` starts, or gives up.
std::vector<Words> waitForStarts(const GameDirectoryBuilder& game, std::size_t count) {
    const auto deadline = Clock::now() + kPatience;
    auto starts = game.recordedStarts();
    while (starts.size() < count && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        starts = game.recordedStarts();
    }
    return starts;
}

#ifndef _WIN32
void makeExecutable(const fs::path& file) {
    fs::permissions(file, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec,
                    fs::perm_options::replace);
}
#endif

// A game directory whose path holds blanks, as "Program Files" does.
class ProcessStarterTest : public ::testing::Test {
protected:
    ProcessStarterTest() : game(temp.path() / "my games" / "quake 2") {}

    std::string program() const { return game.text() + "quake2.exe"; }
    std::string canonicalRoot() const { return fs::canonical(game.root()).string(); }

    TempDir temp;
    GameDirectoryBuilder game;
    SystemProcessStarter starter;
};

TEST_F(ProcessStarterTest, StartsTheKnownProgramInTheGameDirectoryWithTheSplitArguments) {
    game.withGame();
    struct Case {
        std::string tail;
        Words arguments;
    };
    const Case cases[] = {
        {" +set game eraser +set cheats 0", {"+set", "game", "eraser", "+set", "cheats", "0"}},
        {"", {}},
        {" +set hostname \"Big Ed's game\" +map q2dm1",
         {"+set", "hostname", "Big Ed's game", "+map", "q2dm1"}},
        {"\t+map\tq2dm1  ", {"+map", "q2dm1"}},
        {" * $HOME ; \"\" `x`", {"*", "$HOME", ";", "", "`x`"}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const auto error = starter.start(program() + c.tail, game.root(), program());
        ASSERT_FALSE(error.has_value()) << c.tail << ": " << *error;
        const auto starts = waitForStarts(game, i + 1);
        ASSERT_EQ(starts.size(), i + 1) << c.tail;
        Words expected{canonicalRoot()};
#ifdef _WIN32
        // The game's own runtime splits what it is given, and the unquoted
        // program path ends at its first blank: the rest of the path comes
        // first among the arguments.
        expected.insert(expected.end(), {"games\\quake", "2\\quake2.exe"});
#endif
        expected.insert(expected.end(), c.arguments.begin(), c.arguments.end());
        EXPECT_EQ(starts[i], expected) << c.tail;
#ifdef _WIN32
        // The game gets the command line itself, byte for byte, the
        // unquoted game directory with its blanks included.
        const auto lines = game.recordedCommandLines();
        ASSERT_EQ(lines.size(), i + 1) << c.tail;
        EXPECT_EQ(lines[i], program() + c.tail);
#endif
    }
}

TEST_F(ProcessStarterTest, FallsBackToTheFirstWordWhenTheTextDoesNotBeginWithTheKnownProgram) {
    game.withGame();
    const fs::path elsewhere = temp.path() / "elsewhere";
    fs::create_directories(elsewhere);
    struct Case {
        std::string commandLine;
        fs::path workingDirectory;
        Words record;
    };
    const Case cases[] = {
        {"\"" + program() + "\" +map q2dm1", game.root(), {canonicalRoot(), "+map", "q2dm1"}},
        // A program without a folder is the one where the game is to run.
        {"quake2.exe +map q2dm2", game.root(), {canonicalRoot(), "+map", "q2dm2"}},
        {"\"" + program() + "\" +map q2dm3", elsewhere, {fs::canonical(elsewhere).string(), "+map", "q2dm3"}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const auto error = starter.start(c.commandLine, c.workingDirectory, "/nowhere/quake2.exe");
        ASSERT_FALSE(error.has_value()) << c.commandLine << ": " << *error;
        const auto starts = waitForStarts(game, i + 1);
        ASSERT_EQ(starts.size(), i + 1) << c.commandLine;
        EXPECT_EQ(starts[i], c.record) << c.commandLine;
    }
}

TEST_F(ProcessStarterTest, ReportsWhatCannotBeStartedAndStartsNothing) {
    const fs::path file = game.root() / "quake2.exe";
    const fs::path marker = temp.path() / "ran";
    struct Case {
        const char* name;
        std::function<void()> prepare;
        std::function<std::string()> commandLine;
        std::function<fs::path()> workingDirectory;
        std::function<std::string()> error;
    };
    const auto gameCommandLine = [&] { return program() + " +map q2dm1"; };
    const auto gameRoot = [&] { return game.root(); };
    const Case cases[] = {
        {"missing program", [] {}, gameCommandLine, gameRoot, [&] { return program() + " does not exist"; }},
        {"a folder", [&] { fs::create_directory(file); }, gameCommandLine, gameRoot,
         [&] { return program() + " is a folder"; }},
#ifdef _WIN32
        // A script named quake2.exe: Windows runs no such file as a program.
        {"no program", [&] { writeBytes(file, "@echo off\r\necho ran>\"" + marker.string() + "\"\r\n"); },
         gameCommandLine, gameRoot,
         [&] { return program() + " is not a program that can be run (it is not a Windows program)"; }},
#else
        {"not executable",
         [&] { writeBytes(file, "#!/bin/sh\ntouch '" + marker.string() + "'\n"); },
         gameCommandLine, gameRoot,
         [&] { return program() + " is not a program that can be run (it is not executable)"; }},
        // Without a "#!" line only a shell would run it; the game must not be
        // handed to one.
        {"executable but no program",
         [&] {
             writeBytes(file, "touch '" + marker.string() + "'\n");
             makeExecutable(file);
         },
         gameCommandLine, gameRoot,
         [&] { return program() + " is not a program that can be run (" + std::strerror(ENOEXEC) + ")"; }},
#endif
        {"a longer name than the known program falls back to the first word", [&] { game.withGame(); },
         [&] { return program() + "x +map q2dm1"; }, gameRoot,
         [&] { return (temp.path() / "my").string() + " does not exist"; }},
        {"missing working folder", [&] { game.withGame(); }, gameCommandLine,
         [&] { return temp.path() / "gone"; },
         [&] { return "The folder to start in, " + (temp.path() / "gone").string() + ", does not exist"; }},
        {"a file as the working folder", [&] { game.withGame(); }, gameCommandLine,
         [&] { return game.root() / "quake2.exe"; },
         [&] {
             return "The folder to start in, " + (game.root() / "quake2.exe").string() + ", is not a folder";
         }},
        {"empty command line", [&] { game.withGame(); }, [] { return std::string(" "); }, gameRoot,
         [] { return std::string("There is no program to start: the command line is empty."); }},
    };
    for (const auto& c : cases) {
        fs::remove_all(file);
        fs::remove(marker);
        fs::remove(game.recordFile());
        c.prepare();
        const auto error = starter.start(c.commandLine(), c.workingDirectory(), program());
        EXPECT_EQ(error.value_or("(started)"), c.error()) << c.name;
        // A start that went wrong must not have run anything; give a wrong
        // start the time to show itself.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        EXPECT_FALSE(fs::exists(marker)) << c.name;
        EXPECT_TRUE(game.recordedStarts().empty()) << c.name;
    }
}

#ifdef _WIN32

// Sets an environment variable for the programs this one starts, for one test.
class ScopedEnv {
public:
    ScopedEnv(const wchar_t* name, const std::wstring& value) : name_(name) {
        SetEnvironmentVariableW(name, value.c_str());
    }
    ~ScopedEnv() { SetEnvironmentVariableW(name_, nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const wchar_t* name_;
};

// The stand-in holds on until the test releases it, so a starter that waited
// for the game could not return before the game had recorded. That it holds
// at all shows the launcher's environment reached it.
TEST_F(ProcessStarterTest, ReturnsWhileTheGameRunsWithTheLaunchersEnvironment) {
    game.withGame();
    const fs::path release = game.root() / "go ahead";
    {
        const ScopedEnv hold(L"VEXMOOR_STAND_IN_HOLD", release.native());
        const auto error = starter.start(program() + " +map q2dm1", game.root(), program());
        ASSERT_FALSE(error.has_value()) << *error;
    }
    EXPECT_TRUE(game.recordedStarts().empty()) << "the start waited for the game";

    writeBytes(release, "");
    const auto starts = waitForStarts(game, 1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0], (Words{canonicalRoot(), "games\\quake", "2\\quake2.exe", "+map", "q2dm1"}));
}

#else

// The stand-in here holds on until the test releases it, so a starter that
// waited for the game could not return before the game had recorded.
TEST_F(ProcessStarterTest, ReturnsWhileTheGameRunsWithNoInputAndTheLaunchersEnvironment) {
    const fs::path release = game.root() / "go ahead";
    const fs::path record = game.root() / "held.log";
    writeBytes(game.root() / "quake2.exe",
               "#!/bin/sh\n"
               "i=0\n"
               "while [ ! -e \"$1\" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done\n"
               "if [ -e \"$1\" ]; then state=released; else state=gave-up; fi\n"
               "input=$(readlink /proc/$$/fd/0 2>/dev/null)\n"
               "printf '%s\\n%s\\n%s\\n' \"$state\" \"$input\" \"$VEXMOOR_STAND_IN_MARK\" >\"$2.part\"\n"
               "mv \"$2.part\" \"$2\"\n");
    makeExecutable(game.root() / "quake2.exe");
    ASSERT_EQ(setenv("VEXMOOR_STAND_IN_MARK", "inherited", 1), 0);

    const auto error = starter.start(program() + " \"" + release.string() + "\" \"" + record.string() + "\"",
                                     game.root(), program());
    unsetenv("VEXMOOR_STAND_IN_MARK");
    ASSERT_FALSE(error.has_value()) << *error;
    EXPECT_FALSE(fs::exists(record)) << "the start waited for the game";

    writeBytes(release, "");
    const auto deadline = Clock::now() + kPatience;
    while (!fs::exists(record) && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(fs::exists(record));
    const std::string lines = readBytes(record);
    EXPECT_TRUE(lines.starts_with("released\n")) << lines;
    EXPECT_TRUE(lines.ends_with("\ninherited\n")) << lines;
#ifdef __linux__
    EXPECT_EQ(lines, "released\n/dev/null\ninherited\n");
#endif
}

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        set(value);
    }
    ~ScopedEnv() { set(old_); }

private:
    void set(const std::optional<std::string>& value) {
        if (value)
            setenv(name_, value->c_str(), 1);
        else
            unsetenv(name_);
    }
    const char* name_;
    std::optional<std::string> old_;
};

// The usual quake2.exe is a Windows program: a stand-in one is a file that
// begins with "MZ" (and is not executable, as copies from Windows often
// are); a stand-in Wine records how it was started, as the game does.
TEST_F(ProcessStarterTest, StartsAWindowsProgramThroughWineAndSaysWhatIsMissingWithoutIt) {
    GameDirectoryBuilder wine(temp.path() / "wine bin");
    wine.withGame();
    const std::string winePath = (wine.root() / "wine").string();
    fs::rename(wine.root() / "quake2.exe", winePath);
    const fs::path noWine = temp.path() / "no wine";
    fs::create_directories(noWine);
    const std::string windowsGame = std::string("MZ\x90\0\x03\0", 6) + "stand-in";
    const std::string winePathList = noWine.string() + ":" + wine.root().string();
    const std::string missing =
        program() +
        " is a Windows program. Vexmoor starts Windows programs through Wine, but Wine "
        "was not found (there is no wine in PATH). Installing Wine (Debian package "
        "\"wine\") lets Vexmoor start it.";
    const std::string named = program() +
                              " is a Windows program, to be started through the Wine that "
                              "VEXMOOR_WINE names, but ";
    struct Case {
        const char* name;
        std::string game;  // empty: the native stand-in
        std::optional<std::string> path;
        std::optional<std::string> chosen;
        std::string error;  // empty: started through Wine, or directly for the native stand-in
    };
    const Case cases[] = {
        {"wine in PATH", windowsGame, winePathList, std::nullopt, ""},
        {"VEXMOOR_WINE as a path", windowsGame, noWine.string(), winePath, ""},
        {"VEXMOOR_WINE as a name", windowsGame, winePathList, "wine", ""},
        {"VEXMOOR_WINE as a relative path", windowsGame, noWine.string(), fs::relative(winePath).string(),
         ""},
        {"a native game is started directly", "", winePathList, std::nullopt, ""},
        {"no Wine", windowsGame, noWine.string(), std::nullopt, missing},
        {"no PATH entry but relative ones", windowsGame, ".:" + fs::relative(wine.root()).string(),
         std::nullopt, missing},
        {"VEXMOOR_WINE names a missing file", windowsGame, winePathList, "/nowhere/wine",
         named + "/nowhere/wine does not exist."},
        {"VEXMOOR_WINE names no command", windowsGame, noWine.string(), "wine",
         named + "there is no program wine in PATH."},
    };
    std::size_t throughWine = 0;
    for (const auto& c : cases) {
        fs::remove(game.recordFile());
        if (c.game.empty())
            game.withGame();
        else
            writeBytes(game.root() / "quake2.exe", c.game);
        const ScopedEnv path("PATH", c.path);
        const ScopedEnv chosen("VEXMOOR_WINE", c.chosen);
        const auto error =
            starter.start(program() + " +set game eraser +set hostname \"Big Ed\"", game.root(), program());
        EXPECT_EQ(error.value_or(""), c.error) << c.name;
        const Words arguments{"+set", "game", "eraser", "+set", "hostname", "Big Ed"};
        if (!c.error.empty()) {
            continue;
        } else if (c.game.empty()) {
            const auto starts = waitForStarts(game, 1);
            Words expected{canonicalRoot()};
            expected.insert(expected.end(), arguments.begin(), arguments.end());
            ASSERT_EQ(starts.size(), 1u) << c.name;
            EXPECT_EQ(starts[0], expected) << c.name;
        } else {
            const auto starts = waitForStarts(wine, ++throughWine);
            Words expected{canonicalRoot(), program()};
            expected.insert(expected.end(), arguments.begin(), arguments.end());
            ASSERT_EQ(starts.size(), throughWine) << c.name;
            EXPECT_EQ(starts.back(), expected) << c.name;
        }
    }
    // Nothing went to Wine but the Windows program, and only when Wine was there.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(wine.recordedStarts().size(), throughWine);
}
#endif

#ifdef __linux__

// This process's children, running or ended and not yet waited for.
std::vector<std::string> childStates() {
    std::vector<std::string> states;
    const std::string parent = std::to_string(getpid());
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string stat = readBytes(entry.path() / "stat");  // empty when it ended meanwhile
        // "pid (name) state ppid ...": the name may hold blanks and parentheses.
        const auto close = stat.rfind(')');
        if (close == std::string::npos || close + 2 >= stat.size()) continue;
        const std::string rest = stat.substr(close + 2);
        const auto blank = rest.find(' ');
        const auto next = rest.find(' ', blank + 1);
        if (blank == std::string::npos || next == std::string::npos) continue;
        if (rest.substr(blank + 1, next - blank - 1) == parent)
            states.push_back(name + " " + rest.substr(0, blank));
    }
    return states;
}

TEST_F(ProcessStarterTest, LeavesNoEndedGameBehind) {
    game.withGame();
    for (int i = 0; i < 3; ++i)
        ASSERT_FALSE(starter.start(program() + " +map q2dm1", game.root(), program()));
    ASSERT_EQ(waitForStarts(game, 3).size(), 3u);

    const auto deadline = Clock::now() + kPatience;
    auto children = childStates();
    while (!children.empty() && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        children = childStates();
    }
    EXPECT_TRUE(children.empty()) << ::testing::PrintToString(children);
}

#endif

}  // namespace
}  // namespace vexmoor::testing
