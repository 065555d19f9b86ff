#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/controls.h"
#include "core/signal.h"
#include "gamefiles/map_library.h"

namespace vexmoor {

// A map's preview: the line that names the map, its title and what it
// holds, the file the view draws its floor plan from, and the place the
// plan shows in once the view has drawn it.
//   "q2dm1 · The Edge · 14 spawn points · in baseq2/pak0.pak"
//   "q2dm1 · The Edge · 14 spawn points · in baseq2/pak0.pak · eraser/pak1.pak has damaged entries"
//   "No map file for q2dm3 in eraser or baseq2."
//   "q2dm3 cannot be shown: maps/q2dm3.bsp in baseq2/pak1.pak: the face list runs past the end of the file."
//   "q2dm3 cannot be shown: eraser/pak1.pak holds 5,000 files; the game stops at start with more than 4,096."
//   "q2dm3 is refused by the game: baseq2/maps/q2dm3.bsp: the map has no nodes."
// A file that cannot be read is told here and nowhere else.
class MapPreviewModel {
public:
    explicit MapPreviewModel(const MapLibrary& library) : library_(library) { MapPreview.setVisible(false); }

    // Shown while a plan of the map is drawn in it.
    Label MapPreview{"MapPreview"};
    Label MapPreviewLabel{"MapPreviewLabel"};

    // Shows a map: the line at once, from the map's entity list; the plan's
    // file for the view. An empty name shows nothing.
    void show(const std::string& map);
    const std::string& map() const { return map_; }
    // None when there is no file or it cannot be read.
    const std::optional<MapLocation>& planFile() const { return planFile_; }
    // The view drew the plan from that file, or could not read it (the line says why).
    void planShown(const MapLocation& file);
    void planFailed(const MapLocation& file, const Error& error);

    const MapLibrary& library() const { return library_; }
    // Fires after every show and failure, once the line is set.
    Signal<>& changed() { return changed_; }

    static std::string line(const std::string& map, const MapLocation& file, const MapSummary& summary);

    // What we read of the map whose plan is shown, for a closer look: its
    // title line ("q2dm1 \xb7 The Edge") and each fact by name:
    //   Spawn points  14
    //   Team flags    both
    //   Size          2048 \xd7 1536 units, 512 high
    //   File          maps/q2dm1.bsp in baseq2/pak0.pak
    // Nothing while no plan is shown.
    struct Fact {
        std::string name;
        std::string value;
    };
    std::string heading() const;
    std::vector<Fact> facts(const FloorPlan& plan) const;

private:
    void cannotShow(const Error& error, const char* why = " cannot be shown: ");
    bool current(const MapLocation& file) const;

    const MapLibrary& library_;
    std::string map_;
    std::optional<MapLocation> planFile_;
    Signal<> changed_;
};

// The preview of the entry chosen last in either of two lists (the map cycle
// editor's): an entry newly marked in a list of several choices, or the
// entry chosen in a list of one.
class ChosenMapPreview {
public:
    ChosenMapPreview(const MapLibrary& library, ListBox& first, ListBox& second);

    MapPreviewModel preview;

private:
    struct Watched {
        ListBox* list;
        std::uint64_t items = 0;
        std::uint64_t selection = 0;
        int chosen = -1;
        std::vector<bool> marks;
    };
    void follow(Watched& watched);

    std::vector<Watched> watched_;
    std::vector<Connection> links_;
};

}  // namespace vexmoor
