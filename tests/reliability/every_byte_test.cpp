// Every byte value 1 to 255 through every text field of every file the
// program writes. Each byte alone goes through the format's writer and reader
// (for the roster also the next start's tidy step), on the bytes the file
// functions write and read; then all the bytes a field can hold go through
// the real files at once. A field lists the bytes it cannot hold: for those
// the writer refuses with a message, or, where the editor writes every text
// as it stands, the editor warns that it will read back otherwise. Nothing is
// ever changed without a word.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "chat/chat_file.h"
#include "core/ports.h"
#include "launcher/editors.h"
#include "launcher/settings_file.h"
#include "options/map_cycle_file.h"
#include "roster/game_rules.h"
#include "roster/roster_file.h"
#include "support/main_fixture.h"
#include "teams/edit_team_form.h"
#include "teams/member_list.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

// Every byte 1 to 255 but those given.
std::string everyByteBut(const std::string& leftOut) {
    std::string bytes;
    for (int byte = 1; byte <= 255; ++byte)
        if (leftOut.find(static_cast<char>(byte)) == std::string::npos) bytes += static_cast<char>(byte);
    return bytes;
}

// What became of a text sent through a field's writer and reader.
enum class Outcome {
    Kept,     // read back byte for byte
    Refused,  // the writer refused it with a message; nothing was written
    Warned,   // written as it stands, and the editor warns that it reads back otherwise
    Lost,     // read back otherwise without a word: never acceptable
};

// Each byte alone, in the middle of a text so that rules for a text's first
// byte stay out of the way: the bytes that do not come back must be exactly
// `cannotHold`, and none of them may be lost without a word.
void sweep(const char* field, const std::string& cannotHold,
           const std::function<Outcome(const std::string&)>& send) {
    SCOPED_TRACE(field);
    std::string notKept;
    for (int byte = 1; byte <= 255; ++byte) {
        const Outcome outcome = send("a" + std::string(1, static_cast<char>(byte)) + "z");
        if (outcome != Outcome::Kept) notKept += static_cast<char>(byte);
        EXPECT_NE(outcome, Outcome::Lost) << "byte " << byte;
    }
    EXPECT_EQ(notKept, cannotHold);
}

// ---- Settings: every text field, the game directory among them.

TEST(EveryByte, SurvivesTheSettingsFile) {
    using Text = TextBox& (*)(VexmoorMain&);
    const Text fields[] = {
        [](VexmoorMain& m) -> TextBox& { return m.preferences.ExePathText; },
        [](VexmoorMain& m) -> TextBox& { return m.gameplay.TimeLimitText; },
        [](VexmoorMain& m) -> TextBox& { return m.gameplay.FragLimitText; },
        [](VexmoorMain& m) -> TextBox& { return m.gameplay.MaxPlayersText; },
        [](VexmoorMain& m) -> TextBox& { return m.gameplay.BotFreeClientsText; },
        [](VexmoorMain& m) -> TextBox& { return m.gameplay.ClientLatencyText; },
    };
    MainFixture written, read;
    for (const Text field : fields) {
        const auto send = [&](const std::string& text) {
            field(written.main()).setText(text);
            // Save Settings refuses such a text with a message.
            if (!fieldWithDoubleQuote(written.main()).empty()) return Outcome::Refused;
            const bool kept =
                applySettingsBytes(settingsFileBytes(written.main(), 4), "vexmoor.ini", read.main()) &&
                field(read.main()).text() == text && read.main().flags.total == 4;
            return kept ? Outcome::Kept : Outcome::Lost;
        };
        sweep(field(written.main()).name().c_str(), "\"", send);
        field(written.main()).setText("a" + everyByteBut("\"") + "z");
    }
    // All of them at once, through the file.
    ASSERT_TRUE(writeSettingsFile(written.settingsFile, written.main(), 4));
    ASSERT_TRUE(readSettingsFile(written.settingsFile, read.main()));
    for (const Text field : fields) EXPECT_EQ(field(read.main()).text(), field(written.main()).text());
}

// ---- Roster: every text of a bot, a team and a view weapon, written and
// read back as the next start reads it: the tidy step, then the reader.

