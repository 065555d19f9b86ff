#include "views/preferences_page_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/layout.h"

namespace vexmoor {

PreferencesPageView::PreferencesPageView(PreferencesPage& page, Dialogs& dialogs, Bindings& bindings,
                                         QWidget* parent)
    : QWidget(parent),
      page_(page),
      bindings_(bindings),
      dialogs_(dialogs),
      pathLabel_(new QLabel(this)),
      pathText_(new QLineEdit(this)),
      browse_(new QPushButton(this)),
      save_(new QPushButton(this)) {
    connectObservers();
    buildLayout();
}

void PreferencesPageView::buildLayout() {
    nameByLabel(pathLabel_, pathText_);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(pathText_, 1);
    pathRow->addWidget(browse_);

    auto* saveRow = new QHBoxLayout;
    saveRow->addStretch(1);
    saveRow->addWidget(save_);

    // Save Settings stays close to the path it stores, not at the far end of the page.
    auto* page = new QVBoxLayout(this);
    page->addWidget(pathLabel_);
    page->addLayout(pathRow);
    page->addSpacing(8);
    page->addLayout(saveRow);
    page->addStretch(1);

    chainTabOrder({pathText_, browse_, save_});
}

void PreferencesPageView::connectObservers() {
    bind(bindings_, pathLabel_, page_.QuakePathLabel);
    bind(bindings_, pathText_, page_.ExePathText, dialogs_, TextKind::System);
    bind(bindings_, browse_, page_.QuakePathButton);
    bind(bindings_, save_, page_.SaveChangesButton);
}

}  // namespace vexmoor
