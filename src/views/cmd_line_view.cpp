#include "views/cmd_line_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/command_line_edit.h"
#include "views/layout.h"

namespace vexmoor {

CmdLineView::CmdLineView(CmdLineForm& model, Dialogs& dialogs, QWidget* parent)
    : SideWindow(model, model.ReturnButton, parent),
      form_(model),
      dialogs_(dialogs),
      warning_(new QLabel(this)),
      explanation_(new QLabel(this)),
      commandLine_(new CommandLineEdit(this)),
      go_(new QPushButton(this)),
      back_(new QPushButton(this)) {
    connectObservers();
    buildLayout();
}

void CmdLineView::buildLayout() {
    QFont bold = warning_->font();
    bold.setBold(true);
    warning_->setFont(bold);
    explanation_->setWordWrap(true);
    commandLine_->setAccessibleName(QStringLiteral("Command line"));
    commandLine_->moveCursor(QTextCursor::Start);

    // Enter presses Go, except on Return to Main: a focused button takes Enter for itself.
    go_->setDefault(true);
    go_->setAutoDefault(true);
    back_->setAutoDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(go_);
    buttons->addWidget(back_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(warning_);
    layout->addWidget(explanation_);
    layout->addSpacing(6);
    layout->addWidget(commandLine_);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    chainTabOrder({commandLine_, go_, back_});
    commandLine_->setFocus();
}

void CmdLineView::connectObservers() {
    bind(bindings_, warning_, form_.Label1);
    bind(bindings_, explanation_, form_.CommandLineLabel);
    // The command line goes to the system as it stands, game directory first.
    bind(bindings_, commandLine_, form_.CommandLineText, dialogs_, TextKind::System);
    bind(bindings_, go_, form_.GoButton);
    bind(bindings_, back_, form_.ReturnButton);
}

}  // namespace vexmoor
