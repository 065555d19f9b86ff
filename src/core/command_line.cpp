#include "core/command_line.h"

namespace vexmoor {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> splitWindowsCommandLine(std::string_view text) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    const std::size_t size = text.size();
    for (;;) {
        while (i < size && isBlank(text[i])) ++i;
        if (i == size) break;

        // An argument has begun, even if quotes make it empty.
        std::string argument;
        bool inQuotes = false;
        for (;;) {
            std::size_t backslashes = 0;
            while (i < size && text[i] == '\\') {
                ++backslashes;
                ++i;
            }
            bool copy = true;
            if (i < size && text[i] == '"') {
                if (backslashes % 2 == 0) {
                    // The runtimes since 2008 keep the group open after "":
                    // "a""b" is a"b, not a"b with the rest outside quotes.
                    if (inQuotes && i + 1 < size && text[i + 1] == '"') {
                        ++i;
                    } else {
                        copy = false;
                        inQuotes = !inQuotes;
                    }
                }
                backslashes /= 2;
            }
            argument.append(backslashes, '\\');
            if (i == size || (!inQuotes && isBlank(text[i]))) break;
            if (copy) argument += text[i];
            ++i;
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

bool beginsWithProgram(std::string_view commandLine, std::string_view knownProgram) {
    return !knownProgram.empty() && commandLine.starts_with(knownProgram) &&
           (commandLine.size() == knownProgram.size() || isBlank(commandLine[knownProgram.size()]));
}

ProgramAndArguments parseCommandLine(std::string_view commandLine, std::string_view knownProgram) {
    ProgramAndArguments result;
    std::size_t rest = 0;
    if (beginsWithProgram(commandLine, knownProgram)) {
        result.program = knownProgram;
        rest = knownProgram.size();
    } else {
        // Program names follow simpler rules than arguments: a path never
        // holds a quote, so every quote opens or closes a group and
        // backslashes are the path's own ("c:\games\" must not swallow a
        // quote).
        std::size_t i = 0;
        while (i < commandLine.size() && isBlank(commandLine[i])) ++i;
        bool inQuotes = false;
        for (; i < commandLine.size(); ++i) {
            const char c = commandLine[i];
            if (c == '"')
                inQuotes = !inQuotes;
            else if (!inQuotes && isBlank(c))
                break;
            else
                result.program += c;
        }
        rest = i;
    }
    result.arguments = splitWindowsCommandLine(commandLine.substr(rest));
    return result;
}

}  // namespace vexmoor
