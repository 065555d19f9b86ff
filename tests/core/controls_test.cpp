#include "core/controls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fakes.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

// Counts the view notifications a control sends.
struct Notifications {
    explicit Notifications(Control& control) : connection(control.changed().connect([this] { ++count; })) {}
    int count = 0;
    Connection connection;
};

TEST(ChangeRule, EqualValueDoesNothingDifferentValueStoresNotifiesThenRunsBehaviourOnce) {
    TextBox box("TimeLimitText", "20");
    Notifications notifications(box);
    std::vector<std::string> seen;  // the value the behaviour sees, and whether the view was told first
    box.onChange(
        [&] { seen.push_back(box.text() + (notifications.count > 0 ? " after view" : " before view")); });

    box.setText("20");
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(notifications.count, 0);

    box.setText("30");
    EXPECT_EQ(seen, std::vector<std::string>{"30 after view"});
    EXPECT_EQ(notifications.count, 1);

    box.setText("30");
    EXPECT_EQ(seen.size(), 1u);
}

TEST(ChangeRule, ABehaviourThatSetsAnotherControlRunsThatBehaviourToCompletionFirst) {
    CheckBox first("First", "", false);
    CheckBox second("Second", "", false);
    TextBox third("Third", "");
    std::vector<std::string> log;
    first.onChange([&] {
        log.push_back("first begins");
        second.setState(1);
        log.push_back("first ends");
    });
    second.onChange([&] {
        log.push_back("second begins");
        third.setText("x");
        log.push_back("second ends");
    });
    third.onChange([&] { log.push_back("third"); });

    first.click();

    EXPECT_EQ(log, (std::vector<std::string>{"first begins", "second begins", "third", "second ends",
                                             "first ends"}));
}

TEST(ChangeRule, ABehaviourMaySetItsOwnControlAgain) {
    TextBox count("BotNumText", "1");
    std::vector<std::string> runs;
    count.onChange([&] {
        runs.push_back(count.text());
        if (count.text().size() > 2) count.setText("30");
    });

    count.setText("999");

    EXPECT_EQ(count.text(), "30");
    EXPECT_EQ(runs, (std::vector<std::string>{"999", "30"}));
}

TEST(ChangeRule, PropertyChangesNotifyOnlyWhenDifferentAndRunNoBehaviour) {
    CheckBox box("AllowCheatsCheckBox", "Allow Cheats", false);
    Notifications notifications(box);
    int behaviours = 0;
    box.onChange([&] { ++behaviours; });

    box.setEnabled(true);
    box.setVisible(true);
    box.setCaption("Allow Cheats");
    EXPECT_EQ(notifications.count, 0);

    box.setEnabled(false);
    box.setVisible(false);
    box.setCaption("Cheats");
    box.setToolTip("tip");
    EXPECT_EQ(notifications.count, 4);
    EXPECT_EQ(behaviours, 0);
}

TEST(CheckBox, AClickTogglesCheckedAndUncheckedAndChecksAGrayedBox) {
    CheckBox box("Box", "", false);
    box.click();
    EXPECT_EQ(box.state(), 1);
    box.click();
    EXPECT_EQ(box.state(), 0);
    box.setState(2);
    EXPECT_FALSE(box.checked());
    box.click();
    EXPECT_EQ(box.state(), 1);
}

TEST(ListBox, SingleChoiceRunsItsBehaviourOnlyForARealSelectionChange) {
    ListBox list("MapList", ListBox::Mode::Single);
    int runs = 0;
    list.onChange([&] { ++runs; });
    list.setItems({"q2dm1", "q2dm2", "q2dm3"});
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(list.selectedText(), "");

    list.setSelectedIndex(1);
    list.setSelectedIndex(1);
    list.setSelectedIndex(3);   // out of range: ignored
    list.setSelectedIndex(-2);  // likewise
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(list.selectedText(), "q2dm2");
    EXPECT_TRUE(list.isSelected(1));
    EXPECT_FALSE(list.isSelected(0));

    list.setItems({"a", "b"});  // new items drop the selection without running the behaviour
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(runs, 1);
}

TEST(ListBox, MultipleChoiceMarksEachItemOnItsOwn) {
    ListBox list("SpecificBotList", ListBox::Mode::Multiple);
    list.setItems({"Ed", "Amy", "Bob"});
    list.setSelected(2, true);
    list.setSelected(0, true);
    list.setSelected(7, true);  // no such item
    EXPECT_EQ(list.selectedItems(), (std::vector<std::string>{"Ed", "Bob"}));
    list.setSelected(0, false);
    EXPECT_EQ(list.selectedItems(), std::vector<std::string>{"Bob"});
    list.setItems({"Ed", "Amy", "Bob"});
    EXPECT_TRUE(list.selectedItems().empty());
}

