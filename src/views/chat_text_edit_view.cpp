#include "views/chat_text_edit_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/layout.h"

namespace vexmoor {

ChatTextEditView::ChatTextEditView(ChatTextEditForm& model, Dialogs& dialogs, QWidget* parent)
    : SideWindow(model, model.CancelButton, parent),
      form_(model),
      dialogs_(dialogs),
      text_(new QLineEdit(this)),
      warnings_(new QLabel(this)),
      commit_(new QPushButton(this)),
      cancel_(new QPushButton(this)) {
    connectObservers();
    buildLayout();
}

void ChatTextEditView::buildLayout() {
    text_->setAccessibleName(QStringLiteral("Chat text"));
    text_->setMinimumWidth(fieldWidth(text_, 72));
    warnings_->setWordWrap(true);
    warnings_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The warnings come and go as the user types; the room for them stays,
    // so the buttons do not jump about under the pointer.
    auto* room = new QWidget(this);
    auto* roomLayout = new QVBoxLayout(room);
    roomLayout->setContentsMargins(0, 0, 0, 0);
    roomLayout->addWidget(warnings_);
    roomLayout->addStretch(1);
    room->setMinimumHeight(warnings_->fontMetrics().lineSpacing() * 3);

    // Enter commits, except on Cancel: a focused button takes Enter for itself.
    commit_->setDefault(true);
    commit_->setAutoDefault(true);
    cancel_->setAutoDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(commit_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(room, 1);
    layout->addLayout(buttons);

    chainTabOrder({text_, commit_, cancel_});
    text_->setFocus();
}

void ChatTextEditView::connectObservers() {
    bind(bindings_, text_, form_.ChatText, dialogs_);
    bind(bindings_, warnings_, form_.WarningLabel);
    bindings_.keep(form_.WarningLabel.changed().connect([this] { growToFit(this); }));
    bind(bindings_, commit_, form_.CommitButton);
    bind(bindings_, cancel_, form_.CancelButton);
}

}  // namespace vexmoor