Roster oneOfEach() {
    Roster r;
    r.resizeBots(2);
    r.BotCount = 1;
    r.BotNames.set(0, "Ash");
    r.BotModelSkins.set(0, "wren/ember");
    for (auto* list : {&r.BotAccuracy, &r.BotAgressiveness, &r.BotCombatSkills, &r.BotFavoriteWeapon,
                       &r.BotQuadFreak, &r.BotCamper, &r.BotPing})
        (*list)[0] = RosterValue::number(3);
    r.resizeTeams(2);
    r.TeamCount = 1;
    r.TeamNames[0] = "Red Fangs";
    r.TeamShortNames[0] = "RF";
    r.TeamModelSkins[0] = "wren/ember";
    r.TeamMembers[0] = "[\"Ash\"]";
    r.resizeViewWeapons(2);
    r.ViewWeaponCount = 1;
    r.ViewWeaponLines[0] = "w_railgun";
    return r;
}

// The file does not keep the model and skin halves; the editors fill them in
// (the bot editor makes the bots' halves first).
Roster withoutHalves(Roster roster) {
    for (auto* list : {&roster.BotModels, &roster.BotSkins}) list->clear();
    for (auto* list : {&roster.TeamModels, &roster.TeamSkins}) list->assign(list->size(), "");
    return roster;
}

TEST(EveryByte, SurvivesTheRosterFileAndTheNextStart) {
    using Put = void (*)(Roster&, const std::string&);
    const struct {
        const char* name;
        std::string cannotHold;
        Put put;
    } fields[] = {
        {"bot name", "\n\"", [](Roster& r, const std::string& t) { r.BotNames.set(0, t); }},
        {"bot model/skin", "\n\"", [](Roster& r, const std::string& t) { r.BotModelSkins.set(0, t); }},
        // A value that is no number is written bare, so a double quote stays
        // in it, but not together with a blank or a comma.
        {"bot value (a text)", "\n",
         [](Roster& r, const std::string& t) { r.BotPing[0] = RosterValue::text(t); }},
        {"team name", "\n\"", [](Roster& r, const std::string& t) { r.TeamNames[0] = t; }},
        {"team abbreviation", "\n\"", [](Roster& r, const std::string& t) { r.TeamShortNames[0] = t; }},
        {"team model/skin", "\n\"", [](Roster& r, const std::string& t) { r.TeamModelSkins[0] = t; }},
        {"view weapon", "\n\"", [](Roster& r, const std::string& t) { r.ViewWeaponLines[0] = t; }},
    };
    Roster all = oneOfEach();
    for (const auto& field : fields) {
        sweep(field.name, field.cannotHold, [&](const std::string& text) {
            Roster roster = oneOfEach();
            field.put(roster, text);
            // WriteRoster refuses, and says why, whatever this names.
            if (unwritableRosterReason(roster, ModelSkinSource::AsRead)) return Outcome::Refused;
            Roster again;
            const std::string tidied = tidiedRosterBytes(rosterFileBytes(roster, ModelSkinSource::AsRead));
            const bool kept = readRosterBytes(tidied, "bots.cfg", again) && again == withoutHalves(roster);
            return kept ? Outcome::Kept : Outcome::Lost;
        });
        field.put(all, "a" + everyByteBut(field.cannotHold == "\n" ? "\n\"" : field.cannotHold) + "z");
    }
    // All of them at once, through the file and the next start.
    TempDir temp;
    const fs::path file = temp.path() / "bots.cfg";
    FakeDialogs dialogs;
    ASSERT_TRUE(WriteRoster(file, all, ModelSkinSource::AsRead, dialogs));
    ASSERT_TRUE(CheckRosterFile(file, dialogs));
    Roster again;
    ASSERT_TRUE(ReadRoster(file, again));
    EXPECT_EQ(again, withoutHalves(all));
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"Bots.cfg file written."});
}

// A team member's name goes into the member list the team editor builds, in
// double quotes inside a list written bare: it cannot hold what would close
// the name or end the list. Each bot is in memory only, as the new-bot dialog
// leaves it; the team editor's Save writes the file.
TEST(EveryByte, SurvivesAsATeamMemberThroughTheTeamEditor) {
    MainFixture f;
    f.game.withEraserFolder()
        .withRoster("[bots]\r\n[teams]\r\n[view weapons]\r\n")
        .withModel("wren", {"ember.pcx"});
    f.writeSettings();
    registerEditors(f.startUp());
    Roster& r = f.roster;
    r.resizeBots(2);
    r.BotCount = 1;
    r.BotModelSkins.set(0, "wren/ember");
    for (auto* list : {&r.BotAccuracy, &r.BotAgressiveness, &r.BotCombatSkills, &r.BotFavoriteWeapon,
                       &r.BotQuadFreak, &r.BotCamper, &r.BotPing})
        (*list)[0] = RosterValue::number(3);
    f.main().teamplay.EditTeamButton.click();
    auto& form = dynamic_cast<EditTeamForm&>(*f.main().editor());
    const fs::path file = rosterPath(f.game.text());

    sweep("team member", "\n\r\",", [&](const std::string& name) {
        r.BotNames.set(0, name);
        form.AddButton.click();
        form.AddTeamText.setText("Moss");
        form.TeamIndividualsList.setSelected(0, true);
        const std::size_t mark = f.dialogs.shown.size();
        form.SaveButton.click();
        if (f.dialogs.texts().back() != "Bots.cfg file written.") {
            form.CancelButton.click();
            return f.dialogs.shown.size() == mark + 1 ? Outcome::Refused : Outcome::Lost;
        }
        Roster again;
        const bool kept = CheckRosterFile(file, f.dialogs) && ReadRoster(file, again) &&
                          again == withoutHalves(r) &&
                          memberNames(again.TeamMembers[static_cast<std::size_t>(again.TeamCount - 1)]) ==
                              std::vector{name};
        return kept ? Outcome::Kept : Outcome::Lost;
    });
}

