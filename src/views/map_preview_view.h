#pragma once

#include <functional>
#include <string>

#include <QWidget>

#include "options/map_preview.h"
#include "views/binding.h"
#include "views/floor_plan_label.h"

class QLabel;
class QListView;

namespace vexmoor {

// The entries of a list of maps carry each map's title as their tooltip and
// accessible description; `mapOf` turns an entry into its map's name (a
// file name loses its extension), by default the entry itself.
//
// With a count label, the list also tells what is installed: each map is
// looked up in the game's order off the window's thread once the list is
// first shown (and again whenever its entries change); an entry the game has
// no file for is drawn in the disabled text colour and says so in its
// tooltip and accessible description, and the label counts the installed.
void describeMaps(QListView* list, const MapLibrary& library,
                  std::function<std::string(const std::string&)> mapOf = {}, Label* installedCount = nullptr);

// The Maps page's picture corner: the picture it was given, or in its place
// the floor plan of the map the preview shows (MapPreview, while the model
// says it shows), and the preview line, which the page places. The plan is
// read and painted on a worker thread and shown when it is ready; the window
// never waits for it. The plan takes the room the page gives it; a click,
// Enter or Space on it opens the Map window.
class MapPreviewPanel : public QWidget {
public:
    MapPreviewPanel(MapPreviewModel& model, QWidget* picture, Bindings& bindings, QWidget* parent = nullptr);
    ~MapPreviewPanel() override;

    // The least the plan takes: the picture's place, wider as most maps are wider than deep.
    static QSize planSize();
    // The preview line, for the page to place where it has room.
    QLabel* line() const { return line_; }

private:
    void follow();
    void openMapWindow();

    MapPreviewModel& model_;
    FloorPlanLabel* plan_;
    QLabel* line_;
};

}  // namespace vexmoor
