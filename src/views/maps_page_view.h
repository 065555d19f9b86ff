#pragma once

#include <QWidget>

#include "core/ports.h"
#include "options/maps_page.h"
#include "views/binding.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QRadioButton;

namespace vexmoor {

class MapPreviewPanel;

// The "Maps" tab: the map type, the three map lists and the CTF options.
class MapsPageView : public QWidget {
public:
    MapsPageView(MapsPage& page, Dialogs& dialogs, Bindings& bindings, QWidget* parent = nullptr);

protected:
    // The preview starts when the page is first shown, not at start-up.
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void connectObservers();

    MapsPage& page_;
    Bindings& bindings_;
    Dialogs& dialogs_;

    QGroupBox* mapFrame_;
    QRadioButton* internalOption_;
    QRadioButton* externalOption_;
    QRadioButton* ctfOption_;
    QListView* mapList_;
    QListView* mapFile_;
    QListView* ctfList_;
    QLineEdit* mapFilter_;
    // Above each list: how many of its maps are installed.
    QLabel* counts_[3] = {};
    QGroupBox* ctfFrame_;
    QCheckBox* noTech_;
    QCheckBox* armorProtect_;
    QCheckBox* forceJoin_;
    QLabel* picture_;
    MapPreviewPanel* preview_;
    QPushButton* editMapCycle_;
};

}  // namespace vexmoor
