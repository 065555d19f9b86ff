#pragma once

#include <QWidget>

#include "options/maps_page.h"
#include "views/binding.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QListView;
class QPushButton;
class QRadioButton;

namespace vexmoor {

// The "Maps" tab: the map type, the three map lists and the CTF options.
class MapsPageView : public QWidget {
public:
    MapsPageView(MapsPage& page, Bindings& bindings, QWidget* parent = nullptr);

private:
    void buildLayout();
    void connectObservers();

    MapsPage& page_;
    Bindings& bindings_;

    QGroupBox* mapFrame_;
    QRadioButton* internalOption_;
    QRadioButton* externalOption_;
    QRadioButton* ctfOption_;
    QListView* mapList_;
    QListView* mapFile_;
    QListView* ctfList_;
    QGroupBox* ctfFrame_;
    QCheckBox* noTech_;
    QCheckBox* armorProtect_;
    QCheckBox* forceJoin_;
    QLabel* picture_;
    QPushButton* editMapCycle_;
};

}  // namespace vexmoor
