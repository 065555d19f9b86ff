#include "core/rewrite_guard.h"

#include "core/file_io.h"

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

Status RewriteGuard::keep(KeptFile which, std::string_view bytes, std::string_view action) {
    const std::string summary = summary_ ? summary_(which, bytes) : std::string();
    return store_.keep(gameDirectory_(), which, bytes, action, summary).status();
}

bool RewriteGuard::keepOrAsk(KeptFile which, const fs::path& file, std::string_view bytes,
                             std::string_view action) {
    const Status kept = keep(which, bytes, action);
    return kept || dialogs_.show(notKeptQuestion(file, kept.error())) == Answer::Yes;
}

bool RewriteGuard::mayRewrite(KeptFile which, const fs::path& file, std::string_view action) {
    const auto current = readWholeFile(file);
    const bool missing = !current && current.error().reason == kMissingFileReason;
    // A file that cannot be read cannot be kept either.
    if (!current && !missing) return dialogs_.show(notKeptQuestion(file, current.error())) == Answer::Yes;
    const ContentPrint now = missing ? ContentPrint{} : printOf(current.value());
    std::string_view keptAs = action;
    if (const auto known = remembered(file); known && *known != now) {
        if (dialogs_.show(changedOutsideQuestion(file)) != Answer::Yes) return false;
        keptAs = kChangedOutside;
    }
    return missing || keepOrAsk(which, file, current.value(), keptAs);
}

bool RewriteGuard::mayRestore(KeptFile which, const fs::path& file) {
    const auto current = readWholeFile(file);
    if (!current && current.error().reason == kMissingFileReason) return true;
    if (!current) return dialogs_.show(notKeptQuestion(file, current.error())) == Answer::Yes;
    return keepOrAsk(which, file, current.value(), kRestore);
}

}  // namespace vexmoor
