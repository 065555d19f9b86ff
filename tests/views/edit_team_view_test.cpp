// The team editor through its real window: a team added by mouse and
// keyboard reaches bots.cfg, the Teamplay page and the game's console script.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include "core/paths.h"
#include "teams/edit_team_form.h"
#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

const std::string kBots =
    "[bots]\r\n"
    "\"Ash\"\"wren/ember\" 3  3  3  0  0  0  40 \r\n"
    "\"Big Ed\"\"gaunt/bone\" 2  4  1  7  1  0  90 \r\n"
    "\"Cole\"\"wren/frost\" 5  1  2  3  0  1  120 \r\n"
    "[teams]\r\n"
    "\"Red Fangs\"\"RF\"\"wren/ember\"[\"Ash\" \"Big Ed\"]\r\n";
const std::string kViewWeapons = "[view weapons]\r\n\"w_railgun\"\r\n";

class EditTeamWindow : public ViewTest {
protected:
    void SetUp() override {
        game.withRoster(kBots + kViewWeapons)
            .withModel("wren", {"ember.pcx", "frost.pcx", "ember_i.pcx"})
            .withModel("gaunt", {"bone.pcx"});
        open();
        showTab(3);
        QTest::mouseClick(find<QPushButton>("EditTeamButton"), Qt::LeftButton);
        view = sideView(main->editor());
        ASSERT_NE(view, nullptr);
    }

    template <class W>
    W* part(const char* name) const {
        return view->findChild<W*>(name);
    }
    QWidget* view = nullptr;
};

TEST_F(EditTeamWindow, AnAddedTeamIsWrittenAndReachesTheTeamplayPageAndTheLaunch) {
    EXPECT_EQ(view->windowTitle(), "Edit Teams");
    EXPECT_FALSE(window->isEnabled());
    auto* members = part<QListView>("TeamIndividualsList");
    EXPECT_EQ(part<QListView>("TeamList")->accessibleName(), "Teams");
    EXPECT_EQ(members->accessibleName(), "Team members");
    EXPECT_EQ(part<QLineEdit>("TeamNameShortText")->accessibleName(), "Team abbreviation");

    QTest::mouseClick(part<QPushButton>("AddButton"), Qt::LeftButton);
    auto* name = part<QLineEdit>("AddTeamText");
    EXPECT_FALSE(part<QListView>("TeamList")->isVisible());
    EXPECT_EQ(view->focusWidget(), name);
    type(name, "Moss");
    QTest::mouseClick(part<QLineEdit>("TeamNameShortText"), Qt::LeftButton);
    type(part<QLineEdit>("TeamNameShortText"), "MS");
    clickRow(part<QListView>("TeamModelList"), 1);
    EXPECT_EQ(rowsOf(part<QListView>("TeamSkinList")), (QStringList{"ember", "frost"}));
    clickRow(part<QListView>("TeamSkinList"), 1);
    EXPECT_EQ(rowsOf(members), (QStringList{"Ash", "Big Ed", "Cole"}));
    clickCheck(members, 0);
    clickCheck(members, 2);
    // Each entry is a check box named by its bot, checked as the model holds it.
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(members);
    ASSERT_EQ(list->childCount(), 3);
    for (int row = 0; row < 3; ++row) {
        QAccessibleInterface* entry = list->child(row);
        EXPECT_EQ(entry->text(QAccessible::Name), rowsOf(members)[row]);
        EXPECT_EQ(entry->state().checked, row != 1) << row;
    }
    // Enter presses the Save that shows.
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(dialogs.texts().back(), "Bots.cfg file written.");
    EXPECT_EQ(readBytes(game.root() / "eraser" / "bots.cfg"),
              kBots + "\"Moss\"\"MS\"\"wren/frost\"[\"Ash\" \"Cole\"]\r\n" + kViewWeapons);
    EXPECT_EQ(rowsOf(part<QListView>("TeamList")), (QStringList{"Red Fangs", "Moss"}));
    EXPECT_FALSE(name->isVisible());

    QTest::mouseClick(part<QPushButton>("ExitButton"), Qt::LeftButton);
    settle();
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(sideView(main->editor()), nullptr);

    clickMark(find<QCheckBox>("TeamplayCheckBox"));
    auto* botTeams = find<QListView>("BotTeamList");
    EXPECT_EQ(rowsOf(find<QListView>("YourTeamList")), (QStringList{"Red Fangs", "Moss"}));
    EXPECT_EQ(rowsOf(botTeams), (QStringList{"Red Fangs", "Moss"}));
    clickRow(botTeams, 1);
    QTest::mouseClick(find<QPushButton>("LaunchButton"), Qt::LeftButton);
    EXPECT_EQ(readBytes(game.root() / "eraser" / "launcher.cfg"), "cmd join Red Fangs\r\nsv teams Moss\r\n");
    ASSERT_EQ(processes.starts.size(), 1u);
}

TEST_F(EditTeamWindow, EnterEditsTheSelectedTeamEscapeAsksAndCancelsThenReturnsToMain) {
    auto* teams = part<QListView>("TeamList");
    clickRow(teams, 0);
    QTest::keyClick(teams, Qt::Key_Return);
    auto* abbreviation = part<QLineEdit>("TeamNameShortText");
    EXPECT_EQ(part<QLineEdit>("AddTeamText")->text(), "Red Fangs");
    EXPECT_EQ(view->focusWidget(), abbreviation);
    abbreviation->selectAll();
    type(abbreviation, "RFLONG");
    auto* warnings = part<QLabel>("WarningLabel");
    EXPECT_TRUE(warnings->isVisible());
    EXPECT_TRUE(warnings->wordWrap());
    EXPECT_EQ(warnings->text(),
              "Save will keep 0 of this team's 2 members: check the ones to keep.\n"
              "The abbreviation is 6 characters long: over 4 crash the game's \"teams\" command.");
    dialogs.answers = {Answer::WithoutWriting};  // Discard
    QTest::keyClick(abbreviation, Qt::Key_Escape);
    EXPECT_EQ(dialogs.texts(),
              std::vector<std::string>{"The team Red Fangs has changes that are not written to " +
                                       nativeSeparators("eraser\\bots.cfg") + "."});
    EXPECT_TRUE(teams->isVisible());
    EXPECT_FALSE(warnings->isVisible());
    EXPECT_EQ(main->roster().TeamShortNames[0], "RF");
    QTest::keyClick(teams, Qt::Key_Escape);
    settle();
    EXPECT_EQ(sideView(main->editor()), nullptr);
    EXPECT_TRUE(window->isEnabled());
}

}  // namespace
}  // namespace vexmoor::testing
