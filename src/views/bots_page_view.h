#pragma once

#include <QWidget>

#include "core/ports.h"
#include "options/bots_page.h"
#include "views/binding.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSlider;

namespace vexmoor {

// The "Bots" tab: spawn mode, bot count and skill, and the specific bots.
class BotsPageView : public QWidget {
public:
    BotsPageView(BotsPage& page, Dialogs& dialogs, Bindings& bindings, QWidget* parent = nullptr);

private:
    void buildLayout();
    void connectObservers();

    BotsPage& page_;
    Bindings& bindings_;
    Dialogs& dialogs_;

    QRadioButton* spawnRandom_;
    QRadioButton* spawnSpecific_;
    QGroupBox* numberFrame_;
    QLabel* numberLabel_;
    QScrollBar* numberScroll_;
    QLineEdit* numberText_;
    QGroupBox* skillFrame_;
    QSlider* skillSlider_;
    QLabel* skillLabel_;
    QCheckBox* autoSkill_;
    QGroupBox* specificFrame_;
    QLineEdit* specificFilter_;
    QListView* specificList_;
    QLabel* specificCount_;
    QPushButton* editBots_;
    QPushButton* editChat_;
};

}  // namespace vexmoor
