#include "roster/bot_config_form.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "launcher/editors.h"
#include "roster/roster_test_support.h"
#include "support/main_fixture.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

const std::string kThreeBots =
    "[bots]\r\n"
    "\"Ash\"\"rook/slate\" 1  2  3  4  0  1  50 \r\n"
    "\"Birch\"\"wren/ember\" 2  3  4  5  1  0  60 \r\n"
    "\"Cedar\"\"rook/moss\" 3  4  5  6  0  0  70 \r\n"
    "[teams]\r\n"
    "[view weapons]\r\n";

// The main window after its start-up on a roster and two installed models,
// with the editors registered; open() is the Edit Bot Profiles button.
struct EditorFixture : MainFixture {
    explicit EditorFixture(const std::string& bots = kThreeBots) {
        game.withEraserFolder()
            .withRoster(bots)
            .withModel("rook", {"slate.pcx", "moss.pcx", "rook_i.pcx", "weapon.pcx"})
            .withModel("wren", {"ember.pcx", "frost.pcx"});
        writeSettings();
        registerEditors(main());
        startUp();
    }
    BotConfigForm& open() {
        main().bots.BotEditButton.click();
        return *static_cast<BotConfigForm*>(main().editor());
    }
    fs::path rosterFile() const { return game.root() / "eraser" / "bots.cfg"; }
};

TEST(BotConfigForm, OpensOnTheFirstBotWithoutChangingTheRoster) {
    EditorFixture f;
    const Roster before = f.roster;
    BotConfigForm& e = f.open();

    EXPECT_EQ(e.caption(), "Bot Configuration");
    EXPECT_FALSE(f.main().enabled());
    EXPECT_EQ(e.BotNameList.items(), (Names{"Ash", "Birch", "Cedar"}));
    EXPECT_EQ(e.BotNameList.selectedIndex(), 0);
    EXPECT_FALSE(e.BotInfoFrame.enabled());
    EXPECT_EQ(e.BotInfoFrame.caption(), "Ash");
    EXPECT_FALSE(e.ModelList.visible());
    EXPECT_TRUE(e.BotModelThing.visible());
    EXPECT_EQ(e.BotModelThing.caption() + "/" + e.BotSkinThing.caption(), "rook/slate");
    EXPECT_EQ(
        e.FiringAccuracyLabel.caption() + e.AgressivenessLabel.caption() + e.CombatSkillsLabel.caption(),
        " 1 2 3");
    EXPECT_EQ(e.BotFavoriteWeapon.caption(), "Machine Gun");
    EXPECT_EQ(e.QuadFreakCheckBox.state() * 10 + e.CamperCheckBox.state(), 1);
    EXPECT_EQ(e.PingText.text(), "50");
    EXPECT_FALSE(e.BotWarningLabel.visible());

    for (int bot : {1, 2, 0}) e.BotNameList.setSelectedIndex(bot);
    EXPECT_EQ(botsOf(f.roster), botsOf(before));
    EXPECT_EQ(f.roster.BotModels, (Names{"rook", "wren", "rook", ""}));
    EXPECT_EQ(f.roster.BotSkins, (Names{"slate", "ember", "moss", ""}));
}

// The game reads 8 as the rail gun and 9 as the hyperblaster; the slider
// keeps the hyperblaster before the rail gun.
TEST(BotConfigForm, FavouriteWeaponPositionsStoreWhatTheGameReads) {
    struct Row {
        int stored, position;
        const char* label;
    };
    const Row rows[] = {
        {0, 10, "BFG"},        {1, 1, "Pistol"},      {2, 2, "Shotgun"},          {3, 3, "Super Shotgun"},
        {4, 4, "Machine Gun"}, {5, 5, "Chain Gun"},   {6, 6, "Grenade Launcher"}, {7, 7, "Rocket Launcher"},
        {8, 9, "Rail Gun"},    {9, 8, "Hyperblaster"}};
    std::string bots = "[bots]\r\n";
    for (const Row& row : rows)
        bots += "\"W" + std::to_string(row.stored) + "\"\"rook/slate\" 3  3  3  " +
                std::to_string(row.stored) + "  0  0  40 \r\n";
    EditorFixture f(bots + "[teams]\r\n[view weapons]\r\n");
    BotConfigForm& e = f.open();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const auto bot = static_cast<std::size_t>(row.stored);
        e.BotNameList.setSelectedIndex(row.stored);
        EXPECT_EQ(e.FavoriteWeaponSlider.value(), row.position);
        EXPECT_EQ(e.BotFavoriteWeapon.caption(), row.label);
        EXPECT_EQ(e.BotWarningLabel.visible(), row.stored == 1);

        e.FavoriteWeaponSlider.setValue(row.position == 1 ? 2 : 1);
        e.FavoriteWeaponSlider.setValue(row.position);
        EXPECT_EQ(f.roster.BotFavoriteWeapon[bot], num(row.stored));
        EXPECT_EQ(e.BotFavoriteWeapon.caption(), row.label);
    }
    e.BotNameList.setSelectedIndex(1);
    EXPECT_NE(e.BotWarningLabel.caption().find("rocket launcher"), std::string::npos);
}

