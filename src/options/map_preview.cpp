#include "options/map_preview.h"

#include <algorithm>
#include <cmath>

namespace vexmoor {

namespace {

// The middle dot of the game's code page (Windows-1252) between the parts of the line.
const std::string kBetween = " \xb7 ";
constexpr const char* kRefused = " is refused by the game: ";

std::string spawnPoints(int count) {
    if (count == 0) return "no spawn points";
    return std::to_string(count) + (count == 1 ? " spawn point" : " spawn points");
}

}  // namespace

std::string MapPreviewModel::line(const std::string& map, const MapLocation& file,
                                  const MapSummary& summary) {
    std::string text = map;
    if (!summary.title.empty()) text += kBetween + summary.title;
    text += kBetween + spawnPoints(summary.spawnPoints);
    if (summary.bothFlags) text += kBetween + "both flags";
    text += kBetween + file.where();
    for (const std::string& archive : file.damagedArchives)
        text += kBetween + archive + " has damaged entries";
    return text;
}

std::string MapPreviewModel::heading() const {
    if (!planFile_) return {};
    const auto summary = library_.summary(*planFile_);
    if (!summary || summary.value().title.empty()) return map_;
    return map_ + kBetween + summary.value().title;
}

std::vector<MapPreviewModel::Fact> MapPreviewModel::facts(const FloorPlan& plan) const {
    if (!planFile_) return {};
    const auto summary = library_.summary(*planFile_);
    if (!summary) return {};
    const auto extent = [&plan](std::size_t axis) {
        return std::to_string(std::lround(std::max(0.0f, plan.maxs[axis] - plan.mins[axis])));
    };
    std::vector<Fact> facts;
    facts.push_back({"Spawn points", std::to_string(summary.value().spawnPoints)});
    facts.push_back({"Team flags", summary.value().bothFlags ? "both" : "not both"});
    facts.push_back({"Size", extent(0) + " \xd7 " + extent(1) + " units, " + extent(2) + " high"});
    facts.push_back({"File", planFile_->shownAs()});
    for (const std::string& archive : planFile_->damagedArchives)
        facts.push_back({"Damaged", archive + " has damaged entries"});
    return facts;
}

void MapPreviewModel::show(const std::string& map) {
    map_ = map;
    planFile_.reset();
    MapPreview.setVisible(false);
    const auto found =
        map.empty() ? Result<std::optional<MapLocation>>(std::optional<MapLocation>{}) : library_.locate(map);
    if (!found) return cannotShow(found.error());
    if (!found.value()) {
        MapPreviewLabel.setCaption(map.empty() ? std::string()
                                               : "No map file for " + map + " in eraser or baseq2.");
        changed_.emit();
        return;
    }
    const MapLocation& file = *found.value();
    const auto summary = library_.summary(file);
    if (!summary) return cannotShow(summary.error());
    if (const auto refusal = library_.knownRefusal(file)) return cannotShow(*refusal, kRefused);
    // A plan found unreadable before is not tried again until its file changes.
    if (const auto failed = library_.knownPlanError(file)) return cannotShow(*failed);
    planFile_ = file;
    MapPreviewLabel.setCaption(line(map, file, summary.value()));
    changed_.emit();
}

bool MapPreviewModel::current(const MapLocation& file) const {
    return planFile_ && planFile_->file == file.file && planFile_->offset == file.offset;
}

void MapPreviewModel::planShown(const MapLocation& file) {
    if (current(file)) MapPreview.setVisible(true);
}

void MapPreviewModel::planFailed(const MapLocation& file, const Error& error) {
    if (!current(file)) return;
    if (const auto refusal = library_.knownRefusal(file)) return cannotShow(*refusal, kRefused);
    cannotShow(error);
}

void MapPreviewModel::cannotShow(const Error& error, const char* why) {
    planFile_.reset();
    MapPreview.setVisible(false);
    MapPreviewLabel.setCaption(map_ + why + error.describe() + ".");
    changed_.emit();
}

ChosenMapPreview::ChosenMapPreview(const MapLibrary& library, ListBox& first, ListBox& second)
    : preview(library), watched_{{&first, 0, 0, -1, {}}, {&second, 0, 0, -1, {}}} {
    for (Watched& watched : watched_) {
        watched.items = watched.list->itemsRevision();
        watched.selection = watched.list->selectionRevision();
        watched.chosen = watched.list->selectedIndex();
        watched.marks.assign(watched.list->count(), false);
        for (std::size_t i = 0; i < watched.marks.size(); ++i) watched.marks[i] = watched.list->isSelected(i);
        links_.push_back(watched.list->changed().connect([this, &watched] { follow(watched); }));
    }
    // The list of one choice that starts with an entry chosen shows it.
    for (const Watched& watched : watched_)
        if (watched.list->mode() == ListBox::Mode::Single && watched.chosen >= 0)
            preview.show(watched.list->selectedText());
}

void ChosenMapPreview::follow(Watched& watched) {
    ListBox& list = *watched.list;
    if (list.selectionRevision() == watched.selection) return;
    watched.selection = list.selectionRevision();
    if (list.mode() == ListBox::Mode::Single) {
        const int chosen = list.selectedIndex();
        if (chosen != watched.chosen && chosen >= 0) preview.show(list.selectedText());
        watched.chosen = chosen;
        return;
    }
    // New entries come unmarked; of the marks, the first that was not there before is the one chosen.
    if (list.itemsRevision() != watched.items) {
        watched.items = list.itemsRevision();
        watched.marks.assign(list.count(), false);
    }
    std::optional<std::size_t> chosen;
    for (std::size_t i = 0; i < watched.marks.size(); ++i) {
        const bool marked = list.isSelected(i);
        if (marked && !watched.marks[i] && !chosen) chosen = i;
        watched.marks[i] = marked;
    }
    if (chosen) preview.show(std::string(list.items()[*chosen]));
}

}  // namespace vexmoor
