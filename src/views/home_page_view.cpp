#include "views/home_page_view.h"

#include <QEvent>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/codec.h"
#include "views/layout.h"
#include "views/list_model.h"
#include "views/pictures.h"
#include "views/summary_delegate.h"

namespace vexmoor {

HomePageView::HomePageView(VexmoorMain& main, QLabel* picture, Bindings& bindings, QWidget* parent)
    : QWidget(parent),
      main_(main),
      home_(main.home),
      picture_(picture),
      recent_(new QListView(this)),
      setups_(new QListView(this)),
      playAgain_(new QPushButton(this)),
      load_(new QPushButton(this)) {
    auto* recentLabel = new QLabel(this);
    auto* setupsLabel = new QLabel(this);
    bind(bindings, recentLabel, home_.RecentGamesLabel, TextKind::System);
    bind(bindings, setupsLabel, home_.HomeSetupsLabel, TextKind::System);
    auto* empty = new QLabel(this);
    empty->setWordWrap(true);
    empty->setAlignment(Qt::AlignCenter);

    bind(bindings, recent_, home_.RecentGamesList);
    bind(bindings, setups_, home_.HomeSetupsList);
    bind(bindings, playAgain_, home_.PlayAgainButton);
    bind(bindings, load_, home_.LoadGameButton);
    bind(bindings, empty, home_.HomeEmptyLabel, TextKind::System);
    nameByLabel(recentLabel, recent_);
    nameByLabel(setupsLabel, setups_);
    recent_->setAccessibleName(QStringLiteral("Recent games"));
    setups_->setAccessibleName(QStringLiteral("Saved setups"));

    // A recent game's entry is its summary, too long for the list at times:
    // all of it is in the tooltip. A setup shows its summary under its name.
    if (auto* items = dynamic_cast<ListBoxItemModel*>(recent_->model()))
        items->setRoles([](const std::string& entry, int role) -> QVariant {
            if (role != Qt::ToolTipRole) return {};
            return toQString(entry);
        });
    showSummaries(setups_, [this](const std::string& setup) { return home_.summaryOf(setup); });
    for (QListView* list : {recent_, setups_}) {
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setMinimumHeight(list->fontMetrics().height() * 6);
        // A double click, or Enter, plays the game again.
        QObject::connect(list, &QListView::activated, playAgain_, [this] { playAgain_->click(); });
        list->installEventFilter(this);
    }
    playAgain_->setAutoDefault(true);
    load_->setAutoDefault(true);

    picture_->setParent(this);

    auto* lists = new QGridLayout;
    lists->addWidget(recentLabel, 0, 0);
    lists->addWidget(setupsLabel, 0, 1);
    lists->addWidget(recent_, 1, 0);
    lists->addWidget(setups_, 1, 1);
    lists->setColumnStretch(0, 3);
    lists->setColumnStretch(1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(load_);
    buttons->addWidget(playAgain_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture_, 0, Qt::AlignHCenter);
    layout->addWidget(empty);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);

    setTabOrder(recent_, setups_);
    setTabOrder(setups_, load_);
    setTabOrder(load_, playAgain_);
}

// Enter in a list plays the chosen game, as the list's own activation does;
// the window's Enter would launch the pages' game instead.
bool HomePageView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == recent_ || watched == setups_)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier) {
            if (playAgain_->isEnabled()) playAgain_->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The title picture gives up height first when the window is small: at
// most a third of the page, and never below a third of its own size.
void HomePageView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    auto* painted = dynamic_cast<PaintedPicture*>(picture_);
    const QSize full = painted ? painted->naturalSize() : picture_->sizeHint();
    if (full.isEmpty()) return;
    const int tall = std::clamp(height() / 3, full.height() / 3, full.height());
    picture_->setFixedSize(full.width() * tall / full.height(), tall);
}

}  // namespace vexmoor
