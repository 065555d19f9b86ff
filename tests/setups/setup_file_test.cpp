// The setup file: what the writer puts in it, what the reader takes back,
// and what it makes of damaged and foreign files and of names; the folder
// of them: which it offers for a game directory, and in what order.
#include "setups/setup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/ports.h"
#include "setups/setup_store.h"
#include "support/fakes.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

// A setup whose texts hold the code page's own characters ("\xEB" is e with
// two dots, "\x80" the euro sign).
const vexmoor::Setup kSample{"/games/quake2/",
                             {
                                 {"AllowCheatsCheckBox", 1},
                                 {"TimeLimitText", std::string("Zo\xEB \x80")},
                                 {"BotSkillSlider", 3},
                                 {"CTFMapOption", true},
                                 {"MapFile", std::optional<std::string>()},
                                 {"CTFList", std::optional<std::string>("q2ctf3")},
                                 {"SpecificBotList", std::vector<std::string>{"Big Ed", "Tom", "Tom"}},
                             },
                             131072,
                             {{"AllowCheatsCheckBox", " +set cheats  1"}, {"MapFrame", " +map q2ctf3"}}};

SetupRead read(const std::string& bytes) {
    auto result = readSetupBytes(bytes, "friday.json");
    EXPECT_TRUE(result) << result.error().describe();
    return result ? result.value() : SetupRead{};
}

std::string objectWith(const std::string& members) {
    return "{\"VexmoorSetup\": 1, \"GameDirectory\": \"/q2/\", " + members + "}";
}

TEST(SetupFile, WritesKeysNamedAfterTheControlsInPageOrderAsUtf8WithCrLfAndReadsThemBack) {
    const std::string bytes = setupFileBytes(kSample);
    EXPECT_EQ(bytes,
              "{\r\n"
              "  \"VexmoorSetup\": 1,\r\n"
              "  \"GameDirectory\": \"/games/quake2/\",\r\n"
              "  \"AllowCheatsCheckBox\": 1,\r\n"
              "  \"TimeLimitText\": \"Zo\xC3\xAB \xE2\x82\xAC\",\r\n"
              "  \"BotSkillSlider\": 3,\r\n"
              "  \"SpecificBotList\": [\r\n"
              "    \"Big Ed\",\r\n"
              "    \"Tom\",\r\n"
              "    \"Tom\"\r\n"
              "  ],\r\n"
              "  \"CTFMapOption\": true,\r\n"
              "  \"MapFile\": null,\r\n"
              "  \"CTFList\": \"q2ctf3\",\r\n"
              "  \"DeathmatchFlagsTotal\": 131072,\r\n"
              "  \"LaunchFragments\": {\r\n"
              "    \"MapFrame\": \" +map q2ctf3\",\r\n"
              "    \"AllowCheatsCheckBox\": \" +set cheats  1\"\r\n"
              "  }\r\n"
              "}\r\n");
    const SetupRead back = read(bytes);
    EXPECT_EQ(back.setup, kSample);
    EXPECT_TRUE(back.skipped.empty());

    // Every byte of a game text comes back, and so does the largest total the game holds.
    std::string text;
    for (int b = 1; b < 256; ++b) text += static_cast<char>(b);
    const vexmoor::Setup everyByte{"/q2/", {{"BotNumText", text}}, 2147483647.0, {}};
    EXPECT_EQ(read(setupFileBytes(everyByte)).setup, everyByte);
    // Whole numbers are taken however they are written.
    EXPECT_EQ(read(objectWith("\"BotSkillSlider\": 2.0, \"AllowCheatsCheckBox\": 1e0")).setup.controls,
              (std::map<std::string, SetupValue>{{"BotSkillSlider", 2}, {"AllowCheatsCheckBox", 1}}));
}

