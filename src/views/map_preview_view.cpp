#include "views/map_preview_view.h"

#include <atomic>
#include <memory>

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QListView>
#include <QPixmap>
#include <QPointer>

#include "platform/codec.h"
#include "views/floor_plan_picture.h"
#include "views/list_model.h"
#include "views/map_window.h"

namespace vexmoor {

namespace {

// The list's look-up thread. A list that goes stops its look-up at the
// next map rather than waiting for the rest: a window closed just after
// start-up closes at once, however many maps the game has.
class LookUpThread : public QThreadPool {
public:
    explicit LookUpThread(QObject* list) : QThreadPool(list) {
        setObjectName(QStringLiteral("installedLookUp"));
        setMaxThreadCount(1);
    }
    ~LookUpThread() override {
        stopped->store(true);
        waitForDone();
    }
    const std::shared_ptr<std::atomic<bool>> stopped = std::make_shared<std::atomic<bool>>(false);
};

// Runs a list's look-up once the list is first shown, and again on each
// change after: a game directory of thousands of maps costs its start
// nothing, as the Maps page is not the page it opens on.
class LookUpWhenShown : public QObject {
public:
    LookUpWhenShown(QListView* list, std::function<void()> lookUp) : QObject(list), lookUp_(std::move(lookUp)) {
        list->installEventFilter(this);
    }
    void changed() {
        if (shown_) lookUp_();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show && !shown_) {
            shown_ = true;
            lookUp_();
        }
        return false;
    }

private:
    std::function<void()> lookUp_;
    bool shown_ = false;
};

// Looks up every map of the list on a thread of the list's own, then marks
// the entries and counts.
void lookUpInstalled(QListView* list, ListBoxItemModel* items, const MapLibrary& library,
                     const std::function<std::string(const std::string&)>& mapOf, Label* count) {
    std::vector<std::string> maps;
    for (const std::string& entry : items->entries()) maps.push_back(mapOf ? mapOf(entry) : entry);
    auto* pool = list->findChild<LookUpThread*>(QStringLiteral("installedLookUp"));
    if (!pool) pool = new LookUpThread(list);
    // The answer goes to the thread pool itself, on the window's thread: the
    // pool is the list's child and waits for this work before it goes, and
    // what is posted to it goes with it, so nothing of the list is touched
    // from this thread or after the list is gone.
    pool->start([maps = std::move(maps), &library, pool, items, count, stopped = pool->stopped] {
        std::size_t installed = 0;
        for (const std::string& map : maps) {
            if (stopped->load()) return;
            installed += library.installed(map) ? 1 : 0;
        }
        QMetaObject::invokeMethod(
            pool,
            [items, count, installed, total = maps.size()] {
                items->rolesChanged();
                if (count) count->setCaption(installedCountText(installed, total));
            },
            Qt::QueuedConnection);
    });
}

}  // namespace

void describeMaps(QListView* list, const MapLibrary& library,
                  std::function<std::string(const std::string&)> mapOf, Label* installedCount) {
    auto* items = dynamic_cast<ListBoxItemModel*>(list->model());
    if (!items) return;
    const bool marks = installedCount != nullptr;
    items->setRoles([&library, mapOf, marks, list](const std::string& entry, int role) -> QVariant {
        const std::string map = mapOf ? mapOf(entry) : entry;
        const bool missing = marks && library.knownInstalled(map) == std::optional<bool>(false);
        if (role == Qt::ForegroundRole)
            return missing ? QVariant(list->palette().brush(QPalette::Disabled, QPalette::Text)) : QVariant();
        if (role != Qt::ToolTipRole && role != Qt::AccessibleDescriptionRole) return {};
        if (missing) return toQString(notInstalledText(map));
        const std::string title = library.title(map);
        return title.empty() ? QVariant() : QVariant(toQString(title));
    });
    if (!marks) return;
    const auto lookUp = [list, items, &library, mapOf, installedCount] {
        lookUpInstalled(list, items, library, mapOf, installedCount);
    };
    // When the list is first shown, and again for new entries.
    auto* when = new LookUpWhenShown(list, lookUp);
    QObject::connect(items, &QAbstractItemModel::modelReset, when, &LookUpWhenShown::changed);
    QObject::connect(items, &QAbstractItemModel::rowsInserted, when, &LookUpWhenShown::changed);
}

QSize MapPreviewPanel::planSize() { return {176, 132}; }

MapPreviewPanel::MapPreviewPanel(MapPreviewModel& model, QWidget* picture, Bindings& bindings,
                                 QWidget* parent)
    : QWidget(parent), model_(model), plan_(new FloorPlanLabel(planSize(), this)), line_(new QLabel(this)) {
    // Not bound as a label: its text would take the place of the plan.
    plan_->setObjectName(toQString(model_.MapPreview.name()));
    plan_->setAccessibleName(QStringLiteral("Map preview"));
    plan_->setToolTip(QStringLiteral("Click, Enter or Space: the map, large"));
    plan_->activated = [this] { openMapWindow(); };
    // In the picture's corner, however much room the page gives.
    plan_->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    line_->setWordWrap(true);
    line_->setAlignment(Qt::AlignRight | Qt::AlignTop);
    line_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // The plan takes the picture's place and whatever room the page has.
    auto* place = new QGridLayout(this);
    place->setContentsMargins(0, 0, 0, 0);
    place->addWidget(picture, 0, 0, Qt::AlignRight | Qt::AlignBottom);
    place->addWidget(plan_, 0, 0);

    bind(bindings, line_, model_.MapPreviewLabel);
    const auto showPlan = [this] { plan_->setVisible(model_.MapPreview.visible()); };
    showPlan();
    bindings.keep(model_.MapPreview.changed().connect(showPlan));
    bindings.keep(model_.changed().connect([this] { follow(); }));
    follow();
}

MapPreviewPanel::~MapPreviewPanel() = default;

void MapPreviewPanel::follow() {
    plan_->setAccessibleDescription(toQString(model_.MapPreviewLabel.caption()));
    const std::optional<MapLocation>& file = model_.planFile();
    if (!file) return;
    plan_->showPlan(model_.library(), *file, [this](const MapLocation& painted, const std::optional<Error>& error) {
        // The line says why; the picture stays.
        if (error) model_.planFailed(painted, *error);
        else model_.planShown(painted);
    });
}

void MapPreviewPanel::openMapWindow() {
    if (!model_.MapPreview.visible() || !plan_->plan()) return;
    auto* window = new MapWindow(model_, *plan_->plan(), this->window());
    window->show();
    // Escape is the way back: the keyboard goes to the new window.
    window->raise();
    window->activateWindow();
}

}  // namespace vexmoor
