// The filter fields over the long lists: what a text shows, and that an
// entry chosen or checked, then filtered out, stays so and still counts for
// Launch!, Commit Changes, Save and Add.
#include <gtest/gtest.h>

#include <functional>

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTest>

#include "options/map_cycle_edit_form.h"
#include "roster/bot_config_form.h"
#include "teams/edit_team_form.h"
#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

class ListFilters : public ViewTest {
protected:
    template <class Form>
    Form& editor(Button& opener) {
        opener.click();
        return *dynamic_cast<Form*>(main->editor());
    }
};

TEST_F(ListFilters, ShowWhatHoldsTheTextAndKeepWhatIsChosenOutOfSight) {
    struct Row {
        const char* list;
        const char* field;
        const char* filter;  // the field's accessible name
        std::function<QWidget*()> open;  // the window holding both, made ready
        QString text;
        QStringList shown;
        int chosen;      // the row of `shown` chosen or checked
        QString hiding;  // a text that hides it
        std::function<void()> use;  // Launch!, Commit Changes, Save or Add, then what came of it
    };
    const Row rows[] = {
        {"SpecificBotList", "SpecificBotFilter", "Filter bots",
         [this] {
             showTab(1);
             main->bots.SpawnSpecificBotsOption.choose();
             return window.get();
         },
         "BOT 0002", {"Bot 0002"}, 0, "0004",
         [this] {
             EXPECT_EQ(find<QLabel>("SpecificBotCountLabel")->text(), "1 of 5 bots chosen");
             main->LaunchButton.click();
             EXPECT_EQ(readBytes(game.root() / "eraser" / "launcher.cfg"), "sv bots Bot~0002\r\n");
         }},
        {"MapList", "MapFilter", "Filter maps",
         [this] {
             showTab(2);
             return window.get();
         }, "Base", {"base1", "base2", "base3"}, 1, "jail",
         [this] {
             EXPECT_TRUE(rowsOf(find<QListView>("CTFList")).isEmpty());  // one field for the three lists
             main->LaunchButton.click();
             EXPECT_NE(processes.starts.back().commandLine.find(" +map base2"), std::string::npos);
         }},
        {"BotNameList", "BotNameFilter", "Filter bots",
         [this] {
             editor<BotConfigForm>(main->bots.BotEditButton);
             return sideView(main->editor());
         },
         "0003", {"Bot 0003"}, 0, "0005",
         [this] {
             auto& e = *dynamic_cast<BotConfigForm*>(main->editor());
             EXPECT_EQ(e.BotInfoFrame.caption(), "Bot 0003");
             e.PingText.setText("99");
             e.CommitChangesButton.click();
             EXPECT_EQ(rosterFile().BotPing[2], RosterValue::number(99));
         }},
        {"TeamIndividualsList", "TeamMemberFilter", "Filter members",
         [this] {
             auto& e = editor<EditTeamForm>(main->teamplay.EditTeamButton);
             e.AddButton.click();
             e.AddTeamText.setText("Zeta");
             return sideView(&e);
         },
         "0004", {"Bot 0004"}, 0, "0001",
         [this] {
             auto& e = *dynamic_cast<EditTeamForm*>(main->editor());
             EXPECT_EQ(e.TeamMemberCountLabel.caption(), "1 of 5 bots in this team");
             e.SaveButton.click();
             EXPECT_EQ(rosterFile().TeamMembers[3], "[\"Bot 0004\"]");
         }},
        {"MapsAvailableList", "MapsAvailableFilter", "Filter maps",
         [this] {
             editor<MapCycleEditForm>(main->maps.EditMapCycleButton);
             return sideView(main->editor());
         },
         "CTF", {"q2ctf1", "q2ctf2", "q2ctf3", "q2ctf4", "q2ctf5"}, 2, "base",
         [this] {
             auto& e = *dynamic_cast<MapCycleEditForm*>(main->editor());
             e.AddButton.click();
             e.CommitButton.click();
             EXPECT_EQ(readBytes(game.root() / "eraser" / "maps.txt"), "q2dm1\r\nq2ctf3\r\n");
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.list);
        reopen();
        QWidget* holder = row.open();
        auto* list = holder->findChild<QListView*>(row.list);
        auto* field = holder->findChild<QLineEdit*>(row.field);
        ASSERT_TRUE(list && field);
        EXPECT_EQ(field->accessibleName(), row.filter);
        const QString listName = list->accessibleName();
        const QStringList all = rowsOf(list);

        type(field, row.text);
        EXPECT_EQ(rowsOf(list), row.shown);
        EXPECT_TRUE(field->isClearButtonEnabled());  // made with the first text
        const bool checks = list->selectionMode() == QAbstractItemView::NoSelection;
        checks ? clickCheck(list, row.chosen) : clickRow(list, row.chosen);
        field->selectAll();
        type(field, row.hiding);
        EXPECT_FALSE(rowsOf(list).contains(row.shown[row.chosen]));

        // Escape empties the field: every entry again, the chosen one still chosen.
        QTest::keyClick(field, Qt::Key_Escape);
        EXPECT_EQ(rowsOf(list), all);
        EXPECT_EQ(list->accessibleName(), listName);
        const QModelIndex chosen = list->model()->index(static_cast<int>(all.indexOf(row.shown[row.chosen])), 0);
        EXPECT_TRUE(checks ? chosen.data(Qt::CheckStateRole) == Qt::Checked
                           : list->selectionModel()->isSelected(chosen));

        type(field, row.hiding);
        row.use();
    }
}

}  // namespace
}  // namespace vexmoor::testing