TEST(BotConfigForm, ValuesOutOfRangeShowTheirNumberAndStayUntilTheirControlMoves) {
    EditorFixture f("[bots]\r\n\"Odd\"\"rook/slate\" 0  7  2.5  12  2  -1  fast \r\n");
    BotConfigForm& e = f.open();
    const Roster before = f.roster;
    e.EditBotButton.click();
    const std::pair<const RangeControl&, int> sliders[] = {{e.FiringAccuracySlider, 1},
                                                           {e.AgressivenessSlider, 5},
                                                           {e.CombatSkillsSlider, 3},
                                                           {e.FavoriteWeaponSlider, 10}};
    for (const auto& [slider, position] : sliders) EXPECT_EQ(slider.value(), position) << slider.name();
    EXPECT_EQ(
        e.FiringAccuracyLabel.caption() + e.AgressivenessLabel.caption() + e.CombatSkillsLabel.caption(),
        " 0 7 2.5");
    EXPECT_EQ(e.BotFavoriteWeapon.caption(), "12");
    EXPECT_EQ(e.QuadFreakCheckBox.state(), 2);
    EXPECT_EQ(e.QuadFreakCheckBox.caption(), "Quad Freak (2)");
    EXPECT_EQ(e.CamperCheckBox.caption(), "Camper (-1)");
    EXPECT_EQ(e.PingText.text(), "fast");
    EXPECT_TRUE(e.BotWarningLabel.visible());
    EXPECT_TRUE(f.roster == before);

    e.FiringAccuracySlider.setValue(2);
    e.QuadFreakCheckBox.click();
    EXPECT_EQ(f.roster.BotAccuracy[0], num(2));
    EXPECT_EQ(f.roster.BotQuadFreak[0], num(1));
    EXPECT_EQ(e.QuadFreakCheckBox.caption(), "Quad Freak");
    EXPECT_EQ(f.roster.BotAgressiveness[0], num(7));
    EXPECT_EQ(f.roster.BotCamper[0], num(-1));
    EXPECT_EQ(f.roster.BotPing[0], word("fast"));

    // Taking hold of a slider that stands at its end for a value out of its
    // range stores that end; the first value there is shown as it is stored.
    e.AgressivenessSlider.press();
    e.FavoriteWeaponSlider.press();
    EXPECT_EQ(f.roster.BotAgressiveness[0], num(5));
    EXPECT_EQ(f.roster.BotFavoriteWeapon[0], num(0));
    EXPECT_EQ(e.AgressivenessLabel.caption() + "/" + e.BotFavoriteWeapon.caption(), " 5/BFG");
    EXPECT_EQ(f.roster.BotCombatSkills[0], num(2.5));
}

TEST(BotConfigForm, PingStoresTheNumberItsTextBeginsWith) {
    const std::pair<const char*, double> cases[] = {{"12abc", 12},
                                                    {"abc", 0},
                                                    {" 3 5", 35},
                                                    {"-4.5x", -4.5},
                                                    {"999", 999},
                                                    {"", 0},
                                                    {"1e999", std::numeric_limits<double>::max()}};
    EditorFixture f;
    BotConfigForm& e = f.open();
    e.EditBotButton.click();
    for (const auto& [text, stored] : cases) {
        e.PingText.setText(text);
        EXPECT_EQ(f.roster.BotPing[0], num(stored)) << text;
    }
}

