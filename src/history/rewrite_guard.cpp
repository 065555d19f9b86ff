#include "history/rewrite_guard.h"

#include "core/paths.h"
#include "core/ports.h"

namespace vexmoor {

namespace fs = std::filesystem;

RewriteGuard::RewriteGuard(VersionStore& store, Dialogs& dialogs, std::function<std::string()> gameDirectory,
                           Summary summary)
    : store_(store),
      dialogs_(dialogs),
      gameDirectory_(std::move(gameDirectory)),
      summary_(std::move(summary)) {}

void RewriteGuard::remember(const fs::path& file, std::string_view bytes) { remember(file, printOf(bytes)); }
void RewriteGuard::remember(const fs::path& file, const ContentPrint& print) { known_[pathText(file)] = print; }

void RewriteGuard::rememberMissing(const fs::path& file) { known_[pathText(file)] = ContentPrint{}; }

std::optional<ContentPrint> RewriteGuard::remembered(const fs::path& file) const {
    const auto known = known_.find(pathText(file));
    if (known == known_.end()) return std::nullopt;
    return known->second;
}

namespace {

std::string relativePath(KeptFile which) { return nativeSeparators("eraser\\") + keptFileName(which); }

// Whether two game directory texts name the same directory: written alike,
// or reaching the same folder, or the same file in it (Windows tells files
// apart more surely than folders).
bool sameGameDirectory(KeptFile which, const std::string& a, const std::string& b) {
    return a == b || sameFile(pathFromText(a), pathFromText(b)) ||
           sameFile(pathFromText(a + relativePath(which)), pathFromText(b + relativePath(which)));
}

}  // namespace

std::string RewriteGuard::filedUnder(KeptFile which, const fs::path& file) {
    const std::string text = pathText(file);
    if (which == KeptFile::Settings) return text;
    const std::string relative = relativePath(which);
    if (text.size() > relative.size() && text.ends_with(relative))
        return text.substr(0, text.size() - relative.size());
    return pathText(file.parent_path().parent_path()) + kPathSeparator;
}

std::optional<ContentPrint> RewriteGuard::printOnDisk(const fs::path& file) {
    const auto bytes = readWholeFile(file);
    if (bytes) return printOf(bytes.value());
    if (bytes.error().reason == kMissingFileReason) return ContentPrint{};
    return std::nullopt;
}

Message RewriteGuard::changedOutsideQuestion(const fs::path& file) {
    return Message{
        pathText(file) +
            " was changed outside Vexmoor since it was read. Replace it with Vexmoor's version? The "
            "other version is kept under File > Earlier Versions.",
        kApplicationTitle, Icon::Exclamation, Buttons::YesNo, Answer::No};
}

Message RewriteGuard::notKeptQuestion(const fs::path& file, const Error& why) {
    return Message{"Vexmoor could not keep an earlier version of " + pathText(file) +
                       " before rewriting it.\r\n\r\n" + why.describe() +
                       "\r\n\r\nWrite the file all the same? What it holds now could not be brought back.",
                   "Earlier version not kept", Icon::Exclamation, Buttons::YesNo, Answer::No};
}

Message RewriteGuard::otherDirectoryRefusal(const fs::path& file, const std::string& readFrom,
                                            const std::string& inForce) {
    return Message{"Vexmoor did not write " + pathText(file) + ": it was read from the game directory " +
                       readFrom + ", and the game directory is now " + inForce +
                       ". Nothing was written to either. Return to the main window and open the editor again "
                       "to work on the files of " +
                       inForce + ".",
                   "Game directory changed", Icon::Exclamation, Buttons::Ok};
}

Status RewriteGuard::keep(KeptFile which, const fs::path& file, std::string_view bytes,
                          std::string_view action) {
    const std::string summary = summary_ ? summary_(which, bytes) : std::string();
    return store_.keep(filedUnder(which, file), which, bytes, action, summary).status();
}

bool RewriteGuard::keepOrAsk(KeptFile which, const fs::path& file, std::string_view bytes,
                             std::string_view action) {
    const Status kept = keep(which, file, bytes, action);
    return kept || dialogs_.show(notKeptQuestion(file, kept.error())) == Answer::Yes;
}

bool RewriteGuard::mayRewrite(KeptFile which, const fs::path& file, std::string_view action) {
    if (which != KeptFile::Settings && gameDirectory_) {
        const std::string readFrom = filedUnder(which, file);
        const std::string inForce = gameDirectory_();
        if (!sameGameDirectory(which, readFrom, inForce)) {
            dialogs_.show(otherDirectoryRefusal(file, readFrom, inForce));
            return false;
        }
    }
    const auto current = readWholeFile(file);
    // Gone since it was read (or never there): nothing to protect or keep.
    if (!current && current.error().reason == kMissingFileReason) return true;
    // A file that cannot be read cannot be kept either.
    if (!current) return dialogs_.show(notKeptQuestion(file, current.error())) == Answer::Yes;
    std::string_view keptAs = action;
    if (const auto known = remembered(file); known && *known != printOf(current.value())) {
        if (dialogs_.show(changedOutsideQuestion(file)) != Answer::Yes) return false;
        keptAs = kChangedOutside;
    }
    return keepOrAsk(which, file, current.value(), keptAs);
}

bool RewriteGuard::mayRestore(KeptFile which, const fs::path& file, std::string_view action) {
    const auto current = readWholeFile(file);
    if (!current && current.error().reason == kMissingFileReason) return true;
    if (!current) return dialogs_.show(notKeptQuestion(file, current.error())) == Answer::Yes;
    return keepOrAsk(which, file, current.value(), action);
}

}  // namespace vexmoor
