#pragma once

#include <string>

#include "launcher/browse_form.h"
#include "views/side_window.h"

class QComboBox;
class QLabel;
class QListView;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTimer;

namespace vexmoor {

// The game directory chooser: the games found on this computer, a drive
// list, the folders of the current path, the path itself, Set and Cancel.
class BrowseView : public SideWindow {
public:
    explicit BrowseView(BrowseForm& model, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void connectObservers();
    void showFolders();
    void enter(QListWidgetItem* item);

    BrowseForm& form_;

    QLabel* foundLabel_;
    QListView* found_;
    // Asks the model now and then whether its search is done.
    QTimer* search_;
    QComboBox* drive_;
    QListWidget* folders_;
    QLabel* label1_;
    QLabel* path_;
    QPushButton* set_;
    QPushButton* cancel_;

    // The folder just left by "..", to be found again in its parent's list.
    std::string leftFolder_;
};

}  // namespace vexmoor