TEST(BotConfigForm, DeleteAsksAndOnYesKeepsTheOthersWhole) {
    EditorFixture f;
    BotConfigForm& e = f.open();
    const std::vector<BotRow> rows = botsOf(f.roster);
    const Roster before = f.roster;
    e.BotNameList.setSelectedIndex(1);

    f.dialogs.answers = {Answer::No};
    e.DeleteBotButton.click();
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].text, "Are you sure you want to delete Birch?");
    EXPECT_EQ(f.dialogs.shown[0].buttons, Buttons::YesNo);
    EXPECT_EQ(f.dialogs.shown[0].icon, Icon::Exclamation);
    EXPECT_TRUE(f.roster == before);
    EXPECT_EQ(e.BotNameList.count(), 3u);

    f.dialogs.answers = {Answer::Yes};
    e.DeleteBotButton.click();
    EXPECT_EQ(e.BotNameList.items(), (Names{"Ash", "Cedar"}));
    EXPECT_EQ(botsOf(f.roster), (std::vector<BotRow>{rows[0], rows[2]}));
    EXPECT_EQ(f.roster.BotModels, (Names{"rook", "rook", ""}));
    EXPECT_EQ(f.roster.BotSkins, (Names{"slate", "moss", ""}));
    EXPECT_EQ(e.BotNameList.selectedIndex(), 0);
    EXPECT_EQ(e.BotInfoFrame.caption(), "Ash");
    EXPECT_EQ(readBytes(f.rosterFile()), kThreeBots);  // nothing written
}

TEST(BotConfigForm, WithNoBotLeftNothingIsStoredAndTheButtonsSaySo) {
    EditorFixture f("[bots]\r\n\"Solo\"\"rook/slate\" 3  3  3  3  0  0  40 \r\n");
    BotConfigForm& e = f.open();
    e.EditBotButton.click();
    e.DeleteBotButton.click();  // answered Yes
    EXPECT_EQ(f.roster.BotCount, 0);
    EXPECT_TRUE(e.BotInfoFrame.enabled());  // left as it was

    e.FiringAccuracySlider.setValue(5);
    e.CamperCheckBox.click();
    e.PingText.setText("7");
    e.ModelList.setSelectedIndex(1);
    EXPECT_EQ(f.roster.BotNames, TextList{""});
    EXPECT_TRUE(f.roster.BotAccuracy[0].isEmpty() && f.roster.BotCamper[0].isEmpty() &&
                f.roster.BotPing[0].isEmpty());
    EXPECT_EQ(f.roster.BotModels, Names{""});

    e.EditBotButton.click();
    e.DeleteBotButton.click();
    EXPECT_EQ(f.dialogs.texts(), (Names{"Are you sure you want to delete Solo?", "There are no bots to edit.",
                                        "There are no bots to delete."}));
}

