// The Maps page: the three map types, their lists and the CTF options.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "options/started_main.h"

namespace vexmoor::testing {
namespace {

// Which of the three lists is enabled and whether the CTF options show.
std::string typeControls(const MapsPage& m) {
    return std::string(m.MapList.enabled() ? "internal " : "") + (m.MapFile.enabled() ? "external " : "") +
           (m.CTFList.enabled() ? "ctf " : "") + (m.CTFOptionsFrame.visible() ? "+options" : "");
}

TEST(MapsPageTest, CtfAndBackAfterStartUp) {
    StartedMain s;
    VexmoorMain& w = s.start();
    MapsPage& m = w.maps;
    EXPECT_TRUE(m.InternalMapOption.chosen());
    EXPECT_EQ(typeControls(m), "internal ");
    EXPECT_EQ(m.MapFrame.fragment(), " +map q2dm1");

    m.CTFMapOption.choose();
    EXPECT_FALSE(m.InternalMapOption.chosen());
    EXPECT_EQ(m.MapFrame.fragment(), " +map q2ctf1");
    EXPECT_EQ(typeControls(m), "ctf +options");
    for (const CheckBox* box : {&m.ForceJoinCheckBox, &m.ArmorProtectCheckBox, &m.NoTechPowerupsCheckBox}) {
        EXPECT_TRUE(box->visible()) << box->name();
        EXPECT_EQ(box->state(), 0) << box->name();
    }
    EXPECT_NE(s.commandLine().find(" +teamplay 0 +map q2ctf1 +set bot_show_connect_info"), std::string::npos);

    m.InternalMapOption.choose();
    EXPECT_FALSE(m.CTFMapOption.chosen());
    EXPECT_EQ(m.MapFrame.fragment(), " +map q2dm1");
    EXPECT_EQ(typeControls(m), "internal ");
    EXPECT_TRUE(s.dialogs.shown.empty());
}

TEST(MapsPageTest, TheInternalSelectionOutlivesAVisitToCtf) {
    StartedMain s;
    MapsPage& m = s.start().maps;
    m.MapList.setSelectedIndex(9);
    ASSERT_EQ(m.MapList.selectedText(), "base2");
    EXPECT_EQ(m.MapFrame.fragment(), " +map base2");
    m.CTFList.setSelectedIndex(3);
    m.CTFMapOption.choose();
    EXPECT_EQ(m.MapFrame.fragment(), " +map q2ctf4");
    m.InternalMapOption.choose();
    EXPECT_EQ(m.MapFrame.fragment(), " +map base2");
}

TEST(MapsPageTest, LeavingCtfUnchecksItsBoxesAndTakesTheirValuesOff) {
    for (const bool toExternal : {false, true}) {
        SCOPED_TRACE(toExternal ? "to external" : "to internal");
        StartedMain s;
        s.game.withMaps({"moorfort.bsp"});
        VexmoorMain& w = s.start();
        MapsPage& m = w.maps;
        w.gameplay.WeaponsStayCheckBox.click();
        m.CTFMapOption.choose();
        m.ForceJoinCheckBox.click();
        m.NoTechPowerupsCheckBox.click();
        ASSERT_EQ(w.flags.total, 4 + 131072 + 524288);

        (toExternal ? m.ExternalMapOption : m.InternalMapOption).choose();
        EXPECT_EQ(m.ForceJoinCheckBox.state(), 0);
        EXPECT_EQ(m.NoTechPowerupsCheckBox.state(), 0);
        EXPECT_EQ(m.ArmorProtectCheckBox.state(), 0);
        EXPECT_EQ(w.flags.total, 4);
        EXPECT_FALSE(m.CTFOptionsFrame.visible());
    }
}

TEST(MapsPageTest, ExternalWithoutMapFilesFallsBackToInternalSilently) {
    StartedMain s;
    s.game.withMaps({});  // the folder exists but is empty
    MapsPage& m = s.start().maps;
    EXPECT_EQ(m.MapFile.count(), 0u);
    m.MapList.setSelectedIndex(10);  // base3
    m.CTFMapOption.choose();

    m.ExternalMapOption.choose();
    EXPECT_TRUE(m.InternalMapOption.chosen());
    EXPECT_FALSE(m.ExternalMapOption.chosen());
    EXPECT_FALSE(m.CTFMapOption.chosen());
    EXPECT_EQ(typeControls(m), "internal ");
    EXPECT_EQ(m.MapFrame.fragment(), " +map base3");
    EXPECT_TRUE(s.dialogs.shown.empty());
}

TEST(MapsPageTest, ExternalMapsAreTheBspFilesOfTheGamesMapFolder) {
    StartedMain s;
    s.game.withMaps({"quarry7.bsp", "Moorfort.BSP", "amber.bsp", "readme.txt", "bsp", ".old.bsp"});
    std::filesystem::create_directories(s.game.root() / "baseq2" / "maps" / "sub.bsp");
    MapsPage& m = s.start().maps;

    EXPECT_EQ(m.MapFile.folder(), s.game.root() / "baseq2" / "maps");
    std::vector<std::string> listed = m.MapFile.items();
    std::vector<std::string> expected = {"amber.bsp", "Moorfort.BSP", "quarry7.bsp"};
    std::sort(listed.begin(), listed.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listed, expected);
    // Start-up selects the first file, yet the map is q2dm1.
    EXPECT_EQ(m.MapFile.selectedIndex(), 0);
    EXPECT_EQ(m.MapFrame.fragment(), " +map q2dm1");
    EXPECT_FALSE(m.MapFile.enabled());

    // The order is stable: listing the folder again gives the same order.
    const std::vector<std::string> first = m.MapFile.items();
    ASSERT_TRUE(m.MapFile.setFolder(s.game.root() / "baseq2" / "maps"));
    EXPECT_EQ(m.MapFile.items(), first);
    m.MapFile.setSelectedIndex(0);

    m.ExternalMapOption.choose();
    EXPECT_TRUE(m.ExternalMapOption.chosen());
    EXPECT_EQ(typeControls(m), "external ");
    EXPECT_EQ(m.MapFrame.fragment(), " +map " + MapsPage::mapNameOfFile(first[0]));
    const auto moorfort = std::find(first.begin(), first.end(), "Moorfort.BSP") - first.begin();
    m.MapFile.setSelectedIndex(static_cast<int>(moorfort));
    EXPECT_EQ(m.MapFrame.fragment(), " +map Moorfort");
    EXPECT_NE(s.commandLine().find(" +teamplay 0 +map Moorfort +set"), std::string::npos) << s.commandLine();

    // With no file selected, choosing the type keeps the map it had.
    m.InternalMapOption.choose();
    m.MapList.setSelectedIndex(1);
    m.MapFile.setSelectedIndex(-1);
    m.ExternalMapOption.choose();
    EXPECT_TRUE(m.ExternalMapOption.chosen());
    EXPECT_EQ(m.MapFrame.fragment(), " +map q2dm2");
}

TEST(MapsPageTest, ChoosingCtfDuringTeamplaySwitchesTeamplayOffAfterTheMessage) {
    StartedMain s;
    s.teams = {"Red Fangs", "Ashen"};
    VexmoorMain& w = s.start();
    w.teamplay.TeamplayCheckBox.click();
    ASSERT_EQ(w.teamplay.TeamplayFrame.fragment(), " +set teamplay 1");
    w.maps.CTFList.setSelectedIndex(2);

    std::size_t messagesWhenSwitchedOff = 99;
    const Connection watch = w.teamplay.TeamplayCheckBox.changed().connect([&] {
        if (w.teamplay.TeamplayCheckBox.state() == 0) messagesWhenSwitchedOff = s.dialogs.shown.size();
    });
    w.maps.CTFMapOption.choose();

    EXPECT_EQ(s.dialogs.texts(), std::vector<std::string>{"Teamplay disabled - selecting CTF."});
    EXPECT_EQ(s.dialogs.shown[0].title, "vexmoor");
    EXPECT_EQ(s.dialogs.shown[0].buttons, Buttons::Ok);
    EXPECT_EQ(messagesWhenSwitchedOff, 1u);
    EXPECT_EQ(w.teamplay.TeamplayCheckBox.state(), 0);
    EXPECT_EQ(w.teamplay.TeamplayFrame.fragment(), " +set teamplay 0");
    EXPECT_EQ(w.teamplay.YourTeamList.count(), 0u);
    EXPECT_EQ(w.teamplay.BotTeamList.count(), 0u);
    EXPECT_TRUE(w.maps.CTFMapOption.chosen());
    EXPECT_EQ(w.maps.MapFrame.fragment(), " +map q2ctf3");
    EXPECT_EQ(s.commandLine().find("players_per_team"), std::string::npos);
}

}  // namespace
}  // namespace vexmoor::testing
