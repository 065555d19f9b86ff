#include "views/new_bot_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/layout.h"

namespace vexmoor {

NewBotView::NewBotView(NewBotName& model, Dialogs& dialogs, QWidget* parent)
    : SideWindow(model, model.CancelAddBotButton, parent),
      form_(model),
      dialogs_(dialogs),
      prompt_(new QLabel(this)),
      name_(new QLineEdit(this)),
      warning_(new QLabel(this)),
      add_(new QPushButton(this)),
      cancel_(new QPushButton(this)) {
    connectObservers();
    buildLayout();
}

void NewBotView::buildLayout() {
    nameByLabel(prompt_, name_);
    name_->setAccessibleName(QStringLiteral("New bot name"));
    const int width = fieldWidth(name_, 36);
    name_->setMinimumWidth(width);

    // The name's warnings wrap within the dialog's width instead of widening it.
    showAsWarning(warning_);
    warning_->setFixedWidth(width);

    // Enter adds, except on Cancel: a focused button takes Enter for itself.
    add_->setDefault(true);
    add_->setAutoDefault(true);
    cancel_->setAutoDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(add_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt_);
    layout->addWidget(name_);
    layout->addWidget(warning_);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    // The dialog grows and shrinks with the warnings.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    chainTabOrder({name_, add_, cancel_});
    name_->setFocus();
}

void NewBotView::connectObservers() {
    bind(bindings_, prompt_, form_.NewBotNameLabel);
    bind(bindings_, name_, form_.NewBotNameText, dialogs_);
    bind(bindings_, warning_, form_.NewBotWarningLabel);
    bind(bindings_, add_, form_.AddBotButton);
    bind(bindings_, cancel_, form_.CancelAddBotButton);
}

}  // namespace vexmoor
