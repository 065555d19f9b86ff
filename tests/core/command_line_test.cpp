#include "core/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vexmoor {
namespace {

using Words = std::vector<std::string>;

struct SplitCase {
    const char* name;
    std::string text;
    Words expected;
};

TEST(SplitWindowsCommandLineTest, FollowsTheRuntimeRules) {
    const SplitCase cases[] = {
        {"nothing", "", {}},
        {"only blanks and tabs", "  \t  ", {}},
        {"blanks separate", "+set game eraser", {"+set", "game", "eraser"}},
        {"runs of blanks and tabs are one separator", "a\tb  \t c", {"a", "b", "c"}},
        {"leading and trailing blanks", "  +map q2dm1  \t", {"+map", "q2dm1"}},
        {"other white space is part of a word", "a\nb\rc", {"a\nb\rc"}},
        {"quotes group and are removed", "+set hostname \"Big Ed's game\" +map q2dm1",
         {"+set", "hostname", "Big Ed's game", "+map", "q2dm1"}},
        {"a group inside a word", "a\"b c\"d e", {"ab cd", "e"}},
        {"an unclosed group runs to the end", "x \"unclosed group  ", {"x", "unclosed group  "}},
        {"an empty group is an empty argument", "a \"\" b", {"a", "", "b"}},
        {"a trailing empty argument", "a \"\"", {"a", ""}},
        {"only an empty argument", "\"\"", {""}},
        {"backslashes alone are literal", "c:\\quake2\\ a\\\\b", {"c:\\quake2\\", "a\\\\b"}},
        {"one backslash makes the quote literal", "\\\"x\\\"", {"\"x\""}},
        {"two backslashes give one and the quote groups", "\\\\\"a b\"", {"\\a b"}},
        {"three backslashes give one and a literal quote", "\\\\\\\"a b", {"\\\"a", "b"}},
        {"four backslashes give two and the quote groups", "\\\\\\\\\" x\"", {"\\\\ x"}},
        {"an escaped quote inside a group", "\"say \\\"hi\\\" now\"", {"say \"hi\" now"}},
        {"a group ending in a backslash needs it doubled", "\"c:\\quake 2\\\\\" +map",
         {"c:\\quake 2\\", "+map"}},
        {"doubled quote inside a group is a quote and the group goes on", "\"a\"\"b c\" d",
         {"a\"b c", "d"}},
        {"doubled quote closing a group", "\"a\"\"\" b", {"a\"", "b"}},
        {"four quotes give one quote", "\"\"\"\"", {"\""}},
        {"doubled quote outside a group opens and closes", "a\"\"b", {"ab"}},
    };
    for (const auto& c : cases) EXPECT_EQ(splitWindowsCommandLine(c.text), c.expected) << c.name;
}

struct ParseCase {
    const char* name;
    std::string commandLine;
    std::string knownProgram;
    std::string program;
    Words arguments;
};

TEST(ParseCommandLineTest, SeparatesTheProgramFromItsArguments) {
    const std::string known = "/tmp/my games/quake 2/quake2.exe";
    const ParseCase cases[] = {
        {"known program with blanks", known + " +set game eraser +map q2dm1", known, known,
         {"+set", "game", "eraser", "+map", "q2dm1"}},
        {"known program alone", known, known, known, {}},
        {"known program followed by a tab", known + "\t+map\tq2dm1", known, known, {"+map", "q2dm1"}},
        {"arguments after the known program keep their quotes' meaning",
         known + " +set hostname \"Big Ed\" \"\"", known, known, {"+set", "hostname", "Big Ed", ""}},
        {"a longer name is not the known program", known + "x +map q2dm1", known, "/tmp/my",
         {"games/quake", "2/quake2.exex", "+map", "q2dm1"}},
        {"the known program must match byte for byte", "/tmp/My Games/quake 2/quake2.exe +map q2dm1", known,
         "/tmp/My", {"Games/quake", "2/quake2.exe", "+map", "q2dm1"}},
        {"a leading blank hides the known program", " /tmp/q2/quake2.exe +map", "/tmp/q2/quake2.exe",
         "/tmp/q2/quake2.exe", {"+map"}},
        {"another program", "/opt/q2/quake2 +map q2dm1", known, "/opt/q2/quake2", {"+map", "q2dm1"}},
        {"no known program", "quake2.exe +map q2dm1", "", "quake2.exe", {"+map", "q2dm1"}},
        {"a quoted program", "\"" + known + "\" +map q2dm1", "/elsewhere/quake2.exe", known, {"+map", "q2dm1"}},
        {"backslashes in a quoted program are the path's own", "\"c:\\quake 2\\\"quake2.exe +map",
         "c:\\quake2\\quake2.exe", "c:\\quake 2\\quake2.exe", {"+map"}},
        {"empty text", "", known, "", {}},
        {"blank text", " \t ", known, "", {}},
    };
    for (const auto& c : cases) {
        const ProgramAndArguments parsed = parseCommandLine(c.commandLine, c.knownProgram);
        EXPECT_EQ(parsed.program, c.program) << c.name;
        EXPECT_EQ(parsed.arguments, c.arguments) << c.name;
    }
}

}  // namespace
}  // namespace vexmoor
