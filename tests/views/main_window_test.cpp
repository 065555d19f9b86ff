#include <gtest/gtest.h>

#include <map>
#include <set>

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "platform/codec.h"
#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

bool isInput(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QCheckBox*>(w) ||
           qobject_cast<const QRadioButton*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
           qobject_cast<const QSlider*>(w) || qobject_cast<const QScrollBar*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QPushButton*>(w);
}

bool isControlWidget(const QWidget* w) {
    return isInput(w) || qobject_cast<const QLabel*>(w) || qobject_cast<const QGroupBox*>(w) ||
           qobject_cast<const QTabWidget*>(w);
}

// The widgets the window itself made, leaving out the parts Qt builds inside
// its composite widgets (a list's scroll bars, a tab widget's bar).
std::vector<QWidget*> ownWidgets(QWidget* window) {
    std::vector<QWidget*> own;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        bool inner = false;
        for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
            if (qobject_cast<QAbstractScrollArea*>(p) || qobject_cast<QComboBox*>(p) ||
                qobject_cast<QTabBar*>(p))
                inner = true;
        if (!inner && isControlWidget(w)) own.push_back(w);
    }
    return own;
}

QString accessibleName(QWidget* w) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(QAccessible::Name) : QString();
}

class MainWindowView : public ViewTest {
protected:
    // Every page at once, as these tests look through the whole window.
    void SetUp() override {
        open();
        window->buildEveryPage();
    }
};

TEST_F(MainWindowView, EveryControlHasOneWidgetNamedAfterIt) {
    std::set<QString> names;
    for (Control* control : controls()) {
        const QString name = QString::fromStdString(control->name());
        names.insert(name);
        EXPECT_EQ(window->findChildren<QObject*>(name).size(), 1) << control->name();
    }
    EXPECT_EQ(window->objectName(), "VexmoorMain");
    for (QWidget* w : ownWidgets(window.get()))
        EXPECT_TRUE(names.count(w->objectName()))
            << w->metaObject()->className() << " '" << w->objectName().toStdString()
            << "' is named after no control";
}

TEST_F(MainWindowView, ShowsTheModelsCaptionsAndState) {
    EXPECT_EQ(window->windowTitle(), "Vexmoor ");
    EXPECT_EQ(find<QPushButton>("LaunchButton")->text(), "Launch!");
    EXPECT_EQ(find<QPushButton>("LaunchButton")->toolTip(), "Launches Quake 2 (F5)");
    EXPECT_EQ(find<QLabel>("StatusBar1")->text(), "v1.5.5b ");
    EXPECT_TRUE(window->statusBar()->isAncestorOf(find<QLabel>("StatusBar1")));
    EXPECT_EQ(find<QMenu>("FileMenu")->title(), "&File");
    EXPECT_EQ(find<QAction>("ExitMenu")->text(), "E&xit");
    EXPECT_EQ(find<QMenu>("HelpMenu")->title(), "&Help");
    EXPECT_EQ(find<QCheckBox>("CloseOnExitCheckBox")->text(), "Close Application  on Exit");
    EXPECT_EQ(find<QCheckBox>("AllowHealthCheckBox")->toolTip(), "Enable/Disable health boxes");
    EXPECT_EQ(find<QGroupBox>("DeathmatchFrame")->title(), "General Settings");
    EXPECT_EQ(find<QLineEdit>("ExePathText")->text(), QString::fromStdString(game.text()));

    // Hidden controls exist but never show.
    for (const char* hidden :
         {"MaxPlayersCheckBox", "MaxPlayersText", "BotFreeClientsLabel", "BotFreeClientsText"})
        EXPECT_TRUE(find<QWidget>(hidden)->isHidden()) << hidden;
    EXPECT_TRUE(find<QWidget>("CTFOptionsFrame")->isHidden());

    // Start-up filled the list from the roster and disabled it with its frame.
    auto* bots = find<QListView>("SpecificBotList");
    ASSERT_EQ(rowsOf(bots).size(), 5);
    EXPECT_EQ(rowsOf(bots)[0], "Bot 0001");
    EXPECT_FALSE(bots->isEnabled());
    EXPECT_EQ(bots->selectionMode(), QAbstractItemView::MultiSelection);
    EXPECT_EQ(currentText(find<QListView>("MapList")), "q2dm1");

    auto* slider = find<QSlider>("BotSkillSlider");
    EXPECT_EQ(slider->orientation(), Qt::Horizontal);
    EXPECT_EQ(slider->minimum(), 0);
    EXPECT_EQ(slider->maximum(), 3);
    EXPECT_NE(slider->tickPosition(), QSlider::NoTicks);
    auto* scroll = find<QScrollBar>("BotNumScroll");
    EXPECT_EQ(scroll->orientation(), Qt::Horizontal);
    EXPECT_EQ(scroll->maximum(), 30);
    EXPECT_EQ(scroll->value(), 1);
}