TEST(BotConfigForm, EditBotChoosesTheBotsModelAndSkinOrTheFirstInstalled) {
    struct Case {
        const char* what;
        std::string modelSkin, model, skin;
        Names skins;
    };
    const Case cases[] = {{"both installed", "wren/frost", "wren", "frost", {"ember", "frost"}},
                          {"a missing model", "ghost/frost", "rook", "moss", {"moss", "slate"}},
                          {"a missing skin", "wren/pale", "wren", "ember", {"ember", "frost"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EditorFixture f("[bots]\r\n\"Kit\"\"" + c.modelSkin + "\" 3  3  3  3  0  0  40 \r\n");
        BotConfigForm& e = f.open();
        e.EditBotButton.click();
        EXPECT_TRUE(e.BotInfoFrame.enabled());
        EXPECT_TRUE(e.ModelList.visible() && e.SkinList.visible());
        EXPECT_FALSE(e.BotModelThing.visible() || e.BotSkinThing.visible());
        EXPECT_EQ(e.ModelList.items(), (Names{"rook", "wren"}));
        EXPECT_EQ(e.ModelList.selectedText(), c.model);
        EXPECT_EQ(e.SkinList.items(), c.skins);
        EXPECT_EQ(e.SkinList.selectedText(), c.skin);
        EXPECT_EQ(f.roster.BotModels[0] + "/" + f.roster.BotSkins[0], c.model + "/" + c.skin);
        EXPECT_EQ(f.roster.BotModelSkins[0], c.modelSkin);
    }
}

TEST(BotConfigForm, OnlyACommittedModelAndSkinOutliveTheEditor) {
    EditorFixture f;
    BotConfigForm* e = &f.open();
    const auto chooseWrenFrost = [&] {
        e->EditBotButton.click();
        e->ModelList.setSelectedIndex(1);
        EXPECT_EQ(e->SkinList.items(), (Names{"ember", "frost"}));
        EXPECT_EQ(f.roster.BotSkins[0], "slate");  // until a skin is chosen
        e->SkinList.setSelectedIndex(1);
    };
    chooseWrenFrost();
    f.dialogs.answers = {Answer::WithoutWriting};
    e->closeRequested();  // the frame's close: Return Without Writing
    f.dialogs.shown.clear();
    EXPECT_TRUE(f.main().enabled());
    EXPECT_EQ(f.main().bots.SpecificBotList.items(), (Names{"Ash", "Birch", "Cedar"}));
    e = &f.open();
    EXPECT_EQ(e->BotModelThing.caption() + "/" + e->BotSkinThing.caption(), "rook/slate");

    chooseWrenFrost();
    e->CommitChangesButton.click();
    EXPECT_EQ(f.dialogs.texts(), Names{"Bots.cfg file written."});
    std::string expected = kThreeBots;
    expected.replace(expected.find("rook/slate"), 10, "wren/frost");
    EXPECT_EQ(readBytes(f.rosterFile()), expected);
    e->ExitButton.click();
    e = &f.open();
    EXPECT_EQ(e->BotModelThing.caption() + "/" + e->BotSkinThing.caption(), "wren/frost");
    EXPECT_EQ(f.roster.BotModelSkins[0], "wren/frost");
}

TEST(BotConfigForm, ATextWithoutASlashIsWrittenAsReadUntilAModelIsChosenForTheBot) {
    std::string bots = kThreeBots;
    bots.replace(bots.find("rook/slate"), 10, "rookslate");
    bots.replace(bots.find("wren/ember"), 10, "");
    EditorFixture f(bots);
    BotConfigForm& e = f.open();
    for (int bot : {1, 2, 0}) e.BotNameList.setSelectedIndex(bot);
    e.CommitChangesButton.click();
    EXPECT_EQ(readBytes(f.rosterFile()), bots);

    // Editing the bot chooses the first installed model and skin for it.
    e.EditBotButton.click();
    e.CommitChangesButton.click();
    bots.replace(bots.find("rookslate"), 9, "rook/" + std::string(e.SkinList.items().front()));
    EXPECT_EQ(readBytes(f.rosterFile()), bots);
}

TEST(BotConfigForm, AFailedCommitLeavesFileAndRosterAsTheyWereAndCanBeRetried) {
    EditorFixture f;
    BotConfigForm& e = f.open();
    e.EditBotButton.click();
    e.ModelList.setSelectedIndex(1);
    const Roster edited = f.roster;
    makeReadOnly(f.rosterFile());

    e.CommitChangesButton.click();
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].icon, Icon::Critical);
    EXPECT_NE(f.dialogs.shown[0].text.find("bots.cfg"), std::string::npos);
    EXPECT_EQ(readBytes(f.rosterFile()), kThreeBots);
    EXPECT_TRUE(f.roster == edited);
    EXPECT_EQ(f.roster.BotModels[0], "wren");

    fs::permissions(f.rosterFile(), fs::perms::owner_write, fs::perm_options::add);
    e.CommitChangesButton.click();
    EXPECT_EQ(f.dialogs.texts().back(), "Bots.cfg file written.");
    EXPECT_NE(readBytes(f.rosterFile()).find("\"Ash\"\"wren/slate\""), std::string::npos);
}

