#include "history/versions_form.h"

#include "chat/chat_file.h"
#include "core/paths.h"
#include "core/ports.h"
#include "options/map_cycle_file.h"
#include "roster/roster_file.h"

namespace vexmoor {

namespace fs = std::filesystem;

namespace {

// The file as the list names it: the game's files under their folder.
std::string shortName(KeptFile file) {
    if (file == KeptFile::Settings) return keptFileName(file);
    return nativeSeparators("eraser\\") + keptFileName(file);
}

std::string versionEntry(const KeptVersion& version) {
    std::string entry = localTimeText(version.keptAt) + " - " + version.action;
    if (!version.summary.empty()) entry += " - " + version.summary;
    return entry;
}

ShownLine note(std::string text) { return ShownLine{ShownLine::Kind::Header, std::move(text)}; }

}  // namespace

VersionsForm::VersionsForm(Host host)
    : WindowModel("VersionsForm", "Earlier Versions"), host_(std::move(host)) {
    VersionFileList.onChange([this] { fileChosen(); });
    VersionList.onChange([this] { versionChosen(); });
    RestoreButton.onClick([this] { restore(); });
    VersionsExitButton.onClick([this] { host_.back(); });

    readLists();
    std::vector<std::string> entries;
    for (const KeptFile file : kKeptFiles) entries.push_back(fileEntry(file));
    VersionFileList.setItems(std::move(entries));
    VersionFileList.setSelectedIndex(0);
}

std::size_t VersionsForm::index(KeptFile file) { return static_cast<std::size_t>(file); }

KeptFile VersionsForm::chosenFile() const {
    const int chosen = VersionFileList.selectedIndex();
    return kKeptFiles[chosen < 0 ? 0 : static_cast<std::size_t>(chosen)];
}

fs::path VersionsForm::pathOf(KeptFile file) const {
    switch (file) {
        case KeptFile::Roster:
            return rosterPath(host_.gameDirectory);
        case KeptFile::Chat:
            return chatPath(host_.gameDirectory);
        case KeptFile::MapCycle:
            return mapCyclePath(host_.gameDirectory);
        case KeptFile::Settings:
            break;
    }
    return host_.settingsFile;
}

std::string VersionsForm::filedUnder(KeptFile file) const {
    return RewriteGuard::filedUnder(file, pathOf(file));
}

void VersionsForm::readLists() {
    for (const KeptFile file : kKeptFiles) {
        auto versions = host_.rewrites.store().versions(filedUnder(file), file);
        listErrors_[index(file)].reset();
        if (versions)
            lists_[index(file)] = std::move(versions).value();
        else
            listErrors_[index(file)] = versions.error();
    }
}

std::string VersionsForm::fileEntry(KeptFile file) const {
    const std::size_t count = lists_[index(file)].size();
    const std::string versions = listErrors_[index(file)] ? "versions cannot be listed"
                                 : count == 0             ? "no versions"
                                 : count == 1             ? "1 version"
                                                          : std::to_string(count) + " versions";
    return shortName(file) + " (" + versions + ")";
}

void VersionsForm::fileChosen() {
    const KeptFile file = chosenFile();
    std::vector<std::string> entries;
    for (const KeptVersion& version : lists_[index(file)]) entries.push_back(versionEntry(version));
    VersionList.setItems(std::move(entries));
    if (const auto& error = listErrors_[index(file)])
        showText({note("The earlier versions of " + pathText(pathOf(file)) +
                       " cannot be listed: " + error->describe() + ".")},
                 false);
    else if (VersionList.count() == 0)
        showText({note("No earlier versions of " + pathText(pathOf(file)) + " are kept yet.")}, false);
    else
        VersionList.setSelectedIndex(0);
}

void VersionsForm::versionChosen() {
    const int row = VersionList.selectedIndex();
    if (row < 0) return;
    const KeptFile file = chosenFile();
    const KeptVersion& version = versions()[static_cast<std::size_t>(row)];
    const auto kept = host_.rewrites.store().bytesOf(filedUnder(file), file, version);
    if (!kept) {
        showText({note("This version cannot be read: " + kept.error().describe() + ".")}, false);
        return;
    }
    const fs::path path = pathOf(file);
    const auto now = readWholeFile(path);
    std::vector<ShownLine> lines;
    const bool missing = !now && now.error().reason == kMissingFileReason;
    shownAgainst_ = now       ? std::optional(printOf(now.value()))
                    : missing ? std::optional(ContentPrint{})
                              : std::nullopt;
    if (!now && !missing) {
        // Restoring may still work: the safe writer replaces what it cannot read.
        showText({note("The file as it is now cannot be read: " + now.error().describe() + ".")}, true);
        return;
    }
    if (missing)
        lines.push_back(note(pathText(path) + " does not exist now: restoring brings back every line."));
    std::vector<ShownLine> shown = shownDifferences(kept.value(), missing ? std::string_view() : now.value());
    if (shown.empty()) {
        lines.push_back(note(kNoDifferences));
    } else {
        lines.push_back(note("- only in this version    + only in the file as it is now"));
        lines.insert(lines.end(), std::make_move_iterator(shown.begin()),
                     std::make_move_iterator(shown.end()));
    }
    showText(std::move(lines), true);
}

void VersionsForm::showText(std::vector<ShownLine> lines, bool restorable) {
    differences_ = std::move(lines);
    std::string text;
    for (const ShownLine& line : differences_) {
        if (!text.empty()) text += '\n';
        text += line.text;
    }
    RestoreButton.setEnabled(restorable);
    VersionDiffText.setText(std::move(text));
}

void VersionsForm::restore() {
    const int row = VersionList.selectedIndex();
    if (row < 0) return;
    const KeptFile file = chosenFile();
    const KeptVersion version = versions()[static_cast<std::size_t>(row)];
    const fs::path path = pathOf(file);
    const auto bytes = host_.rewrites.store().bytesOf(filedUnder(file), file, version);
    if (!bytes) {
        host_.dialogs.show(Message{"This version of " + pathText(path) + " cannot be restored: " +
                                       bytes.error().describe() + ". Nothing was changed.",
                                   "Version not restored", Icon::Critical, Buttons::Ok});
        return;
    }
    // Changed since the differences were computed: they are shown anew, and
    // the change is replaced only when the user says so. A file removed
    // meanwhile has nothing to protect.
    std::string_view action = kRestore;
    if (const auto onDisk = RewriteGuard::printOnDisk(path);
        onDisk != shownAgainst_ && onDisk != ContentPrint{}) {
        versionChosen();
        if (host_.dialogs.show(RewriteGuard::changedOutsideQuestion(path)) != Answer::Yes) return;
        action = kChangedOutside;
    }
    if (!host_.rewrites.mayRestore(file, path, action)) return;
    if (const Status written = writeWholeFile(path, bytes.value()); !written) {
        host_.dialogs.show(Message{pathText(path) + " was not restored: " + written.error().describe() +
                                       ". The file on disk is unchanged.",
                                   "Version not restored", Icon::Critical, Buttons::Ok});
        return;
    }
    host_.rewrites.remember(path, bytes.value());
    if (host_.restored) host_.restored(file, path, bytes.value());

    // The file as it was becomes the newest version; the one restored stays
    // chosen and shows that the file now holds it.
    readLists();
    for (const KeptFile each : kKeptFiles) VersionFileList.setItem(index(each), fileEntry(each));
    fileChosen();
    const auto& list = versions();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].number == version.number) VersionList.setSelectedIndex(static_cast<int>(i));
    host_.dialogs.inform(pathText(path) + " is back as it was on " + localTimeText(version.keptAt) + ".",
                         "Version restored");
}

}  // namespace vexmoor
