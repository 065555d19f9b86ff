#pragma once

#include <QWidget>

#include "core/ports.h"
#include "launcher/vexmoor_main.h"
#include "views/binding.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vexmoor {

// The "Preferences" tab: the game directory and Save Settings.
class PreferencesPageView : public QWidget {
public:
    PreferencesPageView(PreferencesPage& page, Dialogs& dialogs, Bindings& bindings,
                        QWidget* parent = nullptr);

private:
    void buildLayout();
    void connectObservers();

    PreferencesPage& page_;
    Bindings& bindings_;
    Dialogs& dialogs_;

    QLabel* pathLabel_;
    QLineEdit* pathText_;
    QPushButton* browse_;
    QPushButton* save_;
};

}  // namespace vexmoor