// Files that are no setup, each refused with the file's name and a reason.
TEST(SetupFile, DamagedAndForeignFilesAreRefusedWithTheReason) {
    struct Case {
        const char* what;
        std::string bytes;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"empty", "", "it is not JSON text"},
        {"cut short", "{\"VexmoorSetup\": 1, \"GameDirectory\": \"/q2/\"", "it is not JSON text"},
        {"not UTF-8", objectWith("\"TimeLimitText\": \"\xE9\""), "it is not JSON text"},
        {"a settings file", "\"/q2/\"\r\n1,0,0\r\n", "it is not JSON text"},
        {"a list", "[1, 2, 3]", "it holds no JSON object"},
        {"another program's object", "{\"name\": \"Friday\", \"map\": \"q2dm1\"}",
         "it is not a Vexmoor game setup"},
        {"the mark of the wrong kind", "{\"VexmoorSetup\": \"yes\", \"GameDirectory\": \"/q2/\"}",
         "it is not a Vexmoor game setup"},
        {"no game directory", "{\"VexmoorSetup\": 1}", "it names no game directory"},
        {"a game directory of the wrong kind", "{\"VexmoorSetup\": 1, \"GameDirectory\": 7}",
         "it names no game directory"},
        {"too large", objectWith("\"TimeLimitText\": \"" + std::string(kLargestSetupFile, 'x') + "\""),
         "larger than any setup file"},
    };
    for (const Case& c : cases) {
        const auto result = readSetupBytes(c.bytes, "friday.json");
        ASSERT_FALSE(result) << c.what;
        EXPECT_EQ(result.error().file, "friday.json") << c.what;
        EXPECT_NE(result.error().reason.find(c.reason), std::string::npos)
            << c.what << ": " << result.error().reason;
    }
}

// A value of the wrong kind or out of range skips its control only; keys
// the reader does not know are passed over in silence.
TEST(SetupFile, AValueOfTheWrongKindSkipsThatControlOnlyAndUnknownKeysAreIgnored) {
    struct Case {
        const char* key;
        const char* value;
        const char* why;
    };
    const std::vector<Case> cases = {
        {"AllowCheatsCheckBox", "3", "a check box state (0, 1 or 2) was expected, not 3"},
        {"AllowCheatsCheckBox", "true", "a check box state (0, 1 or 2) was expected, not true"},
        {"AllowCheatsCheckBox", "0.5", "was expected, not 0.5"},
        {"BotSkillSlider", "4", "4 is outside 0 to 3"},
        {"BotNumScroll", "-1", "-1 is outside 0 to 30"},
        {"BotNumScroll", "99999999999999999999", "a whole number was expected"},
        {"TimeLimitText", "20", "a text was expected, not 20"},
        {"TimeLimitText", "\"\xE2\x9C\x93\"", "cannot hold"},
        {"CTFMapOption", "1", "true or false was expected"},
        {"MapList", "[\"q2dm1\"]", "an entry's text or null was expected"},
        {"SpecificBotList", "[\"Tom\", 5]", "a list of entries' texts was expected"},
        {"SpecificBotList", "\"Tom\"", "a list of entries' texts was expected"},
        {"DeathmatchFlagsTotal", "\"4096\"",
         "a whole number from 0 to 2147483647 was expected, not \"4096\""},
        {"DeathmatchFlagsTotal", "1e300", "was expected, not 1e+300"},
        {"DeathmatchFlagsTotal", "2147483648", "was expected, not 2147483648"},
        {"DeathmatchFlagsTotal", "-4", "was expected, not -4"},
        {"DeathmatchFlagsTotal", "16.5", "was expected, not 16.5"},
    };
    for (const Case& c : cases) {
        const std::string bytes =
            objectWith(std::string("\"") + c.key + "\": " + c.value +
                       ", \"FragLimitText\": \"35\", \"ComeFromTheFuture\": {\"x\": [1]}, "
                       "\"LaunchFragments\": {\"SomeNewFrame\": 1}");
        const SetupRead back = read(bytes);
        ASSERT_EQ(back.skipped.size(), 1u) << c.key << " " << c.value;
        EXPECT_EQ(back.skipped[0].rfind(std::string(c.key) + " is passed over: ", 0), 0u) << back.skipped[0];
        EXPECT_NE(back.skipped[0].find(c.why), std::string::npos) << back.skipped[0];
        EXPECT_EQ(back.setup.controls.count(c.key), 0u) << c.key;
        EXPECT_EQ(back.setup.controls,
                  (std::map<std::string, SetupValue>{{"FragLimitText", std::string("35")}}));
        EXPECT_FALSE(back.setup.flagsTotal);
    }
}

struct Store {
    TempDir temp;
    SetupStore store{temp.path() / "vexmoor" / "setups"};
    std::string game = temp.text() + "game" + std::string(1, fs::path::preferred_separator);

    static vexmoor::Setup setupFor(const std::string& directory) { return {directory, {}, {}, {}}; }
    void save(const std::string& name, const std::string& directory) const {
        const Status saved = store.save(name, setupFor(directory));
        ASSERT_TRUE(saved) << saved.error().describe();
    }
};

