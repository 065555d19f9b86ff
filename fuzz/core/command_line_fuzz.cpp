// Feeds arbitrary bytes to the Windows command-line splitting that starts the
// game on POSIX systems. Beyond "no crash": the arguments never hold more
// than the text did; any list of arguments, quoted the way a Windows program
// quotes them, splits back into the very same list; and a command line that
// begins with the game's own path keeps that whole path as the program, blanks
// and all, with its arguments intact.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/command_line.h"
#include "fuzz_support.h"

using vexmoor::fuzzing::piecesOf;
using vexmoor::fuzzing::require;

namespace {

// The quoting that a Windows program's runtime undoes: the argument in double
// quotes, each quote escaped by a backslash, and the backslashes before a
// quote (or before the closing quote) doubled.
std::string quoted(const std::string& argument) {
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            out.append(backslashes * 2 + 1, '\\');
        } else {
            out.append(backslashes, '\\');
        }
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, '\\');
    out += '"';
    return out;
}

std::string joined(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& argument : arguments) {
        if (!text.empty()) text += ' ';
        text += quoted(argument);
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // The whole input as a command line.
    const std::vector<std::string> split = vexmoor::splitWindowsCommandLine(bytes);
    std::size_t total = 0;
    for (const std::string& argument : split) total += argument.size();
    require(total <= size);
    require(split.size() <= (size + 1) / 2);
    require(vexmoor::splitWindowsCommandLine(joined(split)) == split);

    // The input as a list of arguments (cut at NUL bytes), quoted and split again.
    const std::vector<std::string> arguments = piecesOf(bytes, '\0');
    require(vexmoor::splitWindowsCommandLine(joined(arguments)) == arguments);

    // The first piece as the game's program path, which may hold blanks and
    // is carried unquoted; the rest are its arguments.
    const std::string& program = arguments.front();
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    const std::string commandLine = program + (rest.empty() ? "" : " " + joined(rest));
    const vexmoor::ProgramAndArguments parsed = vexmoor::parseCommandLine(commandLine, program);
    if (!program.empty()) {
        require(parsed.program == program);
        require(parsed.arguments == rest);
    }
    // Without the known path, a first word of plain characters is the program.
    if (!program.empty() && program.find_first_of(" \t\"") == std::string::npos) {
        const vexmoor::ProgramAndArguments word = vexmoor::parseCommandLine(commandLine, {});
        require(word.program == program);
        require(word.arguments == rest);
    }
    // Whatever the text, the program named is never longer than it.
    require(vexmoor::parseCommandLine(bytes, {}).program.size() <= size);
    return 0;
}
