#include "launcher/browse_form.h"

#include <algorithm>
#include <system_error>

#include "core/paths.h"
#include "core/ports.h"

namespace vexmoor {

namespace fs = std::filesystem;

Status DirectoryList::setPath(const fs::path& path) {
    std::error_code error;
    fs::directory_iterator it(path, error);
    if (error) return Error{pathText(path), 0, error.message()};
    std::vector<std::string> folders;
    for (fs::directory_iterator end; it != end; it.increment(error)) {
        if (error) return Error{pathText(path), 0, error.message()};
        std::error_code typeError;
        const std::string name = pathText(it->path().filename());
        if (!name.empty() && name.front() != '.' && it->is_directory(typeError)) folders.push_back(name);
    }
    std::sort(folders.begin(), folders.end());
    const bool moved = path != path_;
    path_ = path;
    folders_ = std::move(folders);
    notify();
    if (moved && behaviour_) behaviour_();
    return {};
}

BrowseForm::BrowseForm(Mode mode, Dialogs& dialogs, const Drives& drives, Actions actions)
    : WindowModel("BrowseForm", "Location"),
      mode_(mode),
      dialogs_(dialogs),
      drives_(drives.list()),
      actions_(std::move(actions)) {
    std::vector<std::string> labels;
    for (const Drive& drive : drives_) labels.push_back(drive.label);
    QuakeDrive.setItems(labels);

    QuakeDir.onChange([this] {
        Label2.setCaption(pathText(QuakeDir.path()));
        // Moving up past a root lands on another drive; the drive list follows
        // so the two lists always agree.
        const std::size_t drive = driveOf(QuakeDir.path());
        currentFolder_[drive] = QuakeDir.path();
        QuakeDrive.setSelectedIndex(static_cast<int>(drive));
        // Moved away from the game chosen in the found list: it can be chosen again.
        const int chosen = FoundGamesList.selectedIndex();
        if (chosen >= 0 && static_cast<std::size_t>(chosen) < found_.size() &&
            found_[static_cast<std::size_t>(chosen)].directory != QuakeDir.path())
            FoundGamesList.setSelectedIndex(-1);
    });
    FoundGamesList.setNoneAllowed(true);
    FoundGamesList.onChange([this] {
        const int chosen = FoundGamesList.selectedIndex();
        if (chosen < 0 || static_cast<std::size_t>(chosen) >= found_.size()) return;
        if (!openFolder(found_[static_cast<std::size_t>(chosen)].directory))
            FoundGamesList.setSelectedIndex(-1);
    });
    QuakeDrive.onChange([this] { driveChanged(); });
    SetButton.onClick([this] { set(); });
    CancelButton.onClick([this] {
        if (actions_.cancelled) actions_.cancelled();
    });

    // The chooser always starts at its start drive, whatever the current game directory is.
    if (!drives_.empty()) {
        const std::size_t start = std::min(drives.startIndex(), drives_.size() - 1);
        currentFolder_[start] = drives_[start].root;
        QuakeDrive.setSelectedIndex(static_cast<int>(start));
    }

    if (actions_.findGames) {
        FoundGamesList.setItems({kLookingText});
        FoundGamesList.setEnabled(false);
        search_ = std::make_unique<GameSearch>(actions_.findGames);
    } else {
        showFound({});
    }
}

bool BrowseForm::openFolder(const fs::path& folder) {
    const Status moved = QuakeDir.setPath(folder);
    if (moved) return true;
    dialogs_.show(Message{"This folder cannot be opened.\r\n\r\n" + moved.error().describe(),
                          kApplicationTitle, Icon::Exclamation, Buttons::Ok});
    return false;
}

bool BrowseForm::takeFoundGames() {
    if (!search_) return true;
    if (!search_->done()) return false;
    waitForFoundGames();
    return true;
}

void BrowseForm::waitForFoundGames() {
    if (!search_) return;
    FoundGames found = search_->take();
    search_.reset();
    showFound(std::move(found));
}

void BrowseForm::showFound(FoundGames found) {
    found_ = std::move(found.games);
    std::vector<std::string> lines;
    for (const FoundGame& game : found_) lines.push_back(game.description());
    if (lines.empty()) lines.push_back(kNoGameFoundText);
    FoundGamesList.setItems(std::move(lines));
    FoundGamesList.setEnabled(!found_.empty());
}

// The drive whose root is the longest leading part of a path.
std::size_t BrowseForm::driveOf(const fs::path& path) const {
    std::size_t best = 0;
    std::size_t bestLength = 0;
    const std::string text = pathText(path.lexically_normal());
    for (std::size_t i = 0; i < drives_.size(); ++i) {
        std::string root = pathText(drives_[i].root.lexically_normal());
        if (!root.empty() && root.back() != kPathSeparator) root += kPathSeparator;
        const bool inside = text.rfind(root, 0) == 0 || text + kPathSeparator == root;
        if (inside && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}

void BrowseForm::driveChanged() {
    const int index = QuakeDrive.selectedIndex();
    if (index < 0) return;
    const auto drive = static_cast<std::size_t>(index);
    const auto remembered = currentFolder_.find(drive);
    const fs::path& root = drives_[drive].root;
    const fs::path target = remembered != currentFolder_.end() ? remembered->second : root;
    for (;;) {
        if (QuakeDir.setPath(target)) return;
        // The folder last seen on the drive may have gone since; the drive
        // is only "not ready" when its root cannot be listed either.
        if (target != root && QuakeDir.setPath(root)) return;
        const Answer answer =
            dialogs_.show(Message{drives_[drive].label + " is not accessible.\r\nThe device is not ready.",
                                  kApplicationTitle, Icon::Critical, Buttons::RetryCancel});
        if (answer != Answer::Retry) break;
    }
    // Put the drive list back on the drive of the directory list, so the two agree.
    if (QuakeDir.path().empty()) return;
    QuakeDrive.setSelectedIndex(static_cast<int>(driveOf(QuakeDir.path())));
}

std::string BrowseForm::chosenDirectory() const {
    std::string directory = pathText(QuakeDir.path());
    if (directory.empty() || directory.back() != kPathSeparator) directory += kPathSeparator;
    return directory;
}

void BrowseForm::set() {
    const std::string directory = chosenDirectory();
    if (!regularFileExists(gamePath(directory, "quake2.exe"))) {
        dialogs_.inform("There is no quake2.exe here. Please specify directory where your quake2.exe resides.");
        return;
    }
    if (mode_ == Mode::MainWindow) {
        if (actions_.chosen) actions_.chosen(directory);
    } else if (actions_.storeFirstRun) {
        actions_.storeFirstRun(directory);
    }
}

}  // namespace vexmoor
