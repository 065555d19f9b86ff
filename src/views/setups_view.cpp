#include "views/setups_view.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/layout.h"
#include "views/summary_delegate.h"

namespace vexmoor {

SetupsView::SetupsView(SetupsForm& model, Dialogs& dialogs, QWidget* parent)
    : SideWindow(model, model.SetupsExitButton, parent),
      form_(model),
      dialogs_(dialogs),
      listLabel_(new QLabel(QStringLiteral("Saved se&tups"), this)),
      list_(new QListView(this)),
      nameLabel_(new QLabel(QStringLiteral("Setup &name"), this)),
      name_(new QLineEdit(this)),
      save_(new QPushButton(this)),
      load_(new QPushButton(this)),
      launch_(new QPushButton(this)),
      delete_(new QPushButton(this)),
      rename_(new QPushButton(this)),
      duplicate_(new QPushButton(this)),
      game_(new QLabel(this)),
      exit_(new QPushButton(this)) {
    connectObservers();
    buildLayout();
}

void SetupsView::buildLayout() {
    listLabel_->setObjectName(QStringLiteral("SetupListLabel"));
    nameLabel_->setObjectName(QStringLiteral("SetupNameLabel"));
    nameByLabel(listLabel_, list_);
    nameByLabel(nameLabel_, name_);
    list_->setAccessibleName(QStringLiteral("Setups"));
    name_->setAccessibleName(QStringLiteral("Setup name"));
    list_->setMinimumSize(fieldWidth(list_, 48), list_->fontMetrics().height() * 16);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    game_->setWordWrap(true);
    game_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A double click on a setup plays it, as Load and Launch does.
    QObject::connect(list_, &QListView::doubleClicked, launch_, [this] { launch_->click(); });

    // Enter presses the button that goes with the field being worked in.
    for (QPushButton* button : {save_, load_, launch_, rename_, duplicate_, delete_, exit_})
        button->setAutoDefault(true);
    load_->setDefault(true);
    list_->installEventFilter(this);
    name_->installEventFilter(this);

    auto* listButtons = new QVBoxLayout;
    listButtons->addWidget(load_);
    listButtons->addWidget(launch_);
    listButtons->addWidget(rename_);
    listButtons->addWidget(duplicate_);
    listButtons->addWidget(delete_);
    listButtons->addStretch(1);

    auto* grid = new QGridLayout;
    grid->addWidget(listLabel_, 0, 0);
    grid->addWidget(list_, 1, 0);
    grid->addLayout(listButtons, 1, 1);
    grid->addWidget(nameLabel_, 2, 0);
    grid->addWidget(name_, 3, 0);
    grid->addWidget(save_, 3, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(0, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(game_, 1);
    bottom->addWidget(exit_, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addSpacing(6);
    layout->addLayout(bottom);

    chainTabOrder({list_, load_, launch_, rename_, duplicate_, delete_, name_, save_, exit_});
    list_->setFocus();
}

void SetupsView::connectObservers() {
    bind(bindings_, list_, form_.SetupList);
    // A setup's name is the name of its file.
    bind(bindings_, name_, form_.SetupNameText, dialogs_, TextKind::System);
    bind(bindings_, save_, form_.SaveSetupButton);
    bind(bindings_, load_, form_.LoadSetupButton);
    bind(bindings_, launch_, form_.LaunchSetupButton);
    bind(bindings_, delete_, form_.DeleteSetupButton);
    bind(bindings_, rename_, form_.RenameSetupButton);
    bind(bindings_, duplicate_, form_.DuplicateSetupButton);
    // Each setup shows what game it is under its name.
    showSummaries(list_, [this](const std::string& setup) { return form_.summaryOf(setup); });
    bind(bindings_, game_, form_.SetupsGameLabel, TextKind::System);
    bind(bindings_, exit_, form_.SetupsExitButton);
}

bool SetupsView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == name_)
            save_->setDefault(true);
        else if (watched == list_)
            load_->setDefault(true);
    }
    return SideWindow::eventFilter(watched, event);
}

}  // namespace vexmoor
