// The program worked with the keyboard alone: menus by their mnemonics, every
// page walked with Tab, the side windows' main button on Enter and their way
// back on Escape.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "view_fixture.h"

namespace vexmoor::testing {
namespace {

constexpr int kWaitMs = 5000;

bool isInput(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
           qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
           qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QComboBox*>(w);
}

// The enabled, visible input widgets a window built inside `area`, leaving
// out the parts Qt builds inside its composite widgets (a list's scroll bars).
std::vector<QWidget*> inputsOf(QWidget* area) {
    std::vector<QWidget*> inputs;
    for (QWidget* w : area->findChildren<QWidget*>()) {
        bool inner = false;
        for (QWidget* p = w->parentWidget(); p && p != area; p = p->parentWidget())
            if (qobject_cast<QAbstractScrollArea*>(p) || qobject_cast<QComboBox*>(p)) inner = true;
        if (!inner && isInput(w) && w->isVisible() && w->isEnabled()) inputs.push_back(w);
    }
    return inputs;
}

std::string nameOf(const QWidget* w) {
    if (!w) return "(nothing)";
    return w->objectName().isEmpty() ? std::string(w->metaObject()->className())
                                     : w->objectName().toStdString();
}

std::vector<std::string> namesOf(const std::vector<QWidget*>& widgets) {
    std::vector<std::string> names;
    for (const QWidget* w : widgets) names.push_back(nameOf(w));
    return names;
}

QWidget* focused() { return QApplication::focusWidget(); }

// Whether `window` became the window that has the keyboard. (QTest's own wait
// also takes a window whose transient parent is active for active.)
bool becomesActive(QWidget* window) {
    return window && QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, kWaitMs);
}

void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = focused();
    if (!target) target = QApplication::activeWindow();
    ASSERT_NE(target, nullptr) << "no window has the keyboard";
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

// Presses Tab until the focus comes back to where it started; the widgets
// it passed on the way, in order (the start not repeated).
std::vector<QWidget*> tabCycle() {
    QWidget* start = focused();
    std::vector<QWidget*> visited;
    for (int i = 0; i < 100; ++i) {
        press(Qt::Key_Tab);
        if (::testing::Test::HasFatalFailure() || focused() == start) return visited;
        visited.push_back(focused());
    }
    ADD_FAILURE() << "Tab never came back to " << nameOf(start) << "; it went "
                  << ::testing::PrintToString(namesOf(visited));
    return visited;
}

// Reading order: the next field lies lower on the window, or entirely to the
// right of the last one (the next column). Tab never jumps back up and left.
void expectReadingOrder(const std::vector<QWidget*>& order) {
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget* window = order[i]->window();
        const QRect before(order[i - 1]->mapTo(window, QPoint(0, 0)), order[i - 1]->size());
        const QRect next(order[i]->mapTo(window, QPoint(0, 0)), order[i]->size());
        const bool lower = next.top() > before.top();
        const bool rightOf = next.left() > before.right();
        EXPECT_TRUE(lower || rightOf)
            << nameOf(order[i - 1]) << " at " << before.x() << "," << before.y() << " is followed by "
            << nameOf(order[i]) << " at " << next.x() << "," << next.y();
    }
}

class Keyboard : public ViewTest {
protected:
    void SetUp() override {
        open();
        window->activateWindow();
        ASSERT_TRUE(becomesActive(window.get()));
    }

    QTabBar* tabBar() const { return find<QTabWidget>("BotTabStrip")->tabBar(); }

    // Tab until the focus reaches `widget`.
    void tabTo(QWidget* widget) {
        for (int i = 0; i < 100 && focused() != widget; ++i) press(Qt::Key_Tab);
        ASSERT_EQ(focused(), widget) << "Tab does not reach " << nameOf(widget);
    }

    // With the tab strip focused, arrow keys bring up page `index`.
    void arrowToPage(int index) {
        tabTo(tabBar());
        while (tabBar()->currentIndex() < index) press(Qt::Key_Right);
        while (tabBar()->currentIndex() > index) press(Qt::Key_Left);
        ASSERT_EQ(main->BotTabStrip.value(), index + 1);
    }

