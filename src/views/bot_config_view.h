#pragma once

#include "core/ports.h"
#include "roster/bot_config_form.h"
#include "views/side_window.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QSlider;

namespace vexmoor {

class SkinPreview;

// The bot profile editor: the bots on the left, the shown bot's fields in
// its frame on the right, the commands in a row below. Escape and the
// frame's close are Return to Main.
class BotConfigView : public SideWindow {
public:
    BotConfigView(BotConfigForm& model, Dialogs& dialogs, QWidget* parent = nullptr);

protected:
    // The window has no main button: Enter presses the button that has the
    // focus and nothing else.
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct SliderRow {
        QLabel* heading;
        QSlider* slider;
        QLabel* value;
    };

    void buildLayout();
    void connectObservers();
    SliderRow makeSliderRow(QWidget* parent);

    BotConfigForm& form_;
    Dialogs& dialogs_;

    QLabel* nameHeading_;
    QLineEdit* nameFilter_;
    QListView* names_;
    QGroupBox* frame_;
    QLabel* modelHeading_;
    QListView* models_;
    QLabel* modelThing_;
    QLabel* skinHeading_;
    QListView* skins_;
    QLabel* skinThing_;
    SkinPreview* skinPreview_;
    SliderRow accuracy_;
    SliderRow aggressiveness_;
    SliderRow combat_;
    SliderRow weapon_;
    QLabel* pingHeading_;
    QLineEdit* ping_;
    QCheckBox* quadFreak_;
    QCheckBox* camper_;
    QLabel* warning_;
    QPushButton* newBot_;
    QPushButton* editBot_;
    QPushButton* deleteBot_;
    QPushButton* commit_;
    QPushButton* back_;
};

}  // namespace vexmoor
