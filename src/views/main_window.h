#pragma once

#include <QMainWindow>

#include "launcher/vexmoor_main.h"
#include "platform/qt_windows.h"
#include "views/binding.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;

namespace vexmoor {

// The main window: the six tabbed pages, the Launch button, the menus and
// the version in the status bar.
class MainWindow : public QMainWindow, public ModelView {
public:
    explicit MainWindow(VexmoorMain& model, QWidget* parent = nullptr);
    ~MainWindow() override;

    void detachFromModel() override;
    // The pages are built when first shown; this builds the rest now, for
    // whatever looks through the whole window.
    void buildEveryPage();

protected:
    // Enter anywhere a widget does not take it launches, as the window's default button.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildRecentGamesMenu();
    void buildPages();
    void connectObservers();
    void pageBuilt(QWidget* page);

    // First, so the pages can bind as they are built; it still goes before
    // the widgets, which the window deletes after its members.
    Bindings bindings_;
    VexmoorMain& model_;
    bool detached_ = false;

    QMenu* fileMenu_;
    QAction* launchAction_;
    QAction* versionsAction_;
    QAction* exitAction_;
    QMenu* helpMenu_;
    QAction* aboutAction_;
    QTabWidget* tabs_;
    QWidget* mainPage_;
    QLabel* picture_;
    QPushButton* launchButton_;
    QLabel* version_;
};

}  // namespace vexmoor
