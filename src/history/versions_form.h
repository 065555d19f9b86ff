#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/controls.h"
#include "core/ports.h"
#include "core/window_model.h"
#include "history/line_diff.h"
#include "history/rewrite_guard.h"
#include "history/version_store.h"

namespace vexmoor {

// The Earlier Versions window: the four files Vexmoor rewrites, the kept
// versions of the chosen one (newest first), what bringing the chosen
// version back would change, and the restore itself, which first keeps the
// file as it is so that every restore can be undone from here as well. A
// file changed since its differences were shown is replaced only when the
// user says so, after the differences are shown anew.
class VersionsForm : public WindowModel {
public:
    struct Host {
        RewriteGuard& rewrites;
        Dialogs& dialogs;
        // The game directory whose files the window shows, as it stood when
        // the window opened.
        std::string gameDirectory;
        std::filesystem::path settingsFile;
        // Reads a file just restored into the program (the roster into
        // memory, the settings into the main window).
        std::function<void(KeptFile, const std::filesystem::path&, const std::string& bytes)> restored;
        // Closes the window and gives the main window back.
        std::function<void()> back;
    };
    explicit VersionsForm(Host host);

    // Each file with how many versions it has, in the order of kKeptFiles.
    ListBox VersionFileList{"VersionFileList", ListBox::Mode::Single};
    // When, by which action, and what the version holds.
    ListBox VersionList{"VersionList", ListBox::Mode::Single};
    // Read-only: the differences between the chosen version and the file as it is now.
    TextBox VersionDiffText{"VersionDiffText", ""};
    Button RestoreButton{"RestoreButton", "&Restore This Version"};
    Button VersionsExitButton{"VersionsExitButton", "Return to Main"};

    KeptFile chosenFile() const;
    std::filesystem::path pathOf(KeptFile file) const;
    // The versions VersionList shows, in its order.
    const std::vector<KeptVersion>& versions() const { return lists_[index(chosenFile())]; }
    // VersionDiffText line by line, with what each line is, for the view to colour.
    const std::vector<ShownLine>& differences() const { return differences_; }

    void closeRequested() override { VersionsExitButton.click(); }

    static constexpr const char* kNoDifferences = "No differences.";

private:
    static std::size_t index(KeptFile file);
    std::string filedUnder(KeptFile file) const;
    void readLists();
    std::string fileEntry(KeptFile file) const;
    void fileChosen();
    void versionChosen();
    void showText(std::vector<ShownLine> lines, bool restorable);
    void restore();

    Host host_;
    std::array<std::vector<KeptVersion>, kKeptFiles.size()> lists_;
    std::array<std::optional<Error>, kKeptFiles.size()> listErrors_;
    std::vector<ShownLine> differences_;
    // The file as the differences shown were computed from: its print, an
    // empty print when it did not exist, nothing when it could not be read.
    std::optional<ContentPrint> shownAgainst_;
};

}  // namespace vexmoor
