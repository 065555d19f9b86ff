#include "view_fixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTabBar>
#include <QTest>

#include "launcher/editors.h"
#include "roster/roster_file.h"
#include "views/application.h"

namespace vexmoor::testing {

namespace fs = std::filesystem;

ViewTest::ViewTest()
    : game(temp.path() / "game"),
      home(temp.path() / "home"),
      settingsFile(temp.path() / "config" / "vexmoor.ini"),
      versionsFolder(temp.path() / "data" / "versions"),
      settings(settingsFile, versionsFolder) {
    game.withEraserFolder()
        .withRoster(GameDirectoryBuilder::generatedRoster(5, 3))
        .withChat("")
        .withMapCycle("q2dm1\r\n")
        .withMaps({"alpha.bsp", "beta.bsp"})
        .withMapArchive()
        .withGame();
    fs::create_directories(settingsFile.parent_path());
    writeBytes(settingsFile, "\"" + game.text() + "\"\r\n" + MainFixture::kDefaultSettingsTail);
    fs::create_directories(home / "alpha");
    fs::create_directories(home / "beta" / "gamma");
    fs::create_directories(home / ".hidden");
    drives.drives = {{"/", "/"}, {home.string(), home}};
    drives.start = 1;
    registerSideWindowViews(windows, dialogs);
}

ViewTest::~ViewTest() {
    windows.deleteViews();
    window.reset();
    main.reset();
}

void ViewTest::open() {
    // A program open() made before goes first, its windows before its model:
    // their look-up threads read the model's map library until they stop.
    windows.deleteViews();
    window.reset();
    main = std::make_unique<VexmoorMain>(
        Services{dialogs, windows, alert, processes, settings, drives, gamePlaces}, roster);
    registerEditors(*main);
    main->startUp();
    window = std::make_unique<MainWindow>(*main);
    windows.setMainWindow(*main, window.get());
    if (!main->visible()) return;
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

void ViewTest::reopen() {
    windows.deleteViews();
    window.reset();
    main.reset();
    roster = Roster{};
    open();
}

QWidget* ViewTest::openEditor(int tab, const char* button) {
    open();
    showTab(tab);
    QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton);
    settle();
    return sideView(main->editor());
}

void ViewTest::settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

void ViewTest::clickRow(QAbstractItemView* list, int row) {
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    const QRect rect = list->visualRect(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

QStringList ViewTest::rowsOf(const QAbstractItemView* list) {
    QStringList rows;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        rows << list->model()->index(row, 0).data().toString();
    return rows;
}

bool ViewTest::rowSelected(const QAbstractItemView* list, int row) {
    return list->selectionModel()->isSelected(list->model()->index(row, 0));
}

QString ViewTest::currentText(const QAbstractItemView* list) {
    return list->currentIndex().data().toString();
}

void ViewTest::type(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &release);
    }
}

void ViewTest::clickMark(QWidget* button) {
    // A box's own area can be wider than its mark and caption; its left end is always the mark.
    const QPoint mark(button->fontMetrics().height() / 2 + 2, button->height() / 2);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, mark);
}

void ViewTest::clickCheck(QListView* list, int row) {
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.rect = list->visualRect(list->model()->index(row, 0));
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    const QRect mark = list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, mark.center());
}

void ViewTest::showTab(int index) const {
    auto* tabs = find<QTabWidget>("BotTabStrip");
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

Roster ViewTest::rosterFile() const {
    Roster held;
    EXPECT_TRUE(readRosterAsHeld(game.root() / "eraser" / "bots.cfg", held));
    return held;
}

std::vector<Control*> ViewTest::controls() const {
    VexmoorMain& m = *main;
    BotsPage& b = m.bots;
    MapsPage& p = m.maps;
    TeamplayPage& t = m.teamplay;
    GameplayPage& g = m.gameplay;
    PreferencesPage& r = m.preferences;
    std::vector<Control*> all = {
        &m.BotTabStrip,
        &m.AboutTab,
        &m.Image1,
        &m.LaunchButton,
        &m.StatusBar1,
        &m.FileMenu,
        &m.LaunchMenu,
        &m.ExitMenu,
        &m.HelpMenu,
        &m.AboutMenu,
        &b.BotTab,
        &b.SpawnSpecificBotsOption,
        &b.SpawnRandomBotsOption,
        &b.EditChatButton,
        &b.BotEditButton,
        &b.BotSkillFrame,
        &b.BotAutoskillCheck,
        &b.BotSkillSlider,
        &b.BotSkillLabel,
        &b.BotNumberFrame,
        &b.BotNumScroll,
        &b.BotNumText,
        &b.BotNumLabel,
        &b.SpawnSpecificBotsFrame,
        &b.SpecificBotList,
        &b.SpecificBotFilter,
        &b.SpecificBotCountLabel,
        &p.MapTab,
        &p.EditMapCycleButton,
        &p.MapFrame,
        &p.InternalMapOption,
        &p.ExternalMapOption,
        &p.CTFMapOption,
        &p.MapList,
        &p.MapFile,
        &p.CTFList,
        &p.MapFilter,
        &p.MapListCountLabel,
        &p.MapFileCountLabel,
        &p.CTFListCountLabel,
        &p.CTFOptionsFrame,
        &p.NoTechPowerupsCheckBox,
        &p.ArmorProtectCheckBox,
        &p.ForceJoinCheckBox,
        &p.Image2,
        &p.preview.MapPreview,
        &p.preview.MapPreviewLabel,
        &t.GameplayTab,
        &t.EditTeamButton,
        &t.TeamplayCheckBox,
        &t.TeamplayFrame,
        &t.YourTeamLabel,
        &t.YourTeamList,
        &t.BotTeamLabel,
        &t.BotTeamList,
        &t.PlayersPerTeamLabel,
        &t.PlayersPerTeamText,
        &g.ConsoleTab,
        &g.DeathmatchFrame,
        &g.ServerFrame,
        &g.ViewableWeaponsCheckBox,
        &g.CloseOnExitCheckBox,
        &g.CommandLineEditCheck,
        &g.DedicatedCheckBox,
        &g.BotCalcNodesCheck,
        &g.AllowCheatsCheckBox,
        &g.BotConnectInfoCheckBox,
        &g.ClientCommandsCheckBox,
        &g.TimelimitCheckBox,
        &g.TimeLimitText,
        &g.FraglimitCheckBox,
        &g.FragLimitText,
        &g.ClientLatencyLabel,
        &g.ClientLatencyText,
        &g.ClientLatencyWarning,
        &g.MaxPlayersCheckBox,
        &g.MaxPlayersText,
        &g.BotFreeClientsLabel,
        &g.BotFreeClientsText,
        &m.home.RecentGamesLabel,
        &m.home.HomeSetupsLabel,
        &m.home.RecentGamesList,
        &m.home.HomeSetupsList,
        &m.home.PlayAgainButton,
        &m.home.LoadGameButton,
        &m.home.HomeEmptyLabel,
        &r.PreferencesTab,
        &r.QuakePathButton,
        &r.SaveChangesButton,
        &r.ExePathText,
        &r.QuakePathLabel,
    };
    for (CheckBox* box : g.flagBoxes()) all.push_back(box);
    return all;
}

}  // namespace vexmoor::testing
