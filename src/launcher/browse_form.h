#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/controls.h"
#include "core/ports.h"
#include "core/window_model.h"
#include "launcher/game_finder.h"

namespace vexmoor {

// A directory list: the current path and the folders in it.
class DirectoryList : public Control {
public:
    using Control::Control;
    const std::filesystem::path& path() const { return path_; }
    const std::vector<std::string>& folders() const { return folders_; }
    // Moves to a folder and lists its sub-folders (sorted; names beginning
    // with "." are left out). A folder that cannot be listed leaves the list
    // where it was and gives the error.
    Status setPath(const std::filesystem::path& path);
    void onChange(std::function<void()> behaviour) { behaviour_ = std::move(behaviour); }

private:
    std::filesystem::path path_;
    std::vector<std::string> folders_;
    std::function<void()> behaviour_;
};

// The game directory chooser, in first-run or main-window mode.
class BrowseForm : public WindowModel {
public:
    enum class Mode { FirstRun, MainWindow };

    struct Actions {
        // Main-window mode Set: the chosen directory text.
        std::function<void(const std::string&)> chosen;
        // First-run mode Set: store the chosen directory; true when stored.
        std::function<bool(const std::string&)> storeFirstRun;
        std::function<void()> cancelled;
        // Looks for the game directories on this computer, on a thread of
        // its own; without it the found list says at once that none was found.
        GameSearch::Find findGames = {};
    };

    BrowseForm(Mode mode, Dialogs& dialogs, const Drives& drives, Actions actions);

    Mode mode() const { return mode_; }

    // The game directories found on this computer, each with what it holds;
    // choosing one moves the directory list there. While the search runs,
    // and when it found nothing, it holds one line that says so and is disabled.
    ListBox FoundGamesList{"FoundGamesList", ListBox::Mode::Single};
    ListBox QuakeDrive{"QuakeDrive", ListBox::Mode::Single};
    DirectoryList QuakeDir{"QuakeDir"};
    Label Label1{"Label1", "Current path is:"};
    Label Label2{"Label2"};
    Button SetButton{"SetButton", "Set"};
    Button CancelButton{"CancelButton", "Cancel"};

    // The chosen directory: the current path with a separator appended
    // unless it already ends in one.
    std::string chosenDirectory() const;

    void closeRequested() override { CancelButton.click(); }

    // Moves the directory list to a folder; one that cannot be opened is
    // told in a message and the list stays where it was.
    bool openFolder(const std::filesystem::path& folder);

    // Whether the search still runs. takeFoundGames() shows what it found
    // once it is done and says whether it is; waitForFoundGames() waits for
    // it, where no window's events need to go on meanwhile.
    bool searching() const { return search_ != nullptr; }
    bool takeFoundGames();
    void waitForFoundGames();
    const std::vector<FoundGame>& foundGames() const { return found_; }

private:
    void driveChanged();
    void set();
    void showFound(FoundGames found);
    std::size_t driveOf(const std::filesystem::path& path) const;

    Mode mode_;
    Dialogs& dialogs_;
    std::vector<Drive> drives_;
    std::map<std::size_t, std::filesystem::path> currentFolder_;  // per drive, as a drive remembers it
    Actions actions_;
    std::vector<FoundGame> found_;
    // Last, so that a search still running is stopped before the rest goes.
    std::unique_ptr<GameSearch> search_;
};

}  // namespace vexmoor
