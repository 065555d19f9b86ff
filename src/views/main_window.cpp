#include "views/main_window.h"

#include <functional>
#include <utility>

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/codec.h"
#include "views/bots_page_view.h"
#include "views/gameplay_page_view.h"
#include "views/home_page_view.h"
#include "views/maps_page_view.h"
#include "views/pictures.h"
#include "views/preferences_page_view.h"
#include "views/teamplay_page_view.h"

namespace vexmoor {

namespace {

// A page of the tab strip that is made when it is first shown. The pages
// over the roster and the maps are most of the window's start-up, and
// most starts show only the first page.
class LazyPage : public QWidget {
public:
    using Make = std::function<QWidget*()>;
    using Built = std::function<void(QWidget*)>;
    LazyPage(Make make, Built built) : make_(std::move(make)), built_(std::move(built)) {}

    void build() {
        if (!make_) return;
        QWidget* page = std::exchange(make_, nullptr)();
        if (!page) return;
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(page);
        // Being shown, the host has shown its children already.
        if (isVisible()) page->show();
        built_(page);
    }

protected:
    void showEvent(QShowEvent* event) override {
        build();
        QWidget::showEvent(event);
    }

private:
    Make make_;
    Built built_;
};

// The other buttons take Enter for themselves while they have the focus.
void buttonsTakeEnter(QWidget* page) {
    for (QPushButton* button : page->findChildren<QPushButton*>()) button->setAutoDefault(true);
}

}  // namespace

MainWindow::MainWindow(VexmoorMain& model, QWidget* parent)
    : QMainWindow(parent),
      model_(model),
      fileMenu_(new QMenu(this)),
      launchAction_(new QAction(this)),
      versionsAction_(new QAction(this)),
      exitAction_(new QAction(this)),
      helpMenu_(new QMenu(this)),
      aboutAction_(new QAction(this)),
      tabs_(new QTabWidget),
      mainPage_(new QWidget),
      picture_(new PaintedPicture(titlePictureSize(), paintTitlePicture, mainPage_)),
      launchButton_(new QPushButton),
      version_(new QLabel) {
    buildMenus();
    buildPages();
    connectObservers();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus() {
    fileMenu_->addAction(launchAction_);
    // Whole games kept under a name; its action is bound here, where it is made.
    auto* setupsAction = new QAction(this);
    bind(bindings_, setupsAction, model_.SetupsMenu);
    fileMenu_->addAction(setupsAction);
    buildRecentGamesMenu();
    fileMenu_->addAction(versionsAction_);
    fileMenu_->addSeparator();
    fileMenu_->addAction(exitAction_);
    helpMenu_->addAction(aboutAction_);
    menuBar()->addMenu(fileMenu_);
    menuBar()->addMenu(helpMenu_);
}

// The games last played, as the home lists them; choosing one loads it.
void MainWindow::buildRecentGamesMenu() {
    auto* recent = fileMenu_->addMenu(toQString(model_.RecentGamesMenu.caption()));
    recent->setObjectName(toQString(model_.RecentGamesMenu.name()));
    QObject::connect(recent, &QMenu::aboutToShow, recent, [this, recent] {
        recent->clear();
        const ListEntries games = model_.home.RecentGamesList.items();
        if (games.empty()) recent->addAction(QStringLiteral("No recent games"))->setEnabled(false);
        for (std::size_t i = 0; i < games.size(); ++i) {
            // The entry's text shows "&" as itself.
            QString text = toQString(games[i]);
            text.replace(QLatin1Char('&'), QStringLiteral("&&"));
            if (i < 9) text.prepend(QStringLiteral("&%1 ").arg(i + 1));
            QObject::connect(recent->addAction(text), &QAction::triggered, this,
                             [this, i] { model_.home.playRecent(i, false); });
        }
    });
}

void MainWindow::buildPages() {
    auto* mainLayout = new QVBoxLayout(mainPage_);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->addWidget(new HomePageView(model_, picture_, bindings_));
    picture_->setAccessibleName(QStringLiteral("Vexmoor"));

    // The tab strip's order; which page shows is the model's to say.
    tabs_->addTab(mainPage_, QString());
    // Each page made from the window's model and its message boxes.
    const auto lazily = [this](Frame& tab, std::function<QWidget*(Dialogs&)> make) {
        // A window let go of its model stays as it is: nothing is bound any more.
        auto made = [this, make = std::move(make)]() -> QWidget* {
            return detached_ ? nullptr : make(model_.services().dialogs);
        };
        auto* page = new LazyPage(std::move(made), [this](QWidget* built) { pageBuilt(built); });
        bindPage(bindings_, page, tab);
        tabs_->addTab(page, QString());
    };
    lazily(model_.bots.BotTab, [this](Dialogs& d) { return new BotsPageView(model_.bots, d, bindings_); });
    lazily(model_.maps.MapTab, [this](Dialogs& d) { return new MapsPageView(model_.maps, d, bindings_); });
    lazily(model_.teamplay.GameplayTab,
           [this](Dialogs& d) { return new TeamplayPageView(model_.teamplay, d, bindings_); });
    lazily(model_.gameplay.ConsoleTab,
           [this](Dialogs& d) { return new GameplayPageView(model_.gameplay, d, bindings_); });
    lazily(model_.preferences.PreferencesTab,
           [this](Dialogs& d) { return new PreferencesPageView(model_.preferences, d, bindings_); });

    // Launch stays in reach below whichever page is open.
    launchButton_->setDefault(true);
    launchButton_->setMinimumWidth(launchButton_->fontMetrics().horizontalAdvance(QStringLiteral("Launch!")) *
                                   2);
    QFont bold = launchButton_->font();
    bold.setBold(true);
    launchButton_->setFont(bold);
    buttonsTakeEnter(mainPage_);

    auto* launchRow = new QHBoxLayout;
    launchRow->addStretch(1);
    launchRow->addWidget(launchButton_);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(tabs_, 1);
    layout->addLayout(launchRow);
    setCentralWidget(central);

    statusBar()->addWidget(version_, 1);
    statusBar()->setSizeGripEnabled(false);
    tabs_->setFocusPolicy(Qt::StrongFocus);
}

void MainWindow::buildEveryPage() {
    for (int i = 0; i < tabs_->count(); ++i)
        if (auto* page = dynamic_cast<LazyPage*>(tabs_->widget(i))) page->build();
}

void MainWindow::pageBuilt(QWidget* page) {
    buttonsTakeEnter(page);
    // A page made after the window joins the end of its Tab chain; Launch
    // goes back after it, so Tab still runs tab strip, page, Launch.
    QWidget* last = nullptr;
    for (QWidget* w = page; w == page || page->isAncestorOf(w); w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus) last = w;
    if (last) QWidget::setTabOrder(last, launchButton_);
}

void MainWindow::connectObservers() {
    bindWindow(bindings_, this, model_);
    bindings_.keep(model_.changed().connect([this] {
        if (!model_.visible()) hide();
    }));
    bind(bindings_, launchAction_, model_.LaunchMenu);
    bind(bindings_, versionsAction_, model_.VersionsMenu);
    bind(bindings_, exitAction_, model_.ExitMenu);
    // The menu shows the keys; the Launch button's tooltip names its key too.
    launchAction_->setShortcut(QKeySequence(Qt::Key_F5));
    exitAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    showShortcut(launchButton_, launchAction_->shortcut());
    bind(bindings_, aboutAction_, model_.AboutMenu);
    const auto menuTitles = [this] {
        fileMenu_->setObjectName(toQString(model_.FileMenu.name()));
        fileMenu_->setTitle(toQString(model_.FileMenu.caption()));
        helpMenu_->setObjectName(toQString(model_.HelpMenu.name()));
        helpMenu_->setTitle(toQString(model_.HelpMenu.caption()));
    };
    menuTitles();
    bindings_.keep(model_.FileMenu.changed().connect(menuTitles));
    bindings_.keep(model_.HelpMenu.changed().connect(menuTitles));

    bind(bindings_, tabs_, model_.BotTabStrip);
    bindPage(bindings_, mainPage_, model_.AboutTab);
    bind(bindings_, picture_, model_.Image1);
    bind(bindings_, launchButton_, model_.LaunchButton);
    bind(bindings_, version_, model_.StatusBar1);
}

void MainWindow::detachFromModel() {
    detached_ = true;
    bindings_.release();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier && launchButton_->isEnabled() && launchButton_->isVisible()) {
        launchButton_->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

// The frame's close button is File, Exit. A window kept disabled by an open
// side window does not react to it, as it does not react to anything else.
void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (detached_ || !model_.enabled()) return;
    model_.closeRequested();
}

}  // namespace vexmoor
