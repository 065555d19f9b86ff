// The main window's part in keeping earlier versions: the store and the
// guard every rewrite goes through, what start-up remembers of the files it
// reads, the tidy step's earlier version, and the Earlier Versions window.
#include "core/ports.h"
#include "history/version_summary.h"
#include "launcher/settings_file.h"
#include "launcher/vexmoor_main.h"
#include "roster/roster_file.h"

namespace vexmoor {

namespace fs = std::filesystem;

void VexmoorMain::setUpVersions() {
    versionStore_ = std::make_unique<VersionStore>(services_.settings.versionsFolder());
    rewrites_ = std::make_unique<RewriteGuard>(
        *versionStore_, services_.dialogs, [this] { return gameDirectory(); }, versionSummary);
    VersionsMenu.onClick([this] { openVersions(); });
}

// As readSettingsFile, remembering what the file held (or that there was none).
Status VexmoorMain::readSettingsAtStart() {
    const fs::path file = services_.settings.settingsFile();
    const auto bytes = readWholeFile(file);
    if (!bytes) {
        if (bytes.error().reason == kMissingFileReason) rewrites_->rememberMissing(file);
        return bytes.status();
    }
    rewrites_->remember(file, bytes.value());
    return applySettingsBytes(bytes.value(), pathText(file), *this);
}

// The tidy step keeps the roster as it was before it drops a line. When that
// cannot be done it asks nothing: the file stays as it is, the roster is read
// from its tidied lines all the same, the user is told once, and the bot and
// team editors leave the file alone for the rest of the run. The keeping
// runs on start-up's second thread; the telling on the window's.
std::function<Status(std::string_view)> VexmoorMain::keepBeforeTidy() {
    return [guard = rewrites_.get(), roster = rosterPath(gameDirectory())](std::string_view bytes) {
        return guard->keep(KeptFile::Roster, roster, bytes, kStartUpTidy);
    };
}

void VexmoorMain::leftUntidied(const fs::path& roster, const Error& why) {
    const std::string file = pathText(roster);
    services_.dialogs.show(Message{
        "Vexmoor could not keep an earlier version of " + file +
            " before tidying it, so the file stays as it is; the bots and teams are read from its tidied "
            "lines all the same.\r\n\r\n" +
            why.describe() +
            "\r\n\r\nThe bot and team editors do not write the file until Vexmoor starts again and can "
            "keep its earlier version.",
        "Earlier version not kept", Icon::Exclamation, Buttons::Ok});
    rosterNotTidied_ = "Vexmoor could not keep an earlier version of " + file +
                       " when it started, so it left the file untidied, and the bot and team editors do not "
                       "write it in this run. Please start Vexmoor again once its versions folder (" +
                       pathText(versionStore_->root()) + ") can be written.";
}

void VexmoorMain::openVersions() {
    VersionsForm::Host host{*rewrites_,
                            services_.dialogs,
                            gameDirectory(),
                            services_.settings.settingsFile(),
                            [this](KeptFile file, const fs::path& path, const std::string& bytes) {
                                readRestored(file, path, bytes);
                            },
                            [this] { closeSideWindow(services_.windows, *this, *versionsForm_); }};
    versionsForm_ = std::make_unique<VersionsForm>(std::move(host));
    openSideWindow(services_.windows, *this, *versionsForm_);
}

// The program goes on with what was restored. A roster is read as the next
// start will read it, from its tidied lines, but the file stays byte for byte
// as restored; the main window's bot and team lists follow it, and the bot
// and team editors write it back only to the file it came from, only while
// its game directory is the one in force (restored settings may name another).
void VexmoorMain::readRestored(KeptFile file, const fs::path& path, const std::string& bytes) {
    if (file == KeptFile::Settings) {
        if (const Status applied = applySettingsBytes(bytes, pathText(path), *this); !applied)
            reportUnreadable(
                applied.error(), "restored settings file",
                "The controls before the field that could not be read show the restored settings.");
        return;
    }
    if (file != KeptFile::Roster) return;
    rosterNotTidied_.clear();
    bots.SpecificBotList.keepOwnCopy();  // the old names until the list is refilled below
    if (const Status read = readRosterBytes(tidiedRosterBytes(bytes), pathText(path), roster_); read) {
        rosterReadFrom_ = path;
    } else {
        roster_.clear();
        rosterReadFrom_.clear();
        reportUnreadable(
            read.error(), "restored roster file",
            "Vexmoor goes on without its bots, and the bot and team editors stay closed so that they "
            "cannot write over the file.");
    }
    bots.fillSpecificBots(roster_);
    // Team play shows the roster's teams: switched on again, it lists the restored ones.
    if (teamplay.TeamplayCheckBox.state() == 1) {
        teamplay.switchOff();
        teamplay.TeamplayCheckBox.setState(1);
    }
}

}  // namespace vexmoor
