#include "options/map_cycle_edit_form.h"

#include "core/ports.h"
#include "core/unwritten_changes.h"
#include "options/map_cycle_file.h"
#include "options/maps_page.h"
#include "roster/game_rules.h"

namespace vexmoor {

MapCycleEditForm::MapCycleEditForm(std::filesystem::path file, std::vector<std::string> available,
                                   std::vector<std::string> cycle, Dialogs& dialogs,
                                   std::function<void()> back)
    : WindowModel("MapCycleEditForm", "Edit Map Cycle"),
      file_(std::move(file)),
      dialogs_(dialogs),
      back_(std::move(back)) {
    AddButton.onClick([this] { add(); });
    InsertButton.onClick([this] { insert(); });
    RemoveButton.onClick([this] { remove(); });
    MoveUpButton.onClick([this] { move(-1); });
    MoveDownButton.onClick([this] { move(1); });
    CommitButton.onClick([this] { commit(); });
    CancelButton.onClick([this] { leave(); });
    // No insertion point is a state of its own: Insert asks for one, Remove does nothing.
    MapsSelectedList.setNoneAllowed(true);

    // The first available map is only the current row of the view: nothing
    // is selected, so Add right after opening copies nothing.
    MapsAvailableList.setItems(std::move(available));
    MapsSelectedList.setItems(std::move(cycle));
    if (MapsSelectedList.count() > 0) MapsSelectedList.setSelectedIndex(0);
    showWarnings();
    written_ = mapCycleBytes(MapsSelectedList.items());
}

std::unique_ptr<MapCycleEditForm> MapCycleEditForm::open(const MapsPage& maps,
                                                         const std::filesystem::path& file, Dialogs& dialogs,
                                                         std::function<void()> back, RewriteGuard* rewrites) {
    const auto bytes = readWholeFile(file);
    if (!bytes) {
        dialogs.show(Message{"The map cycle file cannot be read, so the map cycle editor does not open: " +
                                 bytes.error().describe() + ".",
                             kApplicationTitle, Icon::Exclamation, Buttons::Ok});
        return nullptr;
    }
    std::vector<std::string> available = maps.MapList.items();
    for (const std::string_view fileName : maps.MapFile.items())
        available.push_back(MapsPage::mapNameOfFile(fileName));
    available.insert(available.end(), maps.CTFList.items().begin(), maps.CTFList.items().end());
    auto form = std::make_unique<MapCycleEditForm>(
        file, std::move(available), readMapCycleBytes(bytes.value()), dialogs, std::move(back));
    if (rewrites) rewrites->remember(file, bytes.value());
    form->rewrites_ = rewrites;
    form->preview =
        std::make_unique<ChosenMapPreview>(maps.mapFiles, form->MapsAvailableList, form->MapsSelectedList);
    return form;
}

void MapCycleEditForm::add() {
    const std::vector<std::string> chosen = MapsAvailableList.selectedItems();
    if (chosen.empty()) return;
    for (const std::string& map : chosen) MapsSelectedList.addItem(map);
    showWarnings();
}

void MapCycleEditForm::insert() {
    if (MapsSelectedList.selectedIndex() < 0) {
        dialogs_.inform("Select an insertion point.");
        return;
    }
    const std::vector<std::string> chosen = MapsAvailableList.selectedItems();
    if (chosen.empty()) return;
    // Each insertion moves the insertion point down with its entry, so the
    // maps land in their order directly before it.
    for (const std::string& map : chosen)
        MapsSelectedList.insertItem(static_cast<std::size_t>(MapsSelectedList.selectedIndex()), map);
    showWarnings();
}

void MapCycleEditForm::remove() {
    if (const int chosen = MapsSelectedList.selectedIndex(); chosen >= 0) {
        MapsSelectedList.removeItem(static_cast<std::size_t>(chosen));
        showWarnings();
    } else if (MapsSelectedList.count() == 0) {
        dialogs_.inform("No items to remove. Duh.");
    }
}

void MapCycleEditForm::move(int by) {
    const int chosen = MapsSelectedList.selectedIndex();
    const int to = chosen + by;
    if (chosen < 0 || to < 0 || to >= static_cast<int>(MapsSelectedList.count())) return;
    std::string map = MapsSelectedList.selectedText();
    MapsSelectedList.removeItem(static_cast<std::size_t>(chosen));
    MapsSelectedList.insertItem(static_cast<std::size_t>(to), std::move(map));
    MapsSelectedList.setSelectedIndex(to);
}

bool MapCycleEditForm::commit() {
    if (rewrites_ && !rewrites_->mayRewrite(KeptFile::MapCycle, file_, "map cycle Commit Changes")) return false;
    const Status written = writeMapCycle(file_, MapsSelectedList.items());
    if (!written) {
        dialogs_.show(Message{"Maps.txt was not written: " + written.error().describe() +
                                  ". The file on disk is unchanged and the editor keeps the cycle, so Commit "
                                  "Changes can be tried again.",
                              kApplicationTitle, Icon::Critical, Buttons::Ok});
        return false;
    }
    written_ = mapCycleBytes(MapsSelectedList.items());
    if (rewrites_) rewrites_->remember(file_, written_);
    return true;
}

bool MapCycleEditForm::hasUnwrittenChanges() const {
    return mapCycleBytes(MapsSelectedList.items()) != written_;
}

void MapCycleEditForm::leave() {
    leaveAfterAsking(dialogs_, hasUnwrittenChanges(),
                     unwrittenChangesQuestion("The map cycle has", "eraser\\maps.txt"), [this] { return commit(); },
                     back_);
}

void MapCycleEditForm::moveEntry(std::size_t from, std::size_t gap) {
    if (from >= MapsSelectedList.count()) return;
    const std::size_t to = std::min(gap > from ? gap - 1 : gap, MapsSelectedList.count() - 1);
    MapsSelectedList.setSelectedIndex(static_cast<int>(from));
    for (std::size_t at = from; at < to; ++at) MoveDownButton.click();
    for (std::size_t at = from; at > to; --at) MoveUpButton.click();
}

void MapCycleEditForm::dropAvailable(std::size_t gap) {
    if (gap >= MapsSelectedList.count()) {
        AddButton.click();
        return;
    }
    MapsSelectedList.setSelectedIndex(static_cast<int>(gap));
    InsertButton.click();
}

void MapCycleEditForm::showWarnings() {
    const std::string text = game_rules::warningText(game_rules::mapCycleWarnings(MapsSelectedList.items()));
    WarningLabel.setCaption(text);
    WarningLabel.setVisible(!text.empty());
}

}  // namespace vexmoor
