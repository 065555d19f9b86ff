#include "views/browse_view.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>

#include "core/ports.h"
#include "platform/codec.h"
#include "views/layout.h"
#include "views/list_model.h"

namespace vexmoor {

namespace {

constexpr int kParentRole = Qt::UserRole + 1;
const QString kParentEntry = QStringLiteral("..");

// The folder a path names, without a trailing separator (a root stays as it is).
std::filesystem::path folderOf(std::filesystem::path path) {
    if (!path.has_filename() && path.has_parent_path() && path != path.root_path()) path = path.parent_path();
    return path;
}

bool isTop(const std::filesystem::path& folder) {
    return folder.empty() || folder == folder.root_path() || !folder.has_parent_path();
}

// Rows that ask for no width of their own: a list view stretches them to its
// width, so a long line is cut short instead of scrolled.
class ListWideRows : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {1, QStyledItemDelegate::sizeHint(option, index).height()};
    }
};

}  // namespace

BrowseView::BrowseView(BrowseForm& model, QWidget* parent)
    : SideWindow(model, model.CancelButton, parent),
      form_(model),
      foundLabel_(new QLabel(QStringLiteral("&Found on this computer"), this)),
      found_(new QListView(this)),
      search_(new QTimer(this)),
      drive_(new QComboBox(this)),
      folders_(new QListWidget(this)),
      label1_(new QLabel(this)),
      path_(new QLabel(this)),
      set_(new QPushButton(this)),
      cancel_(new QPushButton(this)) {
    connectObservers();
    buildLayout();
}

void BrowseView::buildLayout() {
    nameByLabel(foundLabel_, found_);
    // A line too long for the list loses the start of its directory, not
    // the game's folder and what it holds; its tooltip shows it whole.
    found_->setItemDelegate(new ListWideRows(found_));
    found_->setTextElideMode(Qt::ElideLeft);
    found_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    found_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Room for a few games and most of a Steam library's path; more scroll.
    found_->setMinimumWidth(fieldWidth(found_, 72));
    found_->setFixedHeight(found_->fontMetrics().lineSpacing() * 5 + 2 * found_->frameWidth());
    drive_->setAccessibleName(QStringLiteral("Drive"));
    folders_->setAccessibleName(QStringLiteral("Directory"));
    folders_->setSelectionMode(QAbstractItemView::SingleSelection);
    folders_->setMinimumSize(fieldWidth(folders_, 56), folders_->fontMetrics().height() * 16);
    folders_->setIconSize(QSize(16, 16));
    folders_->installEventFilter(this);
    path_->setWordWrap(true);
    path_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    path_->setMinimumHeight(path_->fontMetrics().height() * 2);
    path_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    nameByLabel(label1_, path_);

    // Enter presses Set, except on Cancel: a focused button takes Enter for itself.
    set_->setDefault(true);
    set_->setAutoDefault(true);
    cancel_->setAutoDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(set_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(foundLabel_);
    layout->addWidget(found_);
    layout->addSpacing(4);
    layout->addWidget(drive_);
    layout->addWidget(folders_, 1);
    layout->addSpacing(4);
    layout->addWidget(label1_);
    layout->addWidget(path_);
    layout->addLayout(buttons);

    chainTabOrder({found_, drive_, folders_, set_, cancel_});
    folders_->setFocus();
}

void BrowseView::connectObservers() {
    // The games found, drives, folders and the current path are the system's names.
    bind(bindings_, found_, form_.FoundGamesList, TextKind::System);
    // A line cut short to fit shows whole as its tooltip.
    if (auto* items = dynamic_cast<ListBoxItemModel*>(found_->model()))
        items->setRoles([](const std::string& entry, int role) -> QVariant {
            return role == Qt::ToolTipRole ? QVariant(toQString(entry, TextKind::System)) : QVariant();
        });
    bind(bindings_, drive_, form_.QuakeDrive, TextKind::System);
    bind(bindings_, label1_, form_.Label1);
    bind(bindings_, path_, form_.Label2, TextKind::System);
    bind(bindings_, set_, form_.SetButton);
    bind(bindings_, cancel_, form_.CancelButton);

    // The directory list is not a plain list: it shows the way up, then the
    // folders of the current path; entering one moves the model there.
    folders_->setObjectName(toQString(form_.QuakeDir.name()));
    showFolders();
    bindings_.keep(form_.QuakeDir.changed().connect([this] { showFolders(); }));
    bindings_.keep(QObject::connect(folders_, &QListWidget::itemActivated, folders_,
                                    [this](QListWidgetItem* item) { enter(item); }));

    // The search runs on a thread of its own; what it found is shown here,
    // on the window's thread, as soon as it is done.
    search_->setInterval(20);
    bindings_.keep(QObject::connect(search_, &QTimer::timeout, this, [this] {
        if (form_.takeFoundGames()) search_->stop();
    }));
    if (form_.searching()) search_->start();
}

void BrowseView::showFolders() {
    const DirectoryList& dir = form_.QuakeDir;
    folders_->setEnabled(dir.enabled());
    folders_->setToolTip(toQString(dir.toolTip()));
    folders_->clear();
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    if (!isTop(folderOf(dir.path()))) {
        auto* up = new QListWidgetItem(folderIcon, kParentEntry, folders_);
        up->setData(kParentRole, true);
        up->setToolTip(QStringLiteral("Up one level"));
    }
    // Enter goes down into the first folder, or back into the one just left.
    int current = dir.folders().empty() ? 0 : folders_->count();
    for (std::size_t i = 0; i < dir.folders().size(); ++i) {
        const std::string& name = dir.folders()[i];
        auto* item = new QListWidgetItem(folderIcon, toQString(name, TextKind::System), folders_);
        item->setData(Qt::UserRole, static_cast<int>(i));
        if (!leftFolder_.empty() && name == leftFolder_) current = folders_->row(item);
    }
    leftFolder_.clear();
    if (folders_->count() > 0) {
        folders_->setCurrentRow(current);
        folders_->scrollToItem(folders_->currentItem());
    }
}

void BrowseView::enter(QListWidgetItem* item) {
    if (!item) return;
    const std::filesystem::path from = folderOf(form_.QuakeDir.path());
    std::filesystem::path target;
    std::string left;
    if (item->data(kParentRole).toBool()) {
        target = from.parent_path();
        left = pathText(from.filename());
    } else {
        const auto index = static_cast<std::size_t>(item->data(Qt::UserRole).toInt());
        if (index >= form_.QuakeDir.folders().size()) return;
        target = from / pathFromText(form_.QuakeDir.folders()[index]);
    }
    leftFolder_ = left;
    if (!form_.openFolder(target)) leftFolder_.clear();
}

// Enter in the folder list opens the folder; elsewhere it is Set.
bool BrowseView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == folders_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && folders_->currentItem()) {
            enter(folders_->currentItem());
            return true;
        }
    }
    return SideWindow::eventFilter(watched, event);
}

}  // namespace vexmoor
