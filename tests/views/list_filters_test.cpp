// The filter fields over the long lists: what a text shows, and that an
// entry chosen or checked and then filtered out stays so and still counts
// for Launch!, Commit Changes, Save and Add.
#include <gtest/gtest.h>

#include <functional>

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include "options/map_cycle_edit_form.h"
#include "roster/bot_config_form.h"
#include "roster/roster_file.h"
#include "teams/edit_team_form.h"
#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

class ListFilters : public ViewTest {
protected:
    // Whether the row shows its entry chosen: selected, or checked.
    static bool marked(const QListView* list, int row) {
        const QModelIndex index = list->model()->index(row, 0);
        if (list->selectionMode() == QAbstractItemView::NoSelection)
            return index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
        return list->selectionModel()->isSelected(index);
    }
    void retype(QLineEdit* field, const QString& text) {
        field->selectAll();
        type(field, text);
    }
    Roster fileRoster() const {
        Roster held;
        EXPECT_TRUE(readRosterAsHeld(game.root() / "eraser" / "bots.cfg", held));
        return held;
    }
};

TEST_F(ListFilters, ShowWhatHoldsTheTextAndKeepWhatIsChosenOutOfSight) {
    struct Row {
        const char* list;
        const char* filter;
        const char* filterName;
        std::function<QWidget*()> open;  // the window that holds them, made ready
        QString text;
        QStringList shown;
        int chosen;      // the row of `shown` chosen or checked
        QString hiding;  // a text that hides it
        std::function<void()> use;  // Launch!, Commit Changes, Save, Add
        std::function<void()> expect;
    };
    const Row rows[] = {
        {"SpecificBotList", "SpecificBotFilter", "Filter bots",
         [this] {
             showTab(1);
             main->bots.SpawnSpecificBotsOption.choose();
             return window.get();
         },
         "BOT 0002", {"Bot 0002"}, 0, "0004", [this] { main->LaunchButton.click(); },
         [this] {
             EXPECT_EQ(find<QLabel>("SpecificBotCountLabel")->text(), "1 of 5 bots chosen");
             EXPECT_EQ(readBytes(game.root() / "eraser" / "launcher.cfg"), "sv bots Bot~0002\r\n");
         }},
        {"MapList", "MapFilter", "Filter maps",
         [this] {
             showTab(2);
             return window.get();
         },
         "Base", {"base1", "base2", "base3"}, 1, "jail",
         [this] {
             // One field for the three lists.
             EXPECT_TRUE(rowsOf(find<QListView>("CTFList")).isEmpty());
             main->LaunchButton.click();
         },
         [this] { EXPECT_NE(processes.starts.back().commandLine.find(" +map base2"), std::string::npos); }},
        {"BotNameList", "BotNameFilter", "Filter bots",
         [this] {
             main->bots.BotEditButton.click();
             return sideView(main->editor());
         },
         "0003", {"Bot 0003"}, 0, "0005",
         [this] {
             auto& editor = *dynamic_cast<BotConfigForm*>(main->editor());
             EXPECT_EQ(editor.BotInfoFrame.caption(), "Bot 0003");
             editor.PingText.setText("99");
             editor.CommitChangesButton.click();
         },
         [this] { EXPECT_EQ(fileRoster().BotPing[2], RosterValue::number(99)); }},
        {"TeamIndividualsList", "TeamMemberFilter", "Filter members",
         [this] {
             main->teamplay.EditTeamButton.click();
             auto& editor = *dynamic_cast<EditTeamForm*>(main->editor());
             editor.AddButton.click();
             editor.AddTeamText.setText("Zeta");
             return sideView(&editor);
         },
         "0004", {"Bot 0004"}, 0, "0001",
         [this] {
             EXPECT_EQ(sideView(main->editor())->findChild<QLabel*>("TeamMemberCountLabel")->text(),
                       "1 of 5 bots in this team");
             dynamic_cast<EditTeamForm*>(main->editor())->SaveButton.click();
         },
         [this] {
             const Roster held = fileRoster();
             EXPECT_EQ(held.TeamNames[3], "Zeta");
             EXPECT_EQ(held.TeamMembers[3], "[\"Bot 0004\"]");
         }},
        {"MapsAvailableList", "MapsAvailableFilter", "Filter maps",
         [this] {
             main->maps.EditMapCycleButton.click();
             return sideView(main->editor());
         },
         "CTF", {"q2ctf1", "q2ctf2", "q2ctf3", "q2ctf4", "q2ctf5"}, 2, "base",
         [this] {
             auto& editor = *dynamic_cast<MapCycleEditForm*>(main->editor());
             editor.AddButton.click();
             editor.CommitButton.click();
         },
         [this] { EXPECT_EQ(readBytes(game.root() / "eraser" / "maps.txt"), "q2dm1\r\nq2ctf3\r\n"); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.list);
        reopen();
        QWidget* holder = row.open();
        ASSERT_NE(holder, nullptr);
        auto* field = holder->findChild<QLineEdit*>(row.filter);
        auto* list = holder->findChild<QListView*>(row.list);
        ASSERT_NE(field, nullptr);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(field->accessibleName(), row.filterName);
        const QString listName = list->accessibleName();
        const QStringList all = rowsOf(list);

        type(field, row.text);
        EXPECT_EQ(rowsOf(list), row.shown);
        if (list->selectionMode() == QAbstractItemView::NoSelection)
            clickCheck(list, row.chosen);
        else
            clickRow(list, row.chosen);
        const QString chosen = row.shown[row.chosen];
        retype(field, row.hiding);
        EXPECT_FALSE(rowsOf(list).contains(chosen));
        EXPECT_FALSE(rowsOf(list).isEmpty());

        // Escape empties the field: every entry again, the chosen one still chosen.
        QTest::keyClick(field, Qt::Key_Escape);
        EXPECT_TRUE(field->text().isEmpty());
        EXPECT_EQ(rowsOf(list), all);
        EXPECT_EQ(list->accessibleName(), listName);
        EXPECT_TRUE(marked(list, static_cast<int>(all.indexOf(chosen))));

        retype(field, row.hiding);
        row.use();
        row.expect();
    }
}

}  // namespace
}  // namespace vexmoor::testing
