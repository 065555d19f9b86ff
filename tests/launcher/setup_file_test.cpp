// The setup file: what the writer puts in it, what the reader takes back,
// and what it makes of damaged and foreign files and of names.
#include "launcher/setup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/file_io.h"
#include "launcher/setup_store.h"
#include "support/fakes.h"

namespace vexmoor::testing {
namespace {

// A setup whose texts hold the code page's own characters ("\xEB" is e with
// two dots, "\x80" the euro sign).
vexmoor::Setup sample() {
    vexmoor::Setup setup;
    setup.gameDirectory = "/games/quake2/";
    setup.controls = {
        {"AllowCheatsCheckBox", 1},
        {"TimeLimitText", std::string("Zo\xEB \x80")},
        {"BotSkillSlider", 3},
        {"CTFMapOption", true},
        {"MapFile", std::optional<std::string>()},
        {"CTFList", std::optional<std::string>("q2ctf3")},
        {"SpecificBotList", std::vector<std::string>{"Big Ed", "Tom", "Tom"}},
    };
    setup.flagsTotal = 131072;
    setup.fragments = {{"AllowCheatsCheckBox", " +set cheats  1"}, {"MapFrame", " +map q2ctf3"}};
    return setup;
}

SetupRead read(const std::string& bytes) {
    auto result = readSetupBytes(bytes, "friday.json");
    EXPECT_TRUE(result) << result.error().describe();
    return result ? result.value() : SetupRead{};
}

std::string objectWith(const std::string& members) {
    return "{\"VexmoorSetup\": 1, \"GameDirectory\": \"/q2/\"" + (members.empty() ? "" : ", " + members) +
           "}";
}

TEST(SetupFile, WritesKeysNamedAfterTheControlsInPageOrderAsUtf8WithCrLf) {
    const std::string bytes = setupFileBytes(sample());
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
    EXPECT_EQ(back.setup, sample());
    EXPECT_TRUE(back.skipped.empty());
}

TEST(SetupFile, EveryByteOfAGameTextAndAFractionalTotalComeBack) {
    vexmoor::Setup setup;
    setup.gameDirectory = "/q2/";
    std::string everyByte;
    for (int b = 1; b < 256; ++b) everyByte += static_cast<char>(b);
    setup.controls["BotNumText"] = everyByte;
    setup.flagsTotal = -12.5;
    EXPECT_EQ(read(setupFileBytes(setup)).setup, setup);
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
        {"DeathmatchFlagsTotal", "\"4096\"", "a number was expected"},
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

TEST(SetupFile, WholeNumbersAreTakenHoweverTheyAreWritten) {
    const SetupRead back = read(objectWith("\"BotSkillSlider\": 2.0, \"AllowCheatsCheckBox\": 1e0"));
    EXPECT_TRUE(back.skipped.empty());
    EXPECT_EQ(back.setup.controls.at("BotSkillSlider"), SetupValue(2));
    EXPECT_EQ(back.setup.controls.at("AllowCheatsCheckBox"), SetupValue(1));
}

TEST(SetupName, NamesThatCannotNameAFileOnEitherSystemAreRefusedWithTheReason) {
    struct Case {
        std::string name;
        const char* reason;
    };
    const std::vector<Case> refused = {
        {"", "needs a name"},
        {std::string(51, 'x'), "at most 50 characters"},
        {"Duel: rail", "cannot hold \":\""},
        {"A/B", "cannot hold \"/\""},
        {"A\\B", "cannot hold \"\\\""},
        {"Why?", "cannot hold \"?\""},
        {"Star*", "cannot hold \"*\""},
        {"<big>", "cannot hold \"<\""},
        {"a|b", "cannot hold \"|\""},
        {"say \"hi\"", "cannot hold \"\"\""},
        {"tab\there", "control characters"},
        {"line\nbreak", "control characters"},
        {".hidden", "cannot begin with a dot"},
        {"Friday.", "cannot end in a dot or a blank"},
        {"Friday ", "cannot end in a dot or a blank"},
        {"CON", "keeps the name CON for a device"},
        {"con", "keeps the name CON for a device"},
        {"Nul.txt", "keeps the name NUL for a device"},
        {"aux .game", "keeps the name AUX for a device"},
        {"COM1", "keeps the name COM1"},
        {"lpt9", "keeps the name LPT9"},
        {"COM0", "keeps the name COM0"},
        {"CONIN$", "keeps the name CONIN$"},
        {"COM\xC2\xB9", "for a device"},
    };
    for (const Case& c : refused) {
        const auto refusal = setupNameRefusal(c.name);
        ASSERT_TRUE(refusal) << "\"" << c.name << "\" was taken";
        EXPECT_NE(refusal->find(c.reason), std::string::npos) << c.name << ": " << *refusal;
    }
    std::string fiftyAccented;
    for (int i = 0; i < 50; ++i) fiftyAccented += "\xC3\xAB";
    for (const std::string& name :
         {std::string("Friday CTF"), std::string("Last game"), std::string("Zo\xC3\xAB's duel"),
          std::string("CONSOLE"), std::string("com10"), std::string("a.b"), std::string("LPT"),
          std::string(50, 'x'), fiftyAccented})
        EXPECT_FALSE(setupNameRefusal(name)) << name << ": " << *setupNameRefusal(name);
}

}  // namespace
}  // namespace vexmoor::testing
