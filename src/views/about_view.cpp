#include "views/about_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/layout.h"

namespace vexmoor {

AboutView::AboutView(AboutForm& model, QWidget* parent)
    : SideWindow(model, model.OKButton, parent),
      form_(model),
      title_(new QLabel(this)),
      version_(new QLabel(this)),
      feedback_(new QLabel(this)),
      ok_(new QPushButton(this)) {
    connectObservers();
    buildLayout();
}

void AboutView::buildLayout() {
    QFont big = title_->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    title_->setFont(big);
    title_->setAlignment(Qt::AlignCenter);
    version_->setAlignment(Qt::AlignCenter);
    feedback_->setWordWrap(true);
    feedback_->setAlignment(Qt::AlignCenter);
    feedback_->setMinimumWidth(fieldWidth(feedback_, 48));

    ok_->setDefault(true);
    ok_->setAutoDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(version_);
    layout->addSpacing(10);
    layout->addWidget(feedback_);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ok_->setFocus();
}

void AboutView::connectObservers() {
    bind(bindings_, title_, form_.TitleLabel);
    bind(bindings_, version_, form_.VersionLabel);
    bind(bindings_, feedback_, form_.FeedbackLabel);
    bind(bindings_, ok_, form_.OKButton);
}

}  // namespace vexmoor
