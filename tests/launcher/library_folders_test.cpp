#include "launcher/library_folders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/library_list.h"

namespace vexmoor::testing {
namespace {

using Folders = std::vector<std::string>;

// Steam's list before 2021: the libraries besides Steam's own folder as numbered values.
const std::string kOlderFormat =
    "\"LibraryFolders\"\r\n{\r\n"
    "\t\"TimeNextStatsReport\"\t\t\"1635467021\"\r\n"
    "\t\"ContentStatsID\"\t\t\"-4583229519712409437\"\r\n"
    "\t\"1\"\t\t\"D:\\\\SteamLibrary\"\r\n"
    "\t\"2\"\t\t\"/mnt/games/Steam Library\"\r\n}\r\n";

std::string nested(int blocks) {
    std::string text = "\"libraryfolders\" {";
    for (int i = 1; i < blocks; ++i) text += " \"x\" {";
    return text + std::string(static_cast<std::size_t>(blocks), '}');
}

TEST(LibraryFolders, ReadsBothOfSteamsFormatsAndRefusesADamagedList) {
    struct Case {
        const char* what;
        std::string text;
        Folders folders;
        std::string error = {};  // "line N: reason" when it is refused
    };
    std::string many = "\"libraryfolders\" {";
    for (int i = 0; i < 300; ++i) many += " \"" + std::to_string(i) + "\" \"/lib" + std::to_string(i) + "\"";
    many += " }";
    Folders first256;
    for (int i = 0; i < 256; ++i) first256.push_back("/lib" + std::to_string(i));

    const Case cases[] = {
        {"newer format",
         libraryListText({"C:\\Program Files (x86)\\Steam", "/home/player/.local/share/Steam"}),
         {"C:\\Program Files (x86)\\Steam", "/home/player/.local/share/Steam"}},
        {"older format", kOlderFormat, {"D:\\SteamLibrary", "/mnt/games/Steam Library"}},
        {"comments, bare words, no line ends",
         "// written by hand\nlibraryfolders{0{path /srv/steam label \"\"}1 \"/a b\" // note\n}",
         {"/srv/steam", "/a b"}},
        {"escapes", R"("libraryfolders" { "0" "a\"b\tc\nd\qe" })", {"a\"b\tc\nd\\qe"}},
        {"only a library's first path, only numbered ones, none empty",
         R"("libraryfolders" { "0" { "PATH" "/one" "path" "/two" } "x" "/three" "1" { "label" "no path" } "2" "" })",
         {"/one"}},
        {"more than 256 libraries", many, first256},
        {"blocks 17 deep", nested(17), {}, "line 1: its blocks are nested more than 16 deep"},
        {"a quoted text never closed",
         "\"libraryfolders\"\n{\n\t\"0\" \"/x\n}\n",
         {},
         "line 3: a quoted text begins here and is never closed"},
        {"a block never closed (cut short while written)",
         "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\" \"/x\"\n",
         {},
         "line 4: the block that opens here is never closed"},
        {"a brace too many",
         "\"libraryfolders\" { }\n}",
         {},
         "line 2: a closing brace without its opening one"},
        {"a name without a value", "\"libraryfolders\" { \"0\" }", {}, "line 1: \"0\" has no value"},
        {"a block without a name", "{ \"0\" \"/x\" }", {}, "line 1: a block without a name before it"},
        {"no libraryfolders block",
         "\"config\" { \"0\" \"/x\" }",
         {},
         "it holds no \"libraryfolders\" block"},
        {"a file too large",
         "\"libraryfolders\" {}" + std::string(kMaxLibraryListBytes, ' '),
         {},
         "it is larger than 1 MiB, far more than a list of library folders holds"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto read = readLibraryFolders(c.text, "libraryfolders.vdf");
        if (c.error.empty()) {
            ASSERT_TRUE(read) << read.error().describe();
            EXPECT_EQ(read.value(), c.folders);
        } else {
            ASSERT_FALSE(read);
            EXPECT_EQ(
                read.error().describe(),
                "libraryfolders.vdf" + std::string(c.error.rfind("line", 0) == 0 ? ", " : ": ") + c.error);
        }
    }
}

}  // namespace
}  // namespace vexmoor::testing