// The store refuses them too, so that no name leads out of its folder.
TEST(SetupName, NamesThatCannotNameAFileOnEitherSystemAreRefusedWithTheReason) {
    const Store s;
    struct Case {
        std::string name, reason;
    };
    std::vector<Case> refused = {
        {"", "needs a name"},
        {std::string(51, 'x'), "at most 50 characters"},
        {"tab\there", "control characters"},
        {".hidden", "cannot begin with a dot"},
        {"Friday.", "cannot end in a dot or a blank"},
        {"Friday ", "cannot end in a dot or a blank"},
        {"CON", "keeps the name CON for a device"},
        {"con", "keeps the name CON for a device"},
        {"Nul.txt", "keeps the name NUL for a device"},
        {"aux .game", "keeps the name AUX for a device"},
        {"lpt9", "keeps the name LPT9"},
        {"COM0", "keeps the name COM0"},
        {"CONIN$", "keeps the name CONIN$"},
        {"COM\xC2\xB9", "for a device"},
    };
    // Each character Windows refuses in a file name, quoted in the reason.
    for (const char c : std::string("<>:\"/\\|?*"))
        refused.push_back({std::string("A") + c + "B", std::string("cannot hold \"") + c + "\""});
    for (const Case& c : refused) {
        const auto refusal = setupNameRefusal(c.name);
        ASSERT_TRUE(refusal) << "\"" << c.name << "\" was taken";
        EXPECT_NE(refusal->find(c.reason), std::string::npos) << c.name << ": " << *refusal;
        EXPECT_EQ(s.store.save(c.name, s.setupFor(s.game)).error().reason, *refusal);
        EXPECT_FALSE(s.store.remove(c.name)) << c.name;
    }
    EXPECT_FALSE(fs::exists(s.store.folder()));
    std::string fiftyAccented;
    for (int i = 0; i < 50; ++i) fiftyAccented += "\xC3\xAB";
    for (const std::string& name :
         {std::string("Friday CTF"), std::string("Last game"), std::string("Zo\xC3\xAB's duel"),
          std::string("CONSOLE"), std::string("com10"), std::string("a.b"), std::string("LPT"),
          std::string(50, 'x'), fiftyAccented})
        EXPECT_FALSE(setupNameRefusal(name)) << name << ": " << *setupNameRefusal(name);
}

TEST(SetupStore, OffersTheGameDirectorysSetupsHoweverItIsWrittenLastGameFirstThenByNameLetterCaseAside) {
    Store s;
    fs::create_directories(s.game);
    for (const char* name : {"rail duel", "Friday CTF", "Last game", "alpha", "Zo\xC3\xAB"})
        s.save(name, s.game);
    s.save("Other game", s.temp.text() + "elsewhere/");
    // What is no setup, or no setup's file name, is not offered.
    writeBytes(s.store.folder() / "broken.json", "{\"VexmoorSetup\": 1,");
    writeBytes(s.store.folder() / "foreign.json", "[1, 2]");
    writeBytes(s.store.folder() / "notes.txt", "Friday: CTF");
    writeBytes(s.store.folder() / "SHOUTED.JSON", setupFileBytes(s.setupFor(s.game)));
    writeBytes(s.store.folder() / ".hidden.json", setupFileBytes(s.setupFor(s.game)));
    const std::vector<std::string> names{"Last game", "alpha", "Friday CTF", "rail duel", "Zo\xC3\xAB"};
    EXPECT_EQ(s.store.names(s.game), names);
    const std::string separator(1, fs::path::preferred_separator);
    EXPECT_EQ(s.store.names(s.game + "." + separator), names);
    // Another name for the folder, where the system makes links.
    std::error_code noLinks;
    fs::create_directory_symlink(s.game, s.temp.path() / "link", noLinks);
    if (!noLinks) {
        EXPECT_EQ(s.store.names(s.temp.text() + "link" + separator), names);
    }
    EXPECT_EQ(s.store.names(s.temp.text() + "elsewhere/"), std::vector<std::string>{"Other game"});
    EXPECT_TRUE(s.store.names(s.temp.text()).empty());
    EXPECT_TRUE(s.store.names("").empty());
    EXPECT_TRUE(SetupStore(s.temp.path() / "none").names(s.game).empty());
}

}  // namespace
}  // namespace vexmoor::testing