TEST_F(MainWindowView, InputWidgetsCarryAccessibleNames) {
    for (QWidget* w : ownWidgets(window.get())) {
        if (!isInput(w)) continue;
        EXPECT_FALSE(accessibleName(w).isEmpty()) << w->objectName().toStdString();
    }

    const std::map<std::string, QString> named = {
        {"TimeLimitText", "Time limit"},
        {"FragLimitText", "Frag limit"},
        {"MaxPlayersText", "Max players"},
        {"BotNumScroll", "Bot count"},
        {"BotSkillSlider", "Bot skill"},
        {"SpecificBotList", "Specific bots"},
        {"MapList", "Internal maps"},
        {"MapFile", "External maps"},
        {"CTFList", "CTF maps"},
        {"AllowCheatsCheckBox", "Allow Cheats"},
        {"SaveChangesButton", "Save Settings"},
        {"InternalMapOption", "Q2 Internal"},
    };
    for (const auto& [control, name] : named)
        EXPECT_EQ(accessibleName(find<QWidget>(control)), name) << control;

    const std::map<std::string, std::string> labelled = {
        {"BotNumLabel", "BotNumText"},
        {"ClientLatencyLabel", "ClientLatencyText"},
        {"QuakePathLabel", "ExePathText"},
        {"PlayersPerTeamLabel", "PlayersPerTeamText"},
        {"YourTeamLabel", "YourTeamList"},
        {"BotTeamLabel", "BotTeamList"},
        {"BotFreeClientsLabel", "BotFreeClientsText"},
    };
    for (const auto& [labelName, fieldName] : labelled) {
        auto* label = find<QLabel>(labelName);
        auto* field = find<QWidget>(fieldName);
        EXPECT_EQ(label->buddy(), field) << labelName;
        EXPECT_EQ(accessibleName(field), label->text()) << fieldName;
    }
}