// ---- launcher.cfg: the names of bots and teams as the roster delivers them
// (no double quote, no line feed), through a real launch.

TEST(EveryByte, SurvivesIntoLauncherCfg) {
    const std::string name = "B" + everyByteBut("\n\"") + "z";
    std::string spelled = name;
    for (char& c : spelled)
        if (c == ' ') c = '~';
    for (const bool teams : {false, true}) {
        SCOPED_TRACE(teams ? "teams" : "bots");
        MainFixture f;
        const std::string bot = "\"wren/ember\" 3  3  3  0  0  0  40 \r\n";
        f.game.withEraserFolder().withRoster("[bots]\r\n\"" + name + "\"" + bot + "\"Tom\"" + bot +
                                             "[teams]\r\n\"" + name +
                                             "\"\"A\"\"wren/ember\"[]\r\n\"Blue\"\"B\"\"wren/ember\"[]\r\n"
                                             "[view weapons]\r\n");
        f.writeSettings();
        VexmoorMain& main = f.startUp();
        ASSERT_EQ(main.roster().BotNames[0], name);
        if (teams) {
            main.teamplay.TeamplayCheckBox.click();
            main.teamplay.YourTeamList.setSelectedIndex(0);
            main.teamplay.BotTeamList.setSelected(0, true);
        } else {
            main.bots.SpawnSpecificBotsOption.choose();
            main.bots.SpecificBotList.setSelected(0, true);
        }
        main.LaunchButton.click();
        EXPECT_EQ(f.processes.starts.size(), 1u);
        EXPECT_EQ(
            readBytes(f.game.root() / "eraser" / "launcher.cfg"),
            teams ? "cmd join " + name + "\r\nsv teams " + name + "\r\n" : "sv bots " + spelled + "\r\n");
    }
}

// ---- Chat lines and map cycle names are written as they stand; the editors
// warn of what would not read back.

TEST(EveryByte, SurvivesTheChatFile) {
    sweep("chat line", "\n", [](const std::string& line) {
        ChatSections sections;
        sections[3] = {line};
        if (readChatBytes(chatFileBytes(sections)) == sections) return Outcome::Kept;
        return game_rules::chatLineWarnings(3, line).empty() ? Outcome::Lost : Outcome::Warned;
    });
    TempDir temp;
    ChatSections all;
    all[3] = {"a" + everyByteBut("\n") + "z"};
    ASSERT_TRUE(writeChatFile(temp.path() / "chat.txt", all));
    const auto again = readChatFile(temp.path() / "chat.txt");
    ASSERT_TRUE(again);
    EXPECT_EQ(again.value(), all);
}

TEST(EveryByte, SurvivesTheMapCycleFile) {
    sweep("map name", "\n,", [](const std::string& name) {
        const std::vector<std::string> cycle = {"q2dm1", name, "q2dm2"};
        if (readMapCycleBytes(mapCycleBytes(cycle)) == cycle) return Outcome::Kept;
        return game_rules::mapCycleWarnings(cycle).empty() ? Outcome::Lost : Outcome::Warned;
    });
    TempDir temp;
    const std::vector<std::string> all = {"q2dm1", "a" + everyByteBut("\n,") + "z"};
    ASSERT_TRUE(writeMapCycle(temp.path() / "maps.txt", all));
    const auto again = readMapCycle(temp.path() / "maps.txt");
    ASSERT_TRUE(again);
    EXPECT_EQ(again.value(), all);
}

}  // namespace
}  // namespace vexmoor::testing
