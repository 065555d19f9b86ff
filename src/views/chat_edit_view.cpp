#include "views/chat_edit_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/layout.h"

namespace vexmoor {

ChatEditView::ChatEditView(ChatEditForm& model, QWidget* parent)
    : SideWindow(model, model.ReturnButton, parent),
      form_(model),
      categoriesLabel_(new QLabel(QStringLiteral("Chat &categories"), this)),
      categories_(new QListView(this)),
      linesLabel_(new QLabel(QStringLiteral("Chat &lines"), this)),
      warnings_(new QLabel(this)),
      add_(new QPushButton(this)),
      edit_(new QPushButton(this)),
      delete_(new QPushButton(this)),
      commit_(new QPushButton(this)),
      return_(new QPushButton(this)) {
    for (auto& list : lines_) list = new QListView(this);
    connectObservers();
    buildLayout();
}

void ChatEditView::buildLayout() {
    categoriesLabel_->setObjectName(QStringLiteral("ChatTypeLabel"));
    linesLabel_->setObjectName(QStringLiteral("ChatLinesLabel"));
    categoriesLabel_->setBuddy(categories_);
    categories_->setAccessibleName(QStringLiteral("Chat categories"));
    // All eight categories show without scrolling, and no more room than that.
    categories_->ensurePolished();
    categories_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    categories_->setFixedHeight(categories_->sizeHintForRow(0) * static_cast<int>(kChatCategories) +
                                2 * categories_->frameWidth() + 2);
    categories_->setMinimumWidth(fieldWidth(categories_, 44));

    // The eight lists share one cell; only the chosen category's list is shown.
    auto* stack = new QGridLayout;
    stack->setContentsMargins(0, 0, 0, 0);
    for (QListView* list : lines_) {
        list->setAccessibleName(QStringLiteral("Chat lines"));
        list->setMinimumSize(fieldWidth(list, 64), list->fontMetrics().height() * 12);
        // A double click changes the line, as Edit does.
        QObject::connect(list, &QListView::doubleClicked, edit_, [this] { edit_->click(); });
        stack->addWidget(list, 0, 0);
    }

    warnings_->setWordWrap(true);
    warnings_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // Enter changes the selected line, except on a button, which takes Enter for itself.
    for (QPushButton* button : {add_, edit_, delete_, commit_, return_}) button->setAutoDefault(true);
    edit_->setDefault(true);

    auto* sideButtons = new QVBoxLayout;
    sideButtons->addWidget(add_);
    sideButtons->addWidget(edit_);
    sideButtons->addWidget(delete_);
    sideButtons->addStretch(1);

    auto* grid = new QGridLayout;
    grid->addWidget(categoriesLabel_, 0, 0);
    grid->addWidget(categories_, 1, 0);
    grid->addWidget(linesLabel_, 2, 0);
    grid->addLayout(stack, 3, 0);
    grid->addLayout(sideButtons, 3, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(0, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(commit_);
    bottom->addWidget(return_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(warnings_);
    layout->addLayout(bottom);

    // Only the shown list of lines takes the focus; the hidden ones are passed over.
    chainTabOrder({categories_, lines_[0], lines_[1], lines_[2], lines_[3], lines_[4], lines_[5], lines_[6],
                   lines_[7], add_, edit_, delete_, commit_, return_});
    followVisibleList();
    categories_->setFocus();
}

void ChatEditView::connectObservers() {
    bind(bindings_, categories_, form_.ChatTypeList);
    for (std::size_t k = 0; k < kChatCategories; ++k) {
        bind(bindings_, lines_[k], form_.ChatList(k));
        bindKey(bindings_, lines_[k], QKeySequence::Delete, form_.DeleteButton);
    }
    bind(bindings_, warnings_, form_.WarningLabel);
    bindings_.keep(form_.WarningLabel.changed().connect([this] { growToFit(this); }));
    bind(bindings_, add_, form_.AddButton);
    bindShortcut(bindings_, add_, QKeySequence(Qt::Key_Insert), form_.AddButton);
    bind(bindings_, edit_, form_.EditButton);
    bind(bindings_, delete_, form_.DeleteButton);
    bind(bindings_, commit_, form_.CommitButton);
    bindShortcut(bindings_, commit_, QKeySequence(Qt::CTRL | Qt::Key_S), form_.CommitButton);
    bind(bindings_, return_, form_.ReturnButton);
    bindings_.keep(form_.ChatTypeList.changed().connect([this] { followVisibleList(); }));
}

void ChatEditView::followVisibleList() {
    const int category = form_.ChatTypeList.selectedIndex();
    if (category >= 0) linesLabel_->setBuddy(lines_[static_cast<std::size_t>(category)]);
}

}  // namespace vexmoor