TEST_F(MainWindowView, EachTabShowsExactlyOnePage) {
    const std::vector<std::string> pages = {"AboutTab",    "BotTab",     "MapTab",
                                            "GameplayTab", "ConsoleTab", "PreferencesTab"};
    auto* tabs = find<QTabWidget>("BotTabStrip");
    ASSERT_EQ(tabs->count(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(tabs->tabText(i).toStdString(), TabStrip::tabs()[static_cast<std::size_t>(i)]);
        EXPECT_EQ(tabs->widget(i)->objectName().toStdString(), pages[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(tabs->currentIndex(), 0);
    // Backwards first, so every click is a change.
    for (int i : {5, 4, 3, 2, 1, 0}) {
        showTab(i);
        EXPECT_EQ(main->BotTabStrip.value(), i + 1);
        int shown = 0;
        for (int page = 0; page < 6; ++page) shown += tabs->widget(page)->isVisible() ? 1 : 0;
        EXPECT_EQ(shown, 1);
        EXPECT_TRUE(tabs->widget(i)->isVisible()) << pages[static_cast<std::size_t>(i)];
    }
    // The model's page switch follows the strip too.
    showTab(2);
    EXPECT_TRUE(main->maps.MapTab.visible());
    EXPECT_FALSE(main->AboutTab.visible());
}

TEST_F(MainWindowView, CheckBoxesAndTheirModelsFollowEachOther) {
    showTab(4);
    auto* cheats = find<QCheckBox>("AllowCheatsCheckBox");
    clickMark(cheats);
    EXPECT_EQ(main->gameplay.AllowCheatsCheckBox.state(), 1);
    EXPECT_EQ(main->gameplay.AllowCheatsCheckBox.fragment(), " +set cheats  1");
    EXPECT_EQ(cheats->checkState(), Qt::Checked);

    main->gameplay.AllowCheatsCheckBox.setState(0);
    EXPECT_EQ(cheats->checkState(), Qt::Unchecked);

    // A grayed state from a stored file shows as such; a click checks it.
    main->gameplay.AllowCheatsCheckBox.setState(2);
    EXPECT_EQ(cheats->checkState(), Qt::PartiallyChecked);
    clickMark(cheats);
    EXPECT_EQ(main->gameplay.AllowCheatsCheckBox.state(), 1);
    EXPECT_EQ(cheats->checkState(), Qt::Checked);
    EXPECT_FALSE(cheats->isTristate());

    // The flag rule runs through the click like any other.
    clickMark(find<QCheckBox>("AllowExitCheckBox"));
    EXPECT_EQ(main->flags.total, 4096);
}

TEST_F(MainWindowView, ASwitchThatSpringsBackShowsUnchecked) {
    // A roster without teams: team play refuses to come on.
    writeBytes(game.root() / "eraser" / "bots.cfg", "[bots]\r\n[teams]\r\n[view weapons]\r\n");
    window.reset();
    main.reset();
    roster = Roster{};
    open();
    showTab(3);
    auto* teamplay = find<QCheckBox>("TeamplayCheckBox");
    clickMark(teamplay);
    EXPECT_EQ(teamplay->checkState(), Qt::Unchecked);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.texts().back(), "No teams defined in bots.cfg");
}

TEST_F(MainWindowView, TeamplayFillsAndEmptiesTheTeamLists) {
    showTab(3);
    clickMark(find<QCheckBox>("TeamplayCheckBox"));
    auto* yours = find<QListView>("YourTeamList");
    auto* bots = find<QListView>("BotTeamList");
    ASSERT_EQ(rowsOf(yours).size(), 3);
    EXPECT_TRUE(yours->isEnabled());
    EXPECT_EQ(yours->currentIndex().row(), 0);
    EXPECT_TRUE(rowSelected(yours, 0));
    EXPECT_EQ(bots->selectionModel()->selectedRows().size(), 0);

    clickRow(yours, 2);
    EXPECT_EQ(main->teamplay.YourTeamList.selectedIndex(), 2);
    clickRow(bots, 0);
    clickRow(bots, 2);
    EXPECT_EQ(main->teamplay.BotTeamList.selectedItems(), (std::vector<std::string>{"Team 01", "Team 03"}));

    clickMark(find<QCheckBox>("TeamplayCheckBox"));
    EXPECT_EQ(rowsOf(yours).size(), 0);
    EXPECT_EQ(rowsOf(bots).size(), 0);
    EXPECT_FALSE(find<QGroupBox>("TeamplayFrame")->isEnabled());
}

TEST_F(MainWindowView, TextFieldsPassTypingToTheModel) {
    showTab(1);
    auto* count = find<QLineEdit>("BotNumText");
    count->selectAll();
    QTest::keyClicks(count, "7");
    EXPECT_EQ(main->bots.BotNumText.text(), "7");
    EXPECT_EQ(find<QScrollBar>("BotNumScroll")->value(), 7);
    EXPECT_EQ(main->bots.BotNumberFrame.fragment(), " +set bot_num 7");

    // The model's answer to the typing shows at once: too many bots become 0.
    QTest::keyClicks(count, "3");
    EXPECT_EQ(count->text(), "0");
    EXPECT_EQ(alert.beeps, 1);

    // The scroll bar sets the text.
    find<QScrollBar>("BotNumScroll")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(count->text(), "1");
}

TEST_F(MainWindowView, TypingKeepsTheCodePagesCharactersAndRefusesOthers) {
    showTab(4);
    auto* limit = find<QLineEdit>("TimeLimitText");
    limit->end(false);
    type(limit, QString::fromUtf8("\xC3\xA9"));  // é is in the code page
    EXPECT_EQ(main->gameplay.TimeLimitText.text(), "20\xE9");
    ASSERT_TRUE(dialogs.shown.empty());

    type(limit, QString::fromUtf8("\xE4\xB8\xAD"));  // a CJK character is not
    EXPECT_EQ(main->gameplay.TimeLimitText.text(), "20\xE9");
    EXPECT_EQ(limit->text(), toQString("20\xE9"));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find("U+4E2D"), std::string::npos);
    EXPECT_EQ(dialogs.shown[0].icon, Icon::Exclamation);
}

// A path is the system's: on POSIX its characters are typed as UTF-8, and
// any character a file name can hold is taken. On Windows a path is in the
// code page as every text is, and a character outside it is refused.
TEST_F(MainWindowView, TheGameDirectoryTakesTheSystemsCharacters) {
    showTab(5);
    auto* path = find<QLineEdit>("ExePathText");
    path->end(false);
    type(path, QString::fromUtf8("zo\xC3\xAB \xE4\xB8\xAD/"));
#ifdef _WIN32
    EXPECT_EQ(main->preferences.ExePathText.text(), game.text() + "zo\xEB /");
    EXPECT_EQ(path->text(), QString::fromStdString(game.text()) + QString::fromUtf8("zo\xC3\xAB /"));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find("U+4E2D"), std::string::npos);
#else
    EXPECT_EQ(main->preferences.ExePathText.text(), game.text() + "zo\xC3\xAB \xE4\xB8\xAD/");
    EXPECT_EQ(path->text(),
              QString::fromStdString(game.text()) + QString::fromUtf8("zo\xC3\xAB \xE4\xB8\xAD/"));
    EXPECT_TRUE(dialogs.shown.empty());
#endif
}

TEST_F(MainWindowView, ABotCountScrollBarClickMovesByOne) {
    showTab(1);
    auto* scroll = find<QScrollBar>("BotNumScroll");
    QTest::mouseClick(scroll, Qt::LeftButton, Qt::NoModifier,
                      QPoint(scroll->width() * 3 / 4, scroll->height() / 2));
    EXPECT_EQ(main->bots.BotNumText.text(), "2");
}

TEST_F(MainWindowView, MultipleChoiceListToggleOneItemPerClick) {
    showTab(1);
    clickMark(find<QRadioButton>("SpawnSpecificBotsOption"));
    EXPECT_TRUE(main->bots.SpawnSpecificBotsOption.chosen());
    EXPECT_FALSE(find<QRadioButton>("SpawnRandomBotsOption")->isChecked());
    auto* list = find<QListView>("SpecificBotList");
    ASSERT_TRUE(list->isEnabled());
    EXPECT_FALSE(find<QScrollBar>("BotNumScroll")->isEnabled());

    clickRow(list, 0);
    clickRow(list, 3);
    EXPECT_EQ(main->bots.SpecificBotList.selectedItems(), (std::vector<std::string>{"Bot 0001", "Bot 0004"}));
    clickRow(list, 0);
    EXPECT_EQ(main->bots.SpecificBotList.selectedItems(), (std::vector<std::string>{"Bot 0004"}));

    // Select all at once: every item reaches the model, none is lost on the way.
    list->selectAll();
    EXPECT_EQ(main->bots.SpecificBotList.selectedItems().size(), 5u);

    main->bots.SpecificBotList.setSelected(1, false);
    EXPECT_FALSE(rowSelected(list, 1));
    EXPECT_TRUE(rowSelected(list, 2));
}

TEST_F(MainWindowView, MapTypeAndListsFollowTheModel) {
    showTab(2);
    clickRow(find<QListView>("MapList"), 9);
    EXPECT_EQ(main->maps.MapFrame.fragment(), " +map base2");

    clickMark(find<QRadioButton>("CTFMapOption"));
    EXPECT_TRUE(find<QRadioButton>("CTFMapOption")->isChecked());
    EXPECT_FALSE(find<QRadioButton>("InternalMapOption")->isChecked());
    EXPECT_TRUE(find<QWidget>("CTFOptionsFrame")->isVisible());
    EXPECT_TRUE(find<QListView>("CTFList")->isEnabled());
    EXPECT_FALSE(find<QListView>("MapList")->isEnabled());

    // A click on the chosen button leaves it chosen.
    clickMark(find<QRadioButton>("CTFMapOption"));
    EXPECT_TRUE(find<QRadioButton>("CTFMapOption")->isChecked());

    clickMark(find<QRadioButton>("ExternalMapOption"));
    EXPECT_TRUE(find<QListView>("MapFile")->isEnabled());
    EXPECT_FALSE(find<QWidget>("CTFOptionsFrame")->isVisible());
    clickRow(find<QListView>("MapFile"), 1);
    EXPECT_EQ(main->maps.MapFrame.fragment(), " +map beta");
}

TEST_F(MainWindowView, SliderMovesTheSkill) {
    showTab(1);
    auto* slider = find<QSlider>("BotSkillSlider");
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_End);
    EXPECT_EQ(main->bots.BotSkillSlider.value(), 3);
    EXPECT_EQ(find<QLabel>("BotSkillLabel")->text(), "Nightmare");
    EXPECT_EQ(main->bots.BotSkillFrame.fragment(), " +skill  3");
}

