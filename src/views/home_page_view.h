#pragma once

#include <QWidget>

#include "launcher/vexmoor_main.h"
#include "views/binding.h"

class QLabel;
class QListView;
class QPushButton;

namespace vexmoor {

// The Main tab: the title picture, and below it the recent games and the
// saved setups to play again or load.
class HomePageView : public QWidget {
public:
    HomePageView(VexmoorMain& main, QLabel* picture, Bindings& bindings, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    VexmoorMain& main_;
    HomePage& home_;
    QLabel* picture_;
    QListView* recent_;
    QListView* setups_;
    QPushButton* playAgain_;
    QPushButton* load_;
};

}  // namespace vexmoor
