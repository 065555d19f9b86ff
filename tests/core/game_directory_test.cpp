#include "support/game_directory.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <string>
#include <vector>

#include "core/paths.h"
#include "roster/roster.h"
#include "roster/roster_file.h"
#include "support/fakes.h"

#ifndef _WIN32
extern char** environ;
#endif

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32

// One argument as a word of a command line that the C runtime splits back
// into the same argument.
std::wstring quotedWord(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
    std::wstring word = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        word.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        word += c;
    }
    word.append(backslashes * 2, L'\\');
    return word + L'"';
}

// Starts a program directly (no shell) in a working directory and waits for
// it; returns its exit status, or -1 when it could not be started.
int runIn(const fs::path& directory, const std::vector<std::string>& arguments) {
    std::wstring line;
    for (const auto& argument : arguments) {
        if (!line.empty()) line += L' ';
        line += quotedWord(fs::path(argument).native());
    }
    const std::wstring program = fs::path(arguments.front()).native();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.native().c_str(), &startup, &process))
        return -1;
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    const bool ended = GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    return ended ? static_cast<int>(status) : -1;
}

// The command of the shell test: cmd.exe's way of saying the same.
std::string shellCommand(const fs::path& root) {
    return "cd /d \"" + root.string() + "\" && quake2.exe \"a b\" c";
}

#else

// Starts a program directly (no shell) in a working directory and waits for
// it; returns its exit status, or -1 when it could not be started.
int runIn(const fs::path& directory, const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    pid_t pid = 0;
    const int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string shellCommand(const fs::path& root) {
    return "cd '" + root.string() + "' && ./quake2.exe \"a b\" c";
}

#endif

TEST(GameDirectoryBuilderTest, StandInGameRecordsWorkingDirectoryAndEveryArgumentAsGiven) {
    TempDir temp;
    GameDirectoryBuilder game(temp.path() / "Quake 2 it's here");
    game.withEraserFolder().withGame();
    EXPECT_TRUE(game.recordedStarts().empty());

    const std::string program = game.text() + "quake2.exe";
    ASSERT_EQ(runIn(game.root(), {program, "+set", "game eraser", "", "  two  blanks ", "*", "$HOME"}), 0);
    ASSERT_EQ(runIn(game.root() / "eraser", {program, "+map", "q2dm1"}), 0);

    const auto starts = game.recordedStarts();
    ASSERT_EQ(starts.size(), 2u);
    const std::string root = fs::canonical(game.root()).string();
    EXPECT_EQ(starts[0], (std::vector<std::string>{root, "+set", "game eraser", "", "  two  blanks ", "*",
                                                   "$HOME"}));
    EXPECT_EQ(starts[1], (std::vector<std::string>{root + kPathSeparator + "eraser", "+map", "q2dm1"}));
}

TEST(GameDirectoryBuilderTest, StandInGameRecordsWhenStartedThroughAShell) {
    TempDir temp;
    GameDirectoryBuilder game(temp.path() / "game");
    game.withGame();
    ASSERT_EQ(std::system(shellCommand(game.root()).c_str()), 0);
    const auto starts = game.recordedStarts();
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0], (std::vector<std::string>{fs::canonical(game.root()).string(), "a b", "c"}));
}

