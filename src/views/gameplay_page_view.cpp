#include "views/gameplay_page_view.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "views/layout.h"

namespace vexmoor {

GameplayPageView::GameplayPageView(GameplayPage& page, Dialogs& dialogs, Bindings& bindings, QWidget* parent)
    : QWidget(parent),
      page_(page),
      bindings_(bindings),
      dialogs_(dialogs),
      generalFrame_(new QGroupBox(this)),
      serverFrame_(new QGroupBox(this)) {
    connectObservers();
    buildGeneral();
    buildServer();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(generalFrame_, 1);
    layout->addWidget(serverFrame_, 1);
    layout->setSpacing(12);

    QWidget* previous = nullptr;
    for (QWidget* widget : tabOrder_) {
        if (previous) setTabOrder(previous, widget);
        previous = widget;
    }
}

QCheckBox* GameplayPageView::box(CheckBox& model, QWidget* parent) {
    auto* widget = new QCheckBox(parent);
    bind(bindings_, widget, model);
    tabOrder_.push_back(widget);
    return widget;
}

QLineEdit* GameplayPageView::field(TextBox& model, QWidget* parent) {
    auto* widget = new QLineEdit(parent);
    bind(bindings_, widget, model, dialogs_);
    widget->setFixedWidth(fieldWidth(widget, 5));
    tabOrder_.push_back(widget);
    return widget;
}

// Two columns: what lies about the level on the left, how the game is run
// on the right; the launcher's own switch apart at the foot.
void GameplayPageView::buildGeneral() {
    GameplayPage& p = page_;
    CheckBox* items[] = {&p.AllowHealthCheckBox,     &p.AllowArmorCheckBox,     &p.AllowPowerupsCheckBox,
                         &p.InstantPowerupsCheckBox, &p.WeaponsStayCheckBox,    &p.InfiniteAmmoCheckBox,
                         &p.QuadDropCheckBox,        &p.ViewableWeaponsCheckBox};
    CheckBox* rules[] = {&p.FallingDamageCheckBox, &p.FriendlyFireCheckBox, &p.ForceRespawnCheckBox,
                         &p.SpawnFarthestCheckBox, &p.SameMapCheckBox,      &p.AllowExitCheckBox,
                         &p.FixedFOVCheckBox};
    auto* grid = new QGridLayout(generalFrame_);
    int row = 0;
    for (CheckBox* model : items) grid->addWidget(box(*model, generalFrame_), row++, 0);
    row = 0;
    for (CheckBox* model : rules) grid->addWidget(box(*model, generalFrame_), row++, 1);
    grid->setRowMinimumHeight(8, 8);
    grid->setRowStretch(8, 1);
    grid->addWidget(box(p.CloseOnExitCheckBox, generalFrame_), 9, 0, 1, 2);
    grid->setHorizontalSpacing(16);
}

void GameplayPageView::buildServer() {
    GameplayPage& p = page_;
    auto* layout = new QVBoxLayout(serverFrame_);
    for (CheckBox* model : {&p.CommandLineEditCheck, &p.DedicatedCheckBox, &p.BotCalcNodesCheck,
                            &p.AllowCheatsCheckBox, &p.BotConnectInfoCheckBox, &p.ClientCommandsCheckBox})
        layout->addWidget(box(*model, serverFrame_));

    auto* limits = new QGridLayout;
    // A check box or label on the left, its text field on the right.
    const auto addRow = [&](int row, QWidget* left, TextBox& text, const char* accessibleName) {
        QLineEdit* edit = field(text, serverFrame_);
        if (auto* label = qobject_cast<QLabel*>(left)) nameByLabel(label, edit);
        else edit->setAccessibleName(QString::fromLatin1(accessibleName));
        limits->addWidget(left, row, 0);
        limits->addWidget(edit, row, 1);
    };
    const auto label = [&](Label& model) {
        auto* widget = new QLabel(serverFrame_);
        bind(bindings_, widget, model);
        return widget;
    };
    addRow(0, box(p.TimelimitCheckBox, serverFrame_), p.TimeLimitText, "Time limit");
    addRow(1, box(p.FraglimitCheckBox, serverFrame_), p.FragLimitText, "Frag limit");
    addRow(2, label(p.ClientLatencyLabel), p.ClientLatencyText, nullptr);
    auto* latencyWarning = new QLabel(serverFrame_);
    bind(bindings_, latencyWarning, p.ClientLatencyWarning);
    showAsWarning(latencyWarning);
    limits->addWidget(latencyWarning, 2, 2);
    // Never shown: these only travel through the settings file.
    addRow(3, box(p.MaxPlayersCheckBox, serverFrame_), p.MaxPlayersText, "Max players");
    addRow(4, label(p.BotFreeClientsLabel), p.BotFreeClientsText, nullptr);
    limits->setColumnStretch(2, 1);

    layout->addSpacing(6);
    layout->addLayout(limits);
    layout->addStretch(1);
}

void GameplayPageView::connectObservers() {
    bind(bindings_, generalFrame_, page_.DeathmatchFrame);
    bind(bindings_, serverFrame_, page_.ServerFrame);
    // The boxes and fields are bound as they are made, in buildGeneral() and buildServer().
}

}  // namespace vexmoor
