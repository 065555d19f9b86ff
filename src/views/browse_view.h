#pragma once

#include <string>

#include "core/ports.h"
#include "launcher/browse_form.h"
#include "views/side_window.h"

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace vexmoor {

// The game directory chooser: a drive list, the folders of the current
// path, the path itself, Set and Cancel.
class BrowseView : public SideWindow {
public:
    BrowseView(BrowseForm& model, Dialogs& dialogs, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void connectObservers();
    void showFolders();
    void enter(QListWidgetItem* item);

    BrowseForm& form_;
    Dialogs& dialogs_;

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