TEST_F(MainWindowView, EnterLaunches) {
    showTab(4);
    auto* box = find<QCheckBox>("DedicatedCheckBox");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    ASSERT_EQ(processes.starts.size(), 1u);
    EXPECT_EQ(processes.starts[0].commandLine.rfind(game.text() + "quake2.exe +set game eraser", 0), 0u);
}

TEST_F(MainWindowView, ClosingTheFrameIsExit) {
    window->close();
    EXPECT_EQ(windows.quits, 1);
    EXPECT_TRUE(window->isVisible());  // the program ends; the window is not closed on its own
}

// The pages past the first are made when first shown.
class LatePages : public ViewTest {};

TEST_F(LatePages, APageShowsWhatItsModelCameToBeforeAndItsButtonsTakeEnter) {
    open();
    main->gameplay.TimeLimitText.setText("42");
    showTab(4);
    auto* limit = window->findChild<QLineEdit*>("TimeLimitText");
    ASSERT_TRUE(limit);
    EXPECT_TRUE(limit->isVisible());
    EXPECT_EQ(limit->text(), "42");

    showTab(2);
    auto* edit = window->findChild<QPushButton*>("EditMapCycleButton");
    ASSERT_TRUE(edit);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    settle();
    EXPECT_TRUE(processes.starts.empty());
    EXPECT_NE(sideView(main->editor()), nullptr);
}

}  // namespace
}  // namespace vexmoor::testing