TEST(ListBox, ShowsAnothersEntriesInPlaceAndCopiesThemBeforeItChangesThem) {
    TextList roster = {"Ed", "Amy", "Bob", ""};  // a spare slot past the count
    ListBox list("SpecificBotList", ListBox::Mode::Multiple);
    list.showEntriesOf(roster, 3);
    EXPECT_EQ(list.items(), (std::vector<std::string>{"Ed", "Amy", "Bob"}));
    EXPECT_EQ(list.items()[1].data(), roster[1].data());  // not a copy
    list.setSelected(2, true);
    EXPECT_EQ(list.selectedItems(), std::vector<std::string>{"Bob"});

    roster.resize(2);  // never more entries than the other list holds
    EXPECT_EQ(list.count(), 2u);
    list.setSelected(2, true);
    EXPECT_TRUE(list.selectedItems().empty());

    list.setItem(0, "Cy");
    EXPECT_EQ(list.items(), (std::vector<std::string>{"Cy", "Amy"}));
    EXPECT_EQ(roster, (TextList{"Ed", "Amy"}));
    list.showEntriesOf(roster, 2);
    list.keepOwnCopy();
    roster.set(0, "Di");
    EXPECT_EQ(list.items(), (std::vector<std::string>{"Ed", "Amy"}));
}

TEST(OptionGroup, ChoosingOneDeselectsTheOthersWithoutRunningTheirBehaviour) {
    OptionGroup group;
    OptionButton internal("InternalMapOption", "Q2 Internal", group, true);
    OptionButton external("ExternalMapOption", "Q2 External", group, false);
    OptionButton ctf("CTFMapOption", "Q2 CTF", group, false);
    std::vector<std::string> log;
    for (OptionButton* button : {&internal, &external, &ctf})
        button->onChange(
            [&log, button] { log.push_back(button->name() + (button->chosen() ? " chosen" : " left")); });

    ctf.choose();
    EXPECT_TRUE(ctf.chosen());
    EXPECT_FALSE(internal.chosen());
    EXPECT_FALSE(external.chosen());
    EXPECT_EQ(log, std::vector<std::string>{"CTFMapOption chosen"});

    ctf.choose();  // already chosen
    EXPECT_EQ(log.size(), 1u);
}

TEST(Button, AClickRunsTheOperationOnlyWhileEnabled) {
    Button button("SaveChangesButton", "Save Settings");
    int clicks = 0;
    button.click();  // nothing wired yet
    button.onClick([&] { ++clicks; });
    button.click();
    button.setEnabled(false);
    button.click();
    EXPECT_EQ(clicks, 1);
}

TEST(FileList, ListsMatchingFilesWithoutRegardToCaseAndKeepsItsListWhenAFolderCannotBeListed) {
    TempDir dir;
    for (const char* name : {"zeta.bsp", "Alpha.BSP", "mid.Bsp", "notes.txt", "bsp", ".bsp", "trail.bspx"})
        writeBytes(dir.path() / name, "x");
    fs::create_directories(dir.path() / "folder.bsp");
    FileList list("MapFile", ".bsp");
    int runs = 0;
    list.onChange([&] { ++runs; });

    ASSERT_TRUE(list.setFolder(dir.path()));
    EXPECT_EQ(list.items(), (std::vector<std::string>{"Alpha.BSP", "mid.Bsp", "zeta.bsp"}));
    EXPECT_EQ(list.folder(), dir.path());
    list.setSelectedIndex(2);

    const Status missing = list.setFolder(dir.path() / "missing");
    EXPECT_FALSE(missing);
    EXPECT_EQ(list.items().size(), 3u);
    EXPECT_EQ(list.selectedIndex(), 2);
    EXPECT_EQ(list.folder(), dir.path());
    EXPECT_EQ(runs, 1);
}

#ifndef _WIN32
// The folder's own entry types decide, except for links, which count by what
// they point at.
TEST(FileList, ALinkToAMapCountsAndABrokenLinkDoesNot) {
    TempDir dir;
    writeBytes(dir.path() / "real.bsp", "x");
    fs::create_directories(dir.path() / "dir");
    fs::create_symlink("real.bsp", dir.path() / "linked.bsp");
    fs::create_symlink("gone.bsp", dir.path() / "broken.bsp");
    fs::create_symlink("dir", dir.path() / "folder.bsp");
    FileList list("MapFile", ".bsp");
    ASSERT_TRUE(list.setFolder(dir.path()));
    EXPECT_EQ(list.items(), (std::vector<std::string>{"linked.bsp", "real.bsp"}));
}
#endif

}  // namespace
}  // namespace vexmoor::testing