    // From the tab strip, Tab passes every input of the open page once, in
    // reading order, then the Launch button, then comes back.
    void expectPageWalk(int index) {
        arrowToPage(index);
        QWidget* page = find<QTabWidget>("BotTabStrip")->widget(index);
        std::vector<QWidget*> cycle = tabCycle();
        ASSERT_FALSE(cycle.empty());
        auto* launch = find<QPushButton>("LaunchButton");
        EXPECT_EQ(cycle.back(), launch) << "the walk ends on " << nameOf(cycle.back());
        std::vector<QWidget*> onPage(cycle.begin(), cycle.end() - 1);
        std::vector<std::string> expected = namesOf(inputsOf(page));
        std::vector<std::string> walked = namesOf(onPage);
        std::sort(expected.begin(), expected.end());
        std::sort(walked.begin(), walked.end());
        EXPECT_EQ(walked, expected) << "page " << index + 1 << " walked as "
                                    << ::testing::PrintToString(namesOf(onPage));
        onPage.push_back(launch);
        expectReadingOrder(onPage);
    }
};

TEST_F(Keyboard, FileMenuOpensWithAltFAndLaunchesWithL) {
    auto* file = find<QMenu>("FileMenu");
    press(Qt::Key_F, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([file] { return file->isVisible(); }, kWaitMs));
    QTest::keyClick(file, Qt::Key_L);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !processes.starts.empty(); }, kWaitMs));
    EXPECT_EQ(processes.starts[0].commandLine.rfind(game.text() + "quake2.exe +set game eraser", 0), 0u);
    EXPECT_FALSE(file->isVisible());
    EXPECT_EQ(windows.quits, 0);
}

TEST_F(Keyboard, FileMenuExitsWithX) {
    auto* file = find<QMenu>("FileMenu");
    press(Qt::Key_F, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([file] { return file->isVisible(); }, kWaitMs));
    QTest::keyClick(file, Qt::Key_X);
    ASSERT_TRUE(QTest::qWaitFor([this] { return windows.quits == 1; }, kWaitMs));
    EXPECT_TRUE(processes.starts.empty());
}

TEST_F(Keyboard, HelpAboutOpensWithAltHAThenEnterOrEscapeGiveTheMainWindowBack) {
    auto* help = find<QMenu>("HelpMenu");
    for (const int closeKey : {Qt::Key_Return, Qt::Key_Escape}) {
        press(Qt::Key_H, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([help] { return help->isVisible(); }, kWaitMs));
        QTest::keyClick(help, Qt::Key_A);
        ASSERT_TRUE(QTest::qWaitFor([this] { return sideView(main->aboutForm()) != nullptr; }, kWaitMs));
        QWidget* about = sideView(main->aboutForm());
        ASSERT_TRUE(becomesActive(about));
        EXPECT_FALSE(window->isEnabled());
        EXPECT_EQ(nameOf(focused()), "OKButton");

        press(closeKey);
        settle();
        EXPECT_EQ(sideView(main->aboutForm()), nullptr) << closeKey;
        EXPECT_TRUE(window->isEnabled());
        EXPECT_TRUE(becomesActive(window.get())) << closeKey;
    }
}

TEST_F(Keyboard, TabWalksEveryPageInReadingOrderToLaunch) {
    for (int page = 0; page < 6; ++page) {
        SCOPED_TRACE("page " + std::to_string(page + 1));
        expectPageWalk(page);
    }
}

TEST_F(Keyboard, TabReachesTheFieldsThatTheKeyboardEnabled) {
    // Specific bots, chosen with Space, open their list to the walk.
    arrowToPage(1);
    tabTo(find<QRadioButton>("SpawnSpecificBotsOption"));
    press(Qt::Key_Space);
    ASSERT_TRUE(main->bots.SpawnSpecificBotsOption.chosen());
    expectPageWalk(1);

    // The CTF map type, chosen with Space, opens its list and shows its options.
    arrowToPage(2);
    tabTo(find<QRadioButton>("CTFMapOption"));
    press(Qt::Key_Space);
    ASSERT_TRUE(main->maps.CTFMapOption.chosen());
    expectPageWalk(2);

    // Team play, switched on with Space, opens the team lists and the per-team limit.
    arrowToPage(3);
    tabTo(find<QCheckBox>("TeamplayCheckBox"));
    press(Qt::Key_Space);
    ASSERT_EQ(main->teamplay.TeamplayCheckBox.state(), 1);
    expectPageWalk(3);
}

