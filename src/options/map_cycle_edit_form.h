#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/controls.h"
#include "core/ports.h"
#include "core/window_model.h"
#include "history/rewrite_guard.h"
#include "options/map_preview.h"

namespace vexmoor {

class MapsPage;

// The map cycle editor: every map the launcher knows on the left, the cycle
// on the right; maps are appended or inserted before the chosen entry,
// entries removed, and the whole cycle written on Commit Changes.
class MapCycleEditForm : public WindowModel {
public:
    MapCycleEditForm(std::filesystem::path file, std::vector<std::string> available,
                     std::vector<std::string> cycle, Dialogs& dialogs, std::function<void()> back);

    // The maps of the Maps page (internal, then the installed files' names,
    // then CTF) and the cycle read from the file. A file that cannot be read
    // is told, with the file and the reason, and no editor is made. With a
    // guard, what was read is remembered and Commit Changes goes through it.
    static std::unique_ptr<MapCycleEditForm> open(const MapsPage& maps, const std::filesystem::path& file,
                                                  Dialogs& dialogs, std::function<void()> back,
                                                  RewriteGuard* rewrites = nullptr);

    ListBox MapsAvailableList{"MapsAvailableList", ListBox::Mode::Multiple};
    // Shows the known maps whose names hold its text; the chosen ones stay chosen.
    FilterText MapsAvailableFilter{"MapsAvailableFilter"};
    // How many of them the game has a file for, once looked up.
    Label MapsAvailableCountLabel{"MapsAvailableCountLabel"};
    // The chosen entry is the insertion point.
    ListBox MapsSelectedList{"MapsSelectedList", ListBox::Mode::Single};
    Label MapsSelectedCountLabel{"MapsSelectedCountLabel"};
    Button AddButton{"AddButton", "Add >>"};
    Button InsertButton{"InsertButton", "Insert >>"};
    Button RemoveButton{"RemoveButton", "<< Remove"};
    // The game plays the cycle in its order: the chosen entry moves, and stays chosen.
    Button MoveUpButton{"MoveUpButton", "Move &Up"};
    Button MoveDownButton{"MoveDownButton", "Move &Down"};
    Button CommitButton{"CommitButton", "Commit Changes"};
    Button CancelButton{"CancelButton", "Return to Main"};
    // What the game would make of the cycle as it stands.
    Label WarningLabel{"WarningLabel"};
    // The line of the map chosen last in either list; made by open().
    std::unique_ptr<ChosenMapPreview> preview;

    void closeRequested() override { CancelButton.click(); }

    // Whether the cycle Commit Changes would write differs from the one last
    // read or written: a map added and removed again is no change.
    bool hasUnwrittenChanges() const;

    // Drag and drop, through the buttons' own operations. A cycle entry
    // dropped elsewhere in the cycle moves there a step at a time, as Move
    // Up and Move Down move it, and stays chosen; `gap` counts the entries
    // before the place it was dropped at.
    void moveEntry(std::size_t from, std::size_t gap);
    // The chosen known maps dropped on the cycle: before the entry at `gap`,
    // as Insert puts them before the insertion point, or after the last, as
    // Add does.
    void dropAvailable(std::size_t gap);

private:
    void add();
    void insert();
    void remove();
    void move(int by);
    bool commit();
    void leave();
    void showWarnings();

    std::filesystem::path file_;
    Dialogs& dialogs_;
    RewriteGuard* rewrites_ = nullptr;
    std::function<void()> back_;
    // The file as the cycle last read or written would make it.
    std::string written_;
};

}  // namespace vexmoor
