#include "launcher/settings_file.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "launcher/vexmoor_main.h"
#include "support/main_fixture.h"

namespace vexmoor::testing {
namespace {

// The 32 fields of a settings file as they stand in the file, in file order.
using Fields = std::vector<std::string>;

Fields defaultFields(const std::string& directory) {
    Fields fields = {'"' + directory + '"'};
    for (const char* state : {"1", "0", "0", "1", "1", "1", "0", "0", "1", "0", "0", "0", "1", "0", "0", "0"})
        fields.push_back(state);
    fields.push_back("0");
    for (const char* field :
         {"0", "0", "\"20\"", "0", "\"20\"", "0", "\"8\"", "\"0\"", "\"1\"", "1", "1", "0", "1", "0"})
        fields.push_back(field);
    return fields;
}

// Joins fields the way the writer does: four lines, commas within a line.
std::string fourLines(const Fields& f, const std::string& lineEnd = "\r\n") {
    std::string out;
    for (std::size_t i = 0; i < f.size(); ++i) {
        out += f[i];
        const bool lastOfLine = i == 0 || i == 16 || i == 17 || i == 31;
        out += lastOfLine ? lineEnd : ",";
    }
    return out;
}

std::string joined(const Fields& f, const std::string& separator, const std::string& end) {
    std::string out;
    for (std::size_t i = 0; i < f.size(); ++i) out += f[i] + (i + 1 < f.size() ? separator : end);
    return out;
}

// Every control the settings file stores, found by its name.
std::map<std::string, Control*> storedControls(VexmoorMain& main) {
    auto& g = main.gameplay;
    std::map<std::string, Control*> controls;
    // clang-format off
    for (Control* c : std::initializer_list<Control*>{
             &g.FallingDamageCheckBox, &g.WeaponsStayCheckBox, &g.InstantPowerupsCheckBox, &g.AllowPowerupsCheckBox,
             &g.AllowHealthCheckBox, &g.AllowArmorCheckBox, &g.SpawnFarthestCheckBox, &g.SameMapCheckBox,
             &g.ForceRespawnCheckBox, &g.AllowExitCheckBox, &g.InfiniteAmmoCheckBox, &g.QuadDropCheckBox,
             &g.FriendlyFireCheckBox, &g.FixedFOVCheckBox, &g.ViewableWeaponsCheckBox, &g.CloseOnExitCheckBox,
             &g.DedicatedCheckBox, &g.TimelimitCheckBox, &g.TimeLimitText, &g.FraglimitCheckBox, &g.FragLimitText,
             &g.MaxPlayersCheckBox, &g.MaxPlayersText, &g.BotFreeClientsText, &g.ClientLatencyText,
             &g.ClientCommandsCheckBox, &g.BotConnectInfoCheckBox, &g.AllowCheatsCheckBox, &g.BotCalcNodesCheck,
             &g.CommandLineEditCheck, &main.preferences.ExePathText})
        controls[c->name()] = c;
    // clang-format on
    return controls;
}

std::string valueOf(const Control* control) {
    if (const auto* box = dynamic_cast<const CheckBox*>(control)) return std::to_string(box->state());
    return dynamic_cast<const TextBox*>(control)->text();
}

// The fields' controls in file order (field 18, the flags total, has none).
// clang-format off
const std::vector<std::string> kFieldControls = {
    "ExePathText",
    "FallingDamageCheckBox", "WeaponsStayCheckBox", "InstantPowerupsCheckBox", "AllowPowerupsCheckBox",
    "AllowHealthCheckBox", "AllowArmorCheckBox", "SpawnFarthestCheckBox", "SameMapCheckBox",
    "ForceRespawnCheckBox", "AllowExitCheckBox", "InfiniteAmmoCheckBox", "QuadDropCheckBox",
    "FriendlyFireCheckBox", "FixedFOVCheckBox", "ViewableWeaponsCheckBox", "CloseOnExitCheckBox",
    "",
    "DedicatedCheckBox", "TimelimitCheckBox", "TimeLimitText", "FraglimitCheckBox", "FragLimitText",
    "MaxPlayersCheckBox", "MaxPlayersText", "BotFreeClientsText", "ClientLatencyText", "ClientCommandsCheckBox",
    "BotConnectInfoCheckBox", "AllowCheatsCheckBox", "BotCalcNodesCheck", "CommandLineEditCheck"};
// clang-format on

TEST(SettingsWriter, DefaultsWithTheGameDirectoryGiveExactlyTheFourLines) {
    MainFixture f;
    f.main().preferences.ExePathText.setText(f.game.text());
    const std::string expected = "\"" + f.game.text() +
                                 "\"\r\n"
                                 "1,0,0,1,1,1,0,0,1,0,0,0,1,0,0,0\r\n"
                                 "0\r\n"
                                 "0,0,\"20\",0,\"20\",0,\"8\",\"0\",\"1\",1,1,0,1,0\r\n";
    EXPECT_EQ(settingsFileBytes(f.main(), 0), expected);
    EXPECT_EQ(fourLines(defaultFields(f.game.text())), expected);

    ASSERT_TRUE(writeSettingsFile(f.settingsFile, f.main(), 0));
    EXPECT_EQ(readBytes(f.settingsFile), expected);
}

TEST(SettingsWriter, WritesTheFlagsTotalAsPlainWholeDigits) {
    const std::vector<std::pair<double, std::string>> cases = {{0, "0"},
                                                               {-0.0, "0"},
                                                               {4, "4"},
                                                               {-16384, "-16384"},
                                                               {1073741824, "1073741824"},
                                                               {3e15, "3000000000000000"},
                                                               {12.5, "12"},
                                                               {13.5, "14"}};
    MainFixture f;
    for (const auto& [total, text] : cases) {
        const std::string bytes = settingsFileBytes(f.main(), total);
        EXPECT_NE(bytes.find("\r\n" + text + "\r\n"), std::string::npos) << total << " in " << bytes;
    }
}

TEST(SettingsReader, EachFieldLandsInItsOwnControl) {
    for (std::size_t field = 0; field < kFieldControls.size(); ++field) {
        if (kFieldControls[field].empty()) continue;
        SCOPED_TRACE("field " + std::to_string(field + 1) + " " + kFieldControls[field]);
        MainFixture f;
        auto controls = storedControls(f.main());
        std::map<std::string, std::string> defaults;
        for (const auto& [name, control] : controls) defaults[name] = valueOf(control);

        Fields fields = defaultFields("/q2/");
        std::string& raw = fields[field];
        const bool text = raw.front() == '"';
        raw = text ? "\"changed\"" : (raw == "0" ? "1" : "0");
        defaults["ExePathText"] = "/q2/";
        ASSERT_TRUE(applySettingsBytes(fourLines(fields), "vexmoor.ini", f.main()));

        for (const auto& [name, control] : controls) {
            const std::string expected =
                name == kFieldControls[field] ? (text ? "changed" : raw) : defaults[name];
            EXPECT_EQ(valueOf(control), expected) << name;
        }
    }
}

TEST(SettingsReader, OnlyTheFieldOrderMattersNotTheLayout) {
    Fields fields = {"\"/games/q 2,x/\"",
                     "0",
                     "1",
                     "2",
                     "1",
                     "0",
                     "1",
                     "1",
                     "0",
                     "0",
                     "1",
                     "1",
                     "1",
                     "0",
                     "1",
                     "1",
                     "1",
                     "-16384",
                     "1",
                     "1",
                     "\"1,5\"",
                     "2",
                     "\"50\"",
                     "1",
                     "\"16\"",
                     "\"2\"",
                     "\"200\"",
                     "0",
                     "0",
                     "1",
                     "0",
                     "1"};
    const std::string canonical = fourLines(fields);
    Fields padded = fields;
    for (auto& field : padded) field = "  " + field;

    const std::vector<std::pair<std::string, std::string>> layouts = {
        {"four lines", canonical},
        {"bare LF", fourLines(fields, "\n")},
        {"one field a line", joined(fields, "\r\n", "\r\n")},
        {"one field a line, bare LF", joined(fields, "\n", "\n")},
        {"all on one line", joined(fields, ",", "\r\n")},
        {"blanks before fields", fourLines(padded)},
        {"no final line end", joined(fields, "\r\n", "")},
    };
    for (const auto& [what, bytes] : layouts) {
        SCOPED_TRACE(what);
        MainFixture f;
        VexmoorMain& main = f.main();
        const Status status = applySettingsBytes(bytes, "vexmoor.ini", main);
        ASSERT_TRUE(status) << status.error().describe();
        EXPECT_EQ(settingsFileBytes(main, main.flags.total), canonical);
        EXPECT_EQ(main.preferences.ExePathText.text(), "/games/q 2,x/");
        EXPECT_EQ(main.gameplay.InstantPowerupsCheckBox.state(), 2);
        EXPECT_EQ(main.gameplay.TimeLimitText.text(), "1,5");
        EXPECT_EQ(main.flags.total, -16384);
    }
}

TEST(SettingsReader, TheStoredTotalWinsOverWhatTheBoxesAdded) {
    const std::string flipped = "0,1,1,0,0,0,1,1,0,1,1,1,0,1,1,1";
    for (const char* total : {"0", "4"}) {
        MainFixture f;
        f.main().flags.total = 99;
        const std::string bytes = "\"/q2/\"\r\n" + flipped + "\r\n" + total +
                                  "\r\n0,0,\"20\",0,\"20\",0,\"8\",\"0\",\"1\",1,1,0,1,0\r\n";
        ASSERT_TRUE(applySettingsBytes(bytes, "vexmoor.ini", f.main()));
        EXPECT_EQ(f.main().flags.total, std::stod(total));
        EXPECT_EQ(settingsFileBytes(f.main(), f.main().flags.total), bytes);
    }
}

TEST(SettingsReader, ACheckedLimitBoxIsBuiltWithTheDefaultTextFirstThenWithTheStoredOne) {
    MainFixture f;
    auto& g = f.main().gameplay;
    std::vector<std::string> atTextChange;
    Connection time =
        g.TimeLimitText.changed().connect([&] { atTextChange.push_back(g.TimelimitCheckBox.fragment()); });
    Connection frag =
        g.FragLimitText.changed().connect([&] { atTextChange.push_back(g.FraglimitCheckBox.fragment()); });

    ASSERT_TRUE(
        applySettingsBytes("\"/q2/\"\r\n1,0,0,1,1,1,0,0,1,0,0,0,1,0,0,0\r\n0\r\n"
                           "0,1,\"45\",1,\"50\",0,\"8\",\"0\",\"1\",1,1,0,1,0\r\n",
                           "vexmoor.ini", f.main()));

    EXPECT_EQ(atTextChange, (std::vector<std::string>{" +timelimit 20", " +fraglimit 20"}));
    EXPECT_EQ(g.TimelimitCheckBox.fragment(), " +timelimit 45");
    EXPECT_EQ(g.FraglimitCheckBox.fragment(), " +fraglimit 50");
}

struct BrokenCase {
    const char* what;
    std::string bytes;
    int line;
    std::string fieldNumber;  // "field <n>" in the reason
};

void PrintTo(const BrokenCase& c, std::ostream* out) { *out << c.what; }

class SettingsReaderBroken : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(SettingsReaderBroken, StopsAtTheBrokenFieldKeepingWhatCameBefore) {
    const BrokenCase& c = GetParam();
    MainFixture f;
    VexmoorMain& main = f.main();