TEST_F(Keyboard, TheChooserIsWorkedFromTheKeyboard) {
    // Enter on a focused button presses that button, not Launch.
    arrowToPage(5);
    tabTo(find<QPushButton>("QuakePathButton"));
    press(Qt::Key_Return);
    QWidget* chooser = sideView(main->browseForm());
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(becomesActive(chooser));
    EXPECT_TRUE(processes.starts.empty());
    auto* folders = chooser->findChild<QListWidget*>("QuakeDir");
    EXPECT_EQ(focused(), folders);

    const std::vector<QWidget*> cycle = tabCycle();
    EXPECT_EQ(namesOf(cycle), (std::vector<std::string>{"SetButton", "CancelButton", "QuakeDrive"}));
    std::vector<QWidget*> order{chooser->findChild<QWidget*>("QuakeDrive"), folders,
                                chooser->findChild<QWidget*>("SetButton"),
                                chooser->findChild<QWidget*>("CancelButton")};
    expectReadingOrder(order);

    // Escape is Cancel: the main window comes back unchanged.
    press(Qt::Key_Escape);
    settle();
    EXPECT_EQ(sideView(main->browseForm()), nullptr);
    EXPECT_TRUE(window->isEnabled());
    ASSERT_TRUE(becomesActive(window.get()));
    EXPECT_EQ(main->preferences.ExePathText.text(), game.text());

    // Enter on Cancel is Cancel too, never Set.
    main->preferences.ExePathText.setText("elsewhere/");
    tabTo(find<QPushButton>("QuakePathButton"));
    press(Qt::Key_Return);
    chooser = sideView(main->browseForm());
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(becomesActive(chooser));
    tabTo(chooser->findChild<QPushButton*>("CancelButton"));
    press(Qt::Key_Return);
    settle();
    EXPECT_EQ(sideView(main->browseForm()), nullptr);
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().front();
    EXPECT_EQ(main->preferences.ExePathText.text(), "elsewhere/");

    // Up a level, type-ahead to the game's folder, into it, Tab to Set, Enter.
    ASSERT_TRUE(becomesActive(window.get()));
    tabTo(find<QPushButton>("QuakePathButton"));
    press(Qt::Key_Return);
    chooser = sideView(main->browseForm());
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(becomesActive(chooser));
    folders = chooser->findChild<QListWidget*>("QuakeDir");
    press(Qt::Key_Home);
    ASSERT_EQ(folders->currentItem()->text(), "..");
    press(Qt::Key_Return);
    ASSERT_EQ(main->browseForm()->QuakeDir.path(), temp.path());
    press(Qt::Key_G);
    ASSERT_EQ(folders->currentItem()->text(), "game");
    press(Qt::Key_Return);
    ASSERT_EQ(main->browseForm()->QuakeDir.path(), game.root());
    tabTo(chooser->findChild<QPushButton*>("SetButton"));
    press(Qt::Key_Return);
    settle();
    EXPECT_EQ(sideView(main->browseForm()), nullptr);
    EXPECT_EQ(main->preferences.ExePathText.text(), game.text());
    EXPECT_TRUE(window->isEnabled());
    EXPECT_TRUE(becomesActive(window.get()));
}

TEST_F(Keyboard, TheReviewIsWorkedFromTheKeyboard) {
    arrowToPage(4);
    tabTo(find<QCheckBox>("CommandLineEditCheck"));
    press(Qt::Key_Space);
    ASSERT_EQ(main->gameplay.CommandLineEditCheck.state(), 1);

    const auto openReview = [this]() -> QWidget* {
        press(Qt::Key_F, Qt::AltModifier);
        QTest::keyClick(find<QMenu>("FileMenu"), Qt::Key_L);
        QWidget* review = sideView(main->cmdLineForm());
        if (review && !becomesActive(review)) return nullptr;
        return review;
    };

    QWidget* review = openReview();
    ASSERT_NE(review, nullptr);
    auto* text = review->findChild<QPlainTextEdit*>("CommandLineText");
    EXPECT_EQ(focused(), text);
    const std::vector<QWidget*> cycle = tabCycle();
    EXPECT_EQ(namesOf(cycle), (std::vector<std::string>{"GoButton", "ReturnButton"}));
    expectReadingOrder(
        {text, review->findChild<QWidget*>("GoButton"), review->findChild<QWidget*>("ReturnButton")});

    // Escape, and Enter on "Return to Main", both go back and start nothing.
    press(Qt::Key_Escape);
    settle();
    EXPECT_EQ(sideView(main->cmdLineForm()), nullptr);
    ASSERT_TRUE(becomesActive(window.get()));
    review = openReview();
    ASSERT_NE(review, nullptr);
    tabTo(review->findChild<QPushButton*>("ReturnButton"));
    press(Qt::Key_Return);
    settle();
    EXPECT_EQ(sideView(main->cmdLineForm()), nullptr);
    EXPECT_TRUE(processes.starts.empty());
    ASSERT_TRUE(becomesActive(window.get()));

    // Enter in the text is Go.
    review = openReview();
    ASSERT_NE(review, nullptr);
    press(Qt::Key_Return);
    settle();
    ASSERT_EQ(processes.starts.size(), 1u);
    EXPECT_EQ(sideView(main->cmdLineForm()), nullptr);
    EXPECT_TRUE(window->isEnabled());
}

}  // namespace
}  // namespace vexmoor::testing
