// Every single-choice list shows exactly the choice its model holds: Ctrl+click
// or Ctrl+Space on the chosen entry either leaves the list with nothing chosen
// on screen and in the model, or shows the model's choice again.
#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include "chat/chat_edit_form.h"
#include "options/map_cycle_edit_form.h"
#include "roster/bot_config_form.h"
#include "teams/edit_team_form.h"
#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

class SingleChoice;

struct ListCase {
    const char* list;
    bool noneAllowed;
    // Opens the window that holds the list and leaves an entry chosen.
    std::function<void(SingleChoice&)> open;
    std::function<ListBox&(SingleChoice&)> model;
};

void PrintTo(const ListCase& c, std::ostream* out) { *out << c.list; }

class SingleChoice : public ViewTest, public ::testing::WithParamInterface<ListCase> {
public:
    using ViewTest::main;
    using ViewTest::open;
    using ViewTest::openEditor;
    using ViewTest::showTab;

    SingleChoice() {
        game.withRoster(GameDirectoryBuilder::generatedRoster(4, 2))
            .withChat("-- Greetings\r\nHi.\r\n-- Insults (general)\r\nBoo.\r\n-- Insults (kicking ass)\r\nHa.\r\n"
                      "-- Insults (losing, coming back)\r\nOw.\r\n-- Come-backs\r\nNo.\r\n-- TEAMPLAY: Help!\r\n"
                      "Help.\r\n-- TEAMPLAY: Drop Item (not implemented yet)\r\nDrop.\r\n"
                      "-- TEAMPLAY: Let's Group!\r\nGroup.\r\n")
            .withMapCycle("q2dm1\r\nq2dm2\r\n")
            .withModel("male", {"cipher.pcx", "flak.pcx"})
            .withModel("female", {"athena.pcx"});
    }

    void clickIn(const char* button) {
        QTest::mouseClick(sideView(main->editor())->findChild<QPushButton*>(button), Qt::LeftButton);
        settle();
    }
    QListView* listView(const char* name) const {
        QWidget* in = main->editor() ? sideView(main->editor()) : window.get();
        return in ? in->findChild<QListView*>(name) : nullptr;
    }
    template <class Form>
    Form& editorAs() {
        return *dynamic_cast<Form*>(main->editor());
    }
};

const auto chosenInMain = [](int tab, std::function<void(VexmoorMain&)> prepare = {}) {
    return [tab, prepare](SingleChoice& t) {
        t.open();
        if (prepare) prepare(*t.main);
        t.showTab(tab);
    };
};

const auto chatList = [](int category) {
    return ListCase{nullptr, true,
                    [category](SingleChoice& t) {
                        t.openEditor(1, "EditChatButton");
                        t.editorAs<ChatEditForm>().ChatTypeList.setSelectedIndex(category);
                    },
                    [category](SingleChoice& t) -> ListBox& {
                        return t.editorAs<ChatEditForm>().ChatList(static_cast<std::size_t>(category));
                    }};
};

