#pragma once

#include <vector>

#include <QWidget>

#include "core/ports.h"
#include "options/gameplay_page.h"
#include "views/binding.h"

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace vexmoor {

// The "Gameplay" tab: the general deathmatch settings and the server settings.
class GameplayPageView : public QWidget {
public:
    GameplayPageView(GameplayPage& page, Dialogs& dialogs, Bindings& bindings, QWidget* parent = nullptr);

private:
    void buildGeneral();
    void buildServer();
    void connectObservers();
    QCheckBox* box(CheckBox& model, QWidget* parent);
    QLineEdit* field(TextBox& model, QWidget* parent);

    GameplayPage& page_;
    Bindings& bindings_;
    Dialogs& dialogs_;
    QGroupBox* generalFrame_;
    QGroupBox* serverFrame_;
    std::vector<QWidget*> tabOrder_;
};

}  // namespace vexmoor
