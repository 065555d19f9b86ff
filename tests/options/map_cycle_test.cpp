#include <gtest/gtest.h>

#include <algorithm>

#include "launcher/editors.h"
#include "options/map_cycle_edit_form.h"
#include "options/map_cycle_file.h"
#include "roster/game_rules.h"
#include "support/main_fixture.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;
using Maps = std::vector<std::string>;

TEST(MapCycleFile, ReadsFieldByField) {
    const std::vector<std::pair<std::string, Maps>> cases = {
        {"q2dm1\r\nq2dm2\r\n", {"q2dm1", "q2dm2"}},
        {"q2dm1,q2dm2", {"q2dm1", "q2dm2"}},
        {"\"a,b\",c\r\n", {"a,b", "c"}},
        {"\"two\r\nlines\"\r\n", {"two\r\nlines"}},
        {"\"q\"  ,r\"s\"\r\n", {"q", "r\"s\""}},  // quotes inside a bare field are text
        {"\"q\"r\n", {"q", "r"}},                 // after a quoted field anything starts the next
        {"   base1,  base2 \nbase3", {"base1", "base2 ", "base3"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},  // an empty line is an empty name
        {"a,\r\nb", {"a", "", "b"}},
        {"a\rb\r\r\n", {"a\rb"}},  // the CRs before an LF end the line; a lone CR is text
        {"\tq2dm1\t\r\r\n \t# tabbed\r\n", {"q2dm1\t", " \t# tabbed"}},  // tabs count as blanks
        {"a\r\n\r\n  \r\n", {"a", "", ""}},  // at the end too
        {"a\r\nb  ", {"a", "b  "}},
        {"a\r\n  ", {"a"}},  // blanks alone start no field
        {"", {}},
        {"\"unclosed, to the end\r\n", {"unclosed, to the end\r\n"}},
        // A comment is one entry to the line end, commas and leading blanks included.
        {"# maps, for LAN\r\nq2dm1\r\n  # indented, too\nq2dm2,# the rest, of it\r\nq2dm3",
         {"# maps, for LAN", "q2dm1", "  # indented, too", "q2dm2", "# the rest, of it", "q2dm3"}},
        {"a#b,#", {"a#b", "#"}},
    };
    for (const auto& [bytes, maps] : cases) EXPECT_EQ(readMapCycleBytes(bytes), maps) << bytes;
}

TEST(MapCycleFile, WritesOneNameALineAndReadsItBack) {
    const Maps maps = {"q2dm1", "base1", "", "city3"};
    EXPECT_EQ(mapCycleBytes(maps), "q2dm1\r\nbase1\r\n\r\ncity3\r\n");
    EXPECT_EQ(readMapCycleBytes(mapCycleBytes(maps)), maps);
    for (const Maps& last : {Maps{"q2dm1", ""}, Maps{"q2dm1", "base1 "}, Maps{""}})
        EXPECT_EQ(readMapCycleBytes(mapCycleBytes(last)), last);
    EXPECT_EQ(mapCycleBytes({}), "");
    const std::string commented = "# maps, for LAN\r\n  # and friends, too\r\nq2dm1\r\n";
    EXPECT_EQ(mapCycleBytes(readMapCycleBytes(commented)), commented);
}

class MapCycleEditor : public ::testing::Test {
protected:
    MapCycleEditForm& open(const std::string& bytes) {
        f.game.withEraserFolder().withRoster("").withMapCycle(bytes).withMaps({"dm9.bsp", "Moor.BSP"});
        f.writeSettings();
        f.startUp();
        registerEditors(f.main());
        f.main().maps.EditMapCycleButton.click();
        auto* editor = dynamic_cast<MapCycleEditForm*>(f.main().editor());
        EXPECT_NE(editor, nullptr);
        return *editor;
    }
    fs::path file() const { return f.game.root() / "eraser" / "maps.txt"; }
    static void choose(MapCycleEditForm& e, const Maps& maps) {
        const auto& items = e.MapsAvailableList.items();
        for (std::size_t i = 0; i < items.size(); ++i)
            e.MapsAvailableList.setSelected(i, std::find(maps.begin(), maps.end(), items[i]) != maps.end());
    }

    MainFixture f;
};

TEST_F(MapCycleEditor, OpensWithEveryKnownMapAndTheCycleFromTheFile) {
    MapCycleEditForm& e = open("q2dm1,q2dm2\r\n");
    EXPECT_EQ(e.caption(), "Edit Map Cycle");
    EXPECT_FALSE(f.main().enabled());
    const Maps& available = e.MapsAvailableList.items();
    ASSERT_EQ(available.size(), 46u + 2u + 5u);
    EXPECT_EQ(Maps(available.begin(), available.begin() + 46), MapsPage::internalMaps());
    EXPECT_EQ(Maps(available.begin() + 45, available.begin() + 49), (Maps{"boss2", "Moor", "dm9", "q2ctf1"}));
    EXPECT_EQ(available.back(), "q2ctf5");
    EXPECT_TRUE(e.MapsAvailableList.selectedItems().empty());
    EXPECT_EQ(e.MapsSelectedList.items(), (Maps{"q2dm1", "q2dm2"}));
    EXPECT_EQ(e.MapsSelectedList.selectedIndex(), 0);

    // Add with nothing chosen copies nothing; with two chosen it appends them in list order.
    e.AddButton.click();
    EXPECT_EQ(e.MapsSelectedList.count(), 2u);
    choose(e, {"q2ctf1", "base1"});
    e.AddButton.click();
    e.AddButton.click();
    EXPECT_EQ(e.MapsSelectedList.items(), (Maps{"q2dm1", "q2dm2", "base1", "q2ctf1", "base1", "q2ctf1"}));
    EXPECT_EQ(e.MapsAvailableList.selectedItems(), (Maps{"base1", "q2ctf1"}));
    EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST_F(MapCycleEditor, InsertPutsTheMapsBeforeTheInsertionPointWhichMovesDown) {
    MapCycleEditForm& e = open("q2dm1\r\nq2dm2\r\nq2dm3\r\n");
    e.MapsSelectedList.setSelectedIndex(2);
    choose(e, {"base2", "base1"});
    e.InsertButton.click();
    EXPECT_EQ(e.MapsSelectedList.items(), (Maps{"q2dm1", "q2dm2", "base1", "base2", "q2dm3"}));
    EXPECT_EQ(e.MapsSelectedList.selectedText(), "q2dm3");
    EXPECT_EQ(e.MapsSelectedList.selectedIndex(), 4);

    // Remove takes the chosen entry and leaves none chosen; a second click does nothing.
    e.RemoveButton.click();
    EXPECT_EQ(e.MapsSelectedList.items(), (Maps{"q2dm1", "q2dm2", "base1", "base2"}));
    EXPECT_EQ(e.MapsSelectedList.selectedIndex(), -1);
    e.RemoveButton.click();
    EXPECT_EQ(e.MapsSelectedList.count(), 4u);
    e.InsertButton.click();
    EXPECT_EQ(f.dialogs.texts(), Maps{"Select an insertion point."});
    EXPECT_EQ(e.MapsSelectedList.count(), 4u);
}

TEST_F(MapCycleEditor, TheChosenEntryMovesUpAndDownAndStaysChosen) {
    MapCycleEditForm& e = open("q2dm1\r\nq2dm2\r\nq2dm3\r\n");
    const struct {
        Button& button;
        Maps cycle;
        int chosen;
    } steps[] = {
        {e.MoveDownButton, {"q2dm2", "q2dm1", "q2dm3"}, 1}, {e.MoveDownButton, {"q2dm2", "q2dm3", "q2dm1"}, 2},
        {e.MoveDownButton, {"q2dm2", "q2dm3", "q2dm1"}, 2},  // already last
        {e.MoveUpButton, {"q2dm2", "q2dm1", "q2dm3"}, 1},   {e.MoveUpButton, {"q2dm1", "q2dm2", "q2dm3"}, 0},
        {e.MoveUpButton, {"q2dm1", "q2dm2", "q2dm3"}, 0},  // already first
    };
    for (const auto& step : steps) {
        step.button.click();
        EXPECT_EQ(e.MapsSelectedList.items(), step.cycle);
        EXPECT_EQ(e.MapsSelectedList.selectedIndex(), step.chosen);
    }
    e.MapsSelectedList.setSelectedIndex(-1);
    e.MoveDownButton.click();
    EXPECT_EQ(e.MapsSelectedList.items(), (Maps{"q2dm1", "q2dm2", "q2dm3"}));
    EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST_F(MapCycleEditor, AnEmptyCycleAsksForAnInsertionPointAndHasNothingToRemove) {
    MapCycleEditForm& e = open("");
    EXPECT_EQ(e.MapsSelectedList.count(), 0u);
    choose(e, {"q2dm1"});
    e.InsertButton.click();
    e.RemoveButton.click();
    EXPECT_EQ(f.dialogs.texts(), (Maps{"Select an insertion point.", "No items to remove. Duh."}));
    for (const Message& m : f.dialogs.shown) {
        EXPECT_EQ(m.buttons, Buttons::Ok);
        EXPECT_EQ(m.title, "vexmoor");
    }
    EXPECT_EQ(e.MapsSelectedList.count(), 0u);
}

TEST_F(MapCycleEditor, CommitWritesOneNameALineAndStaysOpen) {
    MapCycleEditForm& e = open("q2dm1,q2dm2\r\n");
    e.CommitButton.click();
    EXPECT_EQ(readBytes(file()), "q2dm1\r\nq2dm2\r\n");
    choose(e, {"q2dm1"});
    e.AddButton.click();  // the same map twice: both are written
    e.CommitButton.click();
    EXPECT_EQ(readBytes(file()), "q2dm1\r\nq2dm2\r\nq2dm1\r\n");
    EXPECT_TRUE(f.dialogs.shown.empty());
    EXPECT_TRUE(f.windows.isOpen("MapCycleEditForm"));

    e.AddButton.click();
    f.dialogs.answers = {Answer::WithoutWriting};  // Discard: not committed, dropped
    e.CancelButton.click();
    EXPECT_EQ(readBytes(file()), "q2dm1\r\nq2dm2\r\nq2dm1\r\n");
    EXPECT_TRUE(f.main().enabled());
    EXPECT_EQ(f.windows.focused.back(), "VexmoorMain");
}

TEST_F(MapCycleEditor, AFailedWriteSaysSoKeepsTheFileAndTheCycle) {
    MapCycleEditForm& e = open("q2dm1\r\n");
    choose(e, {"base1"});
    e.AddButton.click();
    makeReadOnly(file());
    e.CommitButton.click();
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].text, "Maps.txt was not written: " + file().string() +
                                           ": the file is read-only. The file on disk is unchanged and the "
                                           "editor keeps the cycle, so Commit Changes can be tried again.");
    EXPECT_EQ(f.dialogs.shown[0].icon, Icon::Critical);
    EXPECT_EQ(readBytes(file()), "q2dm1\r\n");
    EXPECT_EQ(e.MapsSelectedList.items(), (Maps{"q2dm1", "base1"}));
}

TEST_F(MapCycleEditor, AFileThatCannotBeReadIsToldAndOpensNoEditor) {
    const fs::path gone = f.temp.path() / "maps.txt";  // vanished after the main window's check
    EXPECT_EQ(MapCycleEditForm::open(f.main().maps, gone, f.dialogs, [] {}), nullptr);
    EXPECT_EQ(f.dialogs.texts(),
              Maps{"The map cycle file cannot be read, so the map cycle editor does not open: " +
                   gone.string() + ": the file does not exist."});
}

TEST_F(MapCycleEditor, WarningsFollowTheCycle) {
    MapCycleEditForm& e = open("q2dm1\r\n");
    EXPECT_FALSE(e.WarningLabel.visible());
    choose(e, {"q2dm1"});
    e.AddButton.click();
    EXPECT_TRUE(e.WarningLabel.visible());
    EXPECT_EQ(e.WarningLabel.caption(), game_rules::mapCycleWarnings({"q2dm1", "q2dm1"}).front());
    e.RemoveButton.click();
    EXPECT_FALSE(e.WarningLabel.visible());
}

}  // namespace
}  // namespace vexmoor::testing