    const Status status = applySettingsBytes(c.bytes, "config/vexmoor.ini", main);

    ASSERT_FALSE(status);
    EXPECT_EQ(status.error().file, "config/vexmoor.ini");
    EXPECT_EQ(status.error().line, c.line);
    EXPECT_NE(status.error().reason.find(c.fieldNumber), std::string::npos) << status.error().reason;
    EXPECT_NE(status.error().describe().find("config/vexmoor.ini, line " + std::to_string(c.line)),
              std::string::npos);
    EXPECT_EQ(main.preferences.ExePathText.text(), "");  // the directory is applied only at the end
}

const std::string kLineTwoToFour = "0,1,1,";  // fields 2 to 4, none of them at its default

INSTANTIATE_TEST_SUITE_P(
    Settings, SettingsReaderBroken,
    ::testing::Values(
        BrokenCase{"fifth field not a number",
                   "\"/q2/\"\r\n" + kLineTwoToFour + "x,1,1,0,0,1,0,0,0,1,0,0,0\r\n0\r\n", 2, "field 5"},
        BrokenCase{"fifth field out of range",
                   "\"/q2/\"\r\n" + kLineTwoToFour + "3,1,1,0,0,1,0,0,0,1,0,0,0\r\n0\r\n", 2, "field 5"},
        BrokenCase{"fifth field negative",
                   "\"/q2/\"\r\n" + kLineTwoToFour + "-1,1,1,0,0,1,0,0,0,1,0,0,0\r\n0\r\n", 2, "field 5"},
        BrokenCase{"fifth field empty", "\"/q2/\"\r\n" + kLineTwoToFour + ",1,1,0,0,1,0,0,0,1,0,0,0\r\n0\r\n",
                   2, "field 5"},
        BrokenCase{"flags total not a number",
                   "\"/q2/"
                   "\"\r\n1,0,0,1,1,1,0,0,1,0,0,0,1,0,0,0\r\nmany\r\n0,0,\"20\",0,\"20\",0,\"8\",\"0\",\"1\","
                   "1,1,0,1,0\r\n",
                   3, "field 18"},
        BrokenCase{"a check box on line four",
                   "\"/q2/"
                   "\"\r\n1,0,0,1,1,1,0,0,1,0,0,0,1,0,0,0\r\n0\r\n0,yes,\"20\",0,\"20\",0,\"8\",\"0\",\"1\","
                   "1,1,0,1,0\r\n",
                   4, "field 20"},
        BrokenCase{"a short file", "\"/q2/\"\r\n1,0,0,1,1,1,0,0,1,0,0,0,1,0,0,0\r\n0\r\n0,0,\"20\"\r\n", 4,
                   "field 22"},
        BrokenCase{"an empty file", "", 1, "field 1"}),
    [](const ::testing::TestParamInfo<BrokenCase>& param) { return "Case" + std::to_string(param.index); });

TEST(SettingsReader, ABrokenFieldLeavesTheBoxesBeforeItWithTheirStoredStates) {
    MainFixture f;
    auto& g = f.main().gameplay;
    ASSERT_FALSE(applySettingsBytes("\"/q2/\"\r\n0,1,1,x,0,0\r\n", "vexmoor.ini", f.main()));
    EXPECT_EQ(g.FallingDamageCheckBox.state(), 0);
    EXPECT_EQ(g.WeaponsStayCheckBox.state(), 1);
    EXPECT_EQ(g.InstantPowerupsCheckBox.state(), 1);
    EXPECT_EQ(g.AllowPowerupsCheckBox.state(), 1);  // the broken field and those after it keep their defaults
    EXPECT_EQ(g.AllowHealthCheckBox.state(), 1);
}

TEST(SettingsFile, ATextWithACommaAndAGrayedBoxRoundTrip) {
    MainFixture f;
    f.main().preferences.ExePathText.setText("/q2/");
    f.main().gameplay.TimeLimitText.setText("1,5");
    f.main().gameplay.DedicatedCheckBox.setState(2);
    ASSERT_TRUE(writeSettingsFile(f.settingsFile, f.main(), 0));
    const std::string bytes = readBytes(f.settingsFile);
    EXPECT_NE(bytes.find("\r\n2,0,\"1,5\",0,"), std::string::npos) << bytes;

    MainFixture g;
    ASSERT_TRUE(readSettingsFile(f.settingsFile, g.main()));
    EXPECT_EQ(g.main().gameplay.TimeLimitText.text(), "1,5");
    EXPECT_EQ(g.main().gameplay.DedicatedCheckBox.state(), 2);
    EXPECT_EQ(settingsFileBytes(g.main(), 0), bytes);
}

}  // namespace
}  // namespace vexmoor::testing