std::vector<ListCase> cases() {
    std::vector<ListCase> all = {
        {"MapList", false, chosenInMain(2), [](SingleChoice& t) -> ListBox& { return t.main->maps.MapList; }},
        {"CTFList", false, chosenInMain(2, [](VexmoorMain& m) { m.maps.CTFMapOption.choose(); }),
         [](SingleChoice& t) -> ListBox& { return t.main->maps.CTFList; }},
        {"MapFile", false, chosenInMain(2, [](VexmoorMain& m) { m.maps.ExternalMapOption.choose(); }),
         [](SingleChoice& t) -> ListBox& { return t.main->maps.MapFile; }},
        {"YourTeamList", false, chosenInMain(3, [](VexmoorMain& m) { m.teamplay.TeamplayCheckBox.setState(1); }),
         [](SingleChoice& t) -> ListBox& { return t.main->teamplay.YourTeamList; }},
        {"BotNameList", false, [](SingleChoice& t) { t.openEditor(1, "BotEditButton"); },
         [](SingleChoice& t) -> ListBox& { return t.editorAs<BotConfigForm>().BotNameList; }},
        {"ModelList", false,
         [](SingleChoice& t) {
             t.openEditor(1, "BotEditButton");
             t.clickIn("EditBotButton");
         },
         [](SingleChoice& t) -> ListBox& { return t.editorAs<BotConfigForm>().ModelList; }},
        {"SkinList", false,
         [](SingleChoice& t) {
             t.openEditor(1, "BotEditButton");
             t.clickIn("EditBotButton");
         },
         [](SingleChoice& t) -> ListBox& { return t.editorAs<BotConfigForm>().SkinList; }},
        {"TeamList", true,
         [](SingleChoice& t) {
             t.openEditor(3, "EditTeamButton");
             t.editorAs<EditTeamForm>().TeamList.setSelectedIndex(1);
         },
         [](SingleChoice& t) -> ListBox& { return t.editorAs<EditTeamForm>().TeamList; }},
        {"TeamModelList", true,
         [](SingleChoice& t) {
             t.openEditor(3, "EditTeamButton");
             t.editorAs<EditTeamForm>().TeamList.setSelectedIndex(0);
             t.clickIn("EditButton");
         },
         [](SingleChoice& t) -> ListBox& { return t.editorAs<EditTeamForm>().TeamModelList; }},
        {"TeamSkinList", true,
         [](SingleChoice& t) {
             t.openEditor(3, "EditTeamButton");
             t.editorAs<EditTeamForm>().TeamList.setSelectedIndex(0);
             t.clickIn("EditButton");
         },
         [](SingleChoice& t) -> ListBox& { return t.editorAs<EditTeamForm>().TeamSkinList; }},
        {"ChatTypeList", false, [](SingleChoice& t) { t.openEditor(1, "EditChatButton"); },
         [](SingleChoice& t) -> ListBox& { return t.editorAs<ChatEditForm>().ChatTypeList; }},
        {"MapsSelectedList", true, [](SingleChoice& t) { t.openEditor(2, "EditMapCycleButton"); },
         [](SingleChoice& t) -> ListBox& { return t.editorAs<MapCycleEditForm>().MapsSelectedList; }},
    };
    static const char* const chatNames[] = {"ChatList0", "ChatList1", "ChatList2", "ChatList3",
                                            "ChatList4", "ChatList5", "ChatList6", "ChatList7"};
    for (int k = 0; k < 8; ++k) {
        all.push_back(chatList(k));
        all.back().list = chatNames[k];
    }
    return all;
}

TEST_P(SingleChoice, TheListShowsTheChoiceItsModelHolds) {
    const ListCase& c = GetParam();
    c.open(*this);
    QListView* view = listView(c.list);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(view->isVisible() && view->isEnabled());
    ListBox& model = c.model(*this);
    const int chosen = model.selectedIndex();
    ASSERT_GE(chosen, 0);
    const auto shownRows = [view] {
        QList<int> rows;
        for (const QModelIndex& index : view->selectionModel()->selectedRows()) rows << index.row();
        return rows;
    };

    const QRect entry = view->visualRect(view->model()->index(chosen, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier, entry.center());
    settle();
    EXPECT_EQ(model.selectedIndex(), c.noneAllowed ? -1 : chosen);
    EXPECT_EQ(shownRows(), c.noneAllowed ? QList<int>{} : QList<int>{chosen});

    // Ctrl+Space on the entry the keyboard stands on: chosen again, or kept.
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Space, Qt::ControlModifier);
    settle();
    EXPECT_EQ(model.selectedIndex(), chosen);
    EXPECT_EQ(shownRows(), QList<int>{chosen});
}

INSTANTIATE_TEST_SUITE_P(EveryList, SingleChoice, ::testing::ValuesIn(cases()),
                         [](const auto& param) { return std::string(param.param.list); });

}  // namespace
}  // namespace vexmoor::testing
