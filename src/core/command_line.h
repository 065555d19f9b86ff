#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vexmoor {

// Splits the text after a program name into arguments the way a Windows
// program's C runtime does: blanks and tabs separate; double quotes group
// and are removed; backslashes are literal unless a double quote follows
// them (2n backslashes and a quote give n backslashes and the quote opens or
// closes a group, 2n+1 give n backslashes and a literal quote); "" inside a
// group gives a literal quote.
std::vector<std::string> splitWindowsCommandLine(std::string_view text);

// True when the text begins with knownProgram (byte for byte) followed by a
// blank, a tab or the end: that whole path is then the program even if it
// holds blanks, as the text carries it unquoted.
bool beginsWithProgram(std::string_view commandLine, std::string_view knownProgram);

struct ProgramAndArguments {
    std::string program;
    std::vector<std::string> arguments;
};

// Separates one command-line text into the program and its arguments. The
// program is knownProgram when the text begins with it (above); otherwise it
// is the first word of the text, read by the runtime's rule for program
// names (quotes group, backslashes are literal). A blank text gives an
// empty program.
ProgramAndArguments parseCommandLine(std::string_view commandLine, std::string_view knownProgram);

}  // namespace vexmoor