TEST(GameDirectoryBuilderTest, LaysOutTheGameDirectory) {
    TempDir temp;
    GameDirectoryBuilder game(temp.path() / "q2");
    game.withRoster("[bots]\r\n")
        .withChat("-- Greetings\r\nhi\r\n")
        .withMapCycle("q2dm1\r\n")
        .withMaps({"arena.bsp", "Fort.BSP"})
        .withModel("rook", {"slate.pcx", "slate_i.pcx", "weapon.pcx"})
        .withGame();

    EXPECT_EQ(game.text(), game.root().string() + kPathSeparator);
    EXPECT_EQ(GameDirectoryBuilder(game.root().string() + kPathSeparator).text(), game.text());

    EXPECT_EQ(readBytes(game.root() / "eraser/bots.cfg"), "[bots]\r\n");
    EXPECT_EQ(readBytes(game.root() / "eraser/chat.txt"), "-- Greetings\r\nhi\r\n");
    EXPECT_EQ(readBytes(game.root() / "eraser/maps.txt"), "q2dm1\r\n");
    EXPECT_TRUE(fs::is_regular_file(game.root() / "baseq2/maps/arena.bsp"));
    EXPECT_TRUE(fs::is_regular_file(game.root() / "baseq2/maps/Fort.BSP"));
    for (const char* skin : {"slate.pcx", "slate_i.pcx", "weapon.pcx"})
        EXPECT_GT(fs::file_size(game.root() / "baseq2/players/rook" / skin), 0u) << skin;

#ifdef _WIN32
    // A real program: the stand-in built with the tests.
    EXPECT_TRUE(readBytes(game.root() / "quake2.exe").starts_with("MZ"));
#else
    struct stat info {};
    ASSERT_EQ(::stat((game.root() / "quake2.exe").c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(info.st_mode & 07777, 0755u);
#endif
}

TEST(GameDirectoryBuilderTest, RecordStillBeingWrittenIsNotCounted) {
    TempDir temp;
    GameDirectoryBuilder game(temp.path());
    writeBytes(game.recordFile(), "/g\n+a\n--\n/g\n+b\n");
    EXPECT_EQ(game.recordedStarts(), (std::vector<std::vector<std::string>>{{"/g", "+a"}}));
}

TEST(GameDirectoryBuilderTest, GeneratedRosterIsCrLfAndReadsBackWhole) {
    const std::string bytes = GameDirectoryBuilder::generatedRoster(12, 5);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
        }
    }
    EXPECT_EQ(bytes.rfind("\r\n"), bytes.size() - 2);

    TempDir temp;
    GameDirectoryBuilder game(temp.path());
    game.withRoster(bytes);
    Roster roster;
    const Status status = ReadRoster(rosterPath(game.text()), roster);
    ASSERT_TRUE(status.isOk()) << status.error().describe();

    ASSERT_EQ(roster.BotCount, 12);
    ASSERT_EQ(roster.TeamCount, 5);
    EXPECT_EQ(roster.ViewWeaponCount, 2);
    EXPECT_EQ(roster.BotNames[0], "Bot 0001");
    EXPECT_EQ(roster.BotNames[11], "Bot 0012");
    for (int i = 0; i < roster.BotCount; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        EXPECT_NE(roster.BotModelSkins[slot].find('/'), std::string::npos);
        for (const auto* values : {&roster.BotAccuracy, &roster.BotAgressiveness, &roster.BotCombatSkills}) {
            ASSERT_TRUE((*values)[slot].isNumber()) << i;
            EXPECT_GE((*values)[slot].asNumber(), 1);
            EXPECT_LE((*values)[slot].asNumber(), 5);
        }
        EXPECT_TRUE(roster.BotPing[slot].isNumber());
    }
    // Skills vary from bot to bot, so a reader that mixes up columns shows.
    EXPECT_NE(roster.BotAccuracy[0], roster.BotAgressiveness[0]);
    EXPECT_NE(roster.BotAccuracy[0], roster.BotAccuracy[1]);

    EXPECT_EQ(roster.TeamNames[0], "Team 01");
    EXPECT_EQ(roster.TeamShortNames[4], "T5");
    EXPECT_EQ(roster.TeamMembers[0], "[\"Bot 0001\" \"Bot 0006\" \"Bot 0011\"]");
    EXPECT_EQ(roster.TeamMembers[4], "[\"Bot 0005\" \"Bot 0010\"]");
    EXPECT_EQ(roster.ViewWeaponLines[0], "w_blaster");
}

TEST(GameDirectoryBuilderTest, GeneratedRosterWithoutTeamsOrBots) {
    EXPECT_EQ(GameDirectoryBuilder::generatedRoster(0, 0),
              "[bots]\r\n[teams]\r\n[view weapons]\r\n\"w_blaster\"\r\n\"w_railgun\"\r\n");
    const std::string teamsOnly = GameDirectoryBuilder::generatedRoster(0, 2);
    EXPECT_NE(teamsOnly.find("\"Team 02\"\"T2\"\"wren/frost\"[]\r\n"), std::string::npos) << teamsOnly;
}

}  // namespace
}  // namespace vexmoor::testing