TEST(BotConfigForm, NewBotAddsTheDefaultsAndShowsThemSelected) {
    EditorFixture f;
    BotConfigForm& e = f.open();
    e.BotNameList.setSelectedIndex(2);
    e.NewBotButton.click();
    NewBotName* dialog = e.newBotName();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->caption(), "Add New Bot");
    EXPECT_TRUE(f.windows.isOpen("NewBotName"));
    EXPECT_FALSE(e.enabled());
    e.closeRequested();  // waits for the dialog
    EXPECT_TRUE(f.windows.isOpen("BotConfigForm"));

    dialog->AddBotButton.click();
    EXPECT_EQ(f.dialogs.texts(), Names{"Your new bot must have a name. It would cry without one."});
    dialog->NewBotNameText.setText("Eraser");
    EXPECT_TRUE(dialog->NewBotWarningLabel.visible());
    dialog->NewBotNameText.setText("Dunlin");
    EXPECT_FALSE(dialog->NewBotWarningLabel.visible());
    dialog->CancelAddBotButton.click();
    EXPECT_EQ(f.roster.BotCount, 3);
    EXPECT_TRUE(e.enabled());
    EXPECT_EQ(e.BotNameList.selectedIndex(), 2);

    e.NewBotButton.click();
    e.newBotName()->NewBotNameText.setText("Ash");
    e.newBotName()->AddBotButton.click();
    EXPECT_EQ(f.dialogs.texts().back(),
              "New bot has been added with default values. Edit the bot with the Edit Bot button.");
    EXPECT_FALSE(f.windows.isOpen("NewBotName"));
    EXPECT_TRUE(e.enabled());
    EXPECT_EQ(f.windows.focused.back(), "BotConfigForm");
    EXPECT_EQ(f.roster.BotCount, 4);
    EXPECT_EQ(botsOf(f.roster).back(), bot("Ash", "male/cipher", {2, 2, 2, 2, 0, 0, 100}));
    EXPECT_EQ(f.roster.BotModels[3] + "/" + f.roster.BotSkins[3], "male/cipher");
    EXPECT_EQ(f.roster.BotNames.size(), 5u);
    EXPECT_EQ(e.BotNameList.items(), (Names{"Ash", "Birch", "Cedar", "Ash"}));
    EXPECT_EQ(e.BotNameList.selectedIndex(), 3);
    EXPECT_EQ(e.BotModelThing.caption() + "/" + e.BotSkinThing.caption(), "male/cipher");
    EXPECT_EQ(
        e.FiringAccuracyLabel.caption() + e.AgressivenessLabel.caption() + e.CombatSkillsLabel.caption(),
        " 2 2 2");
    EXPECT_EQ(e.BotFavoriteWeapon.caption(), "Shotgun");
    EXPECT_EQ(e.QuadFreakCheckBox.state() + e.CamperCheckBox.state(), 0);
    EXPECT_EQ(e.PingText.text(), "100");
}

TEST(NewBotName, RefusesWhatTheRosterFileCannotHold) {
    struct Case {
        const char* what;
        std::string name;
        int count;
        const char* says;
    };
    const Case cases[] = {{"a double quote", "Big \"Ed\"", 0, "cannot hold"},
                          {"a leading bracket", "[MW] Rook", 0, "section"},
                          {"a line break", "Big\nEd", 0, "line break"},
                          {"a full roster", "Rook", kMaxRosterCount, "32767"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Roster roster;
        roster.resizeBots(static_cast<std::size_t>(c.count) + 1);
        roster.BotCount = static_cast<std::int16_t>(c.count);
        FakeDialogs dialogs;
        int added = 0;
        NewBotName dialog(
            roster, dialogs, [&] { ++added; }, [] {});
        dialog.NewBotNameText.setText(c.name);
        EXPECT_EQ(dialog.NewBotWarningLabel.visible(), c.count == 0);
        dialog.AddBotButton.click();
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_NE(dialogs.shown[0].text.find(c.says), std::string::npos) << dialogs.shown[0].text;
        EXPECT_EQ(roster.BotCount, c.count);
        EXPECT_EQ(roster.BotNames.size(), static_cast<std::size_t>(c.count) + 1);
        EXPECT_EQ(added, 0);
    }
}

}  // namespace
}  // namespace vexmoor::testing

namespace vexmoor::testing {
namespace {

// The bot editor's changes are the roster Commit Changes would write against
// what bots.cfg holds: a bot added and deleted again is none; one left in
// memory by an earlier visit still is.
TEST(BotConfigForm, ItsChangesAreWhatCommitWouldWriteAgainstTheFile) {
    EditorFixture f;
    BotConfigForm* e = &f.open();
    e->NewBotButton.click();
    e->newBotName()->NewBotNameText.setText("Dune");
    e->newBotName()->AddBotButton.click();
    EXPECT_TRUE(e->hasUnwrittenChanges());
    f.dialogs.answers = {Answer::Yes, Answer::WithoutWriting};
    e->DeleteBotButton.click();  // Dune, the bot shown
    EXPECT_FALSE(e->hasUnwrittenChanges());
    e->PingText.setText("5");
    e->ExitButton.click();
    EXPECT_TRUE(f.open().hasUnwrittenChanges());
}

}  // namespace
}  // namespace vexmoor::testing
