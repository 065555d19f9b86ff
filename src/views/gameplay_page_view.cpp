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
    limits->addWidget(box(p.TimelimitCheckBox, serverFrame_), 0, 0);
    QLineEdit* timeLimit = field(p.TimeLimitText, serverFrame_);
    timeLimit->setAccessibleName(QStringLiteral("Time limit"));
    limits->addWidget(timeLimit, 0, 1);
    limits->addWidget(box(p.FraglimitCheckBox, serverFrame_), 1, 0);
    QLineEdit* fragLimit = field(p.FragLimitText, serverFrame_);
    fragLimit->setAccessibleName(QStringLiteral("Frag limit"));
    limits->addWidget(fragLimit, 1, 1);

    auto* latencyLabel = new QLabel(serverFrame_);
    bind(bindings_, latencyLabel, p.ClientLatencyLabel);
    QLineEdit* latency = field(p.ClientLatencyText, serverFrame_);
    nameByLabel(latencyLabel, latency);
    limits->addWidget(latencyLabel, 2, 0);
    limits->addWidget(latency, 2, 1);

    // Never shown: these only travel through the settings file.
    limits->addWidget(box(p.MaxPlayersCheckBox, serverFrame_), 3, 0);
    QLineEdit* maxPlayers = field(p.MaxPlayersText, serverFrame_);
    maxPlayers->setAccessibleName(QStringLiteral("Max players"));
    limits->addWidget(maxPlayers, 3, 1);
    auto* freeLabel = new QLabel(serverFrame_);
    bind(bindings_, freeLabel, p.BotFreeClientsLabel);
    QLineEdit* freeSlots = field(p.BotFreeClientsText, serverFrame_);
    nameByLabel(freeLabel, freeSlots);
    limits->addWidget(freeLabel, 4, 0);
    limits->addWidget(freeSlots, 4, 1);
    limits->setColumnStretch(2, 1);

    layout->addSpacing(6);
    layout->addLayout(limits);
    layout->addStretch(1);
}

void GameplayPageView::connectObservers() {
    bindPage(bindings_, this, page_.ConsoleTab);
    bind(bindings_, generalFrame_, page_.DeathmatchFrame);
    bind(bindings_, serverFrame_, page_.ServerFrame);
    // The boxes and fields are bound as they are made, in buildGeneral() and buildServer().
}

}  // namespace vexmoor
