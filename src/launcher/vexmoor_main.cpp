#include "launcher/vexmoor_main.h"

#include <system_error>

#include "core/file_io.h"
#include "core/paths.h"
#include "launcher/settings_file.h"
#include "roster/roster_file.h"

namespace vexmoor {

namespace fs = std::filesystem;

const std::vector<std::string>& TabStrip::tabs() {
    static const std::vector<std::string> tabs = {"Main", "Bots", "Maps", "Teamplay", "Gameplay", "Preferences"};
    return tabs;
}

PreferencesPage::PreferencesPage()
    : QuakePathLabel("QuakePathLabel", nativeSeparators("Directory containing Quake2 executable. (e.g. c:\\quake2\\)")) {}

VexmoorMain::VexmoorMain(Services services, Roster& roster)
    : WindowModel("VexmoorMain", "Vexmoor "),
      bots(services.alert),
      teamplay(roster, maps, services.dialogs),
      services_(services),
      roster_(roster) {
    StatusBar1.setCaption(kVersionText);
    BotTabStrip.onChange([this] { showPage(); });
    showPage();

    LaunchButton.onClick([this] { launch(); });
    LaunchMenu.onClick([this] { launch(); });
    ExitMenu.onClick([this] { services_.windows.quit(); });
    AboutMenu.onClick([this] { openAbout(); });
    preferences.QuakePathButton.onClick([this] { openBrowse(BrowseForm::Mode::MainWindow); });
    preferences.SaveChangesButton.onClick([this] { saveSettings(); });
    bots.BotEditButton.onClick([this] { openEditor(Editor::BotProfiles); });
    bots.EditChatButton.onClick([this] { openEditor(Editor::Chat); });
    maps.EditMapCycleButton.onClick([this] { openEditor(Editor::MapCycle); });
    teamplay.EditTeamButton.onClick([this] { openEditor(Editor::Teams); });
    setUpVersions();

    maps.onCtfChosen = [this] {
        if (teamplay.TeamplayCheckBox.state() != 1) return;
        services_.dialogs.inform("Teamplay disabled - selecting CTF.");
        teamplay.TeamplayCheckBox.setState(0);
    };
}

VexmoorMain::~VexmoorMain() = default;

void VexmoorMain::showPage() {
    Frame* pages[] = {&AboutTab, &bots.BotTab, &maps.MapTab, &teamplay.GameplayTab, &gameplay.ConsoleTab,
                      &preferences.PreferencesTab};
    for (int i = 0; i < 6; ++i) pages[i]->setVisible(BotTabStrip.value() == i + 1);
}

void VexmoorMain::reportUnreadable(const Error& error, const char* what, const char* consequence) {
    services_.dialogs.show(Message{std::string("Vexmoor could not use the ") + what + ".\r\n\r\n" +
                                       error.describe() + "\r\n\r\n" + consequence,
                                   kApplicationTitle, Icon::Exclamation, Buttons::Ok});
}

void VexmoorMain::startUp() {
    flags.total = 0;
    const auto status = readSettingsAtStart();
    if (!status && status.error().reason == kMissingFileReason) {
        services_.dialogs.show(Message{"Welcome! Please specify your Quake 2 directory.", "Welcome to Vexmoor",
                                       Icon::Exclamation, Buttons::Ok});
        setVisible(false);
        openBrowse(BrowseForm::Mode::FirstRun);
        return;
    }
    if (!status) {
        reportUnreadable(status.error(), "settings file",
                         "Vexmoor starts without them and reads no maps or bots; the settings file stays as it "
                         "is until you save settings.");
        return;
    }
    startUpSteps();
}

void VexmoorMain::prepareMapLists() {
    if (holdsOrdinaryFile(gamePath(gameDirectory(), "baseq2\\maps\\")))
        static_cast<void>(maps.MapFile.setFolder(gamePath(gameDirectory(), "baseq2\\maps")));
    if (maps.MapFile.count() > 0) maps.MapFile.setSelectedIndex(0);
    maps.MapList.setSelectedIndex(0);
    maps.CTFList.setSelectedIndex(0);
    maps.MapFrame.setFragment(" +map q2dm1");
}

void VexmoorMain::startUpSteps() {
    prepareMapLists();

    if (!readRosterAtStart()) return;
    bots.fillSpecificBots(roster_);
}

namespace {

const char* const kRosterUnread =
    "Vexmoor starts without its bots, and the bot and team editors stay closed so that they cannot write "
    "over the file.";

}  // namespace

bool VexmoorMain::readRosterAtStart() {
    // The tidy step hands back what the file holds, so the roster is read
    // from those bytes rather than from the file a second time; they are let
    // go before the bot list is filled.
    const fs::path roster = rosterPath(gameDirectory());
    const auto tidied = tidyRosterFile(roster, services_.dialogs, keepBeforeTidy(roster));
    if (!tidied) {
        reportUnreadable(tidied.error(), "roster file", kRosterUnread);
        return false;
    }
    if (auto status = readRosterBytes(tidied.value(), pathText(roster), roster_); !status) {
        reportUnreadable(status.error(), "roster file", kRosterUnread);
        return false;
    }
    rosterReadFrom_ = roster;
    if (rosterNotTidied_.empty()) rewrites_->remember(roster, tidied.value());
    return true;
}

void VexmoorMain::saveSettings() {
    const std::string& directory = gameDirectory();
    if (directory.empty() || directory.back() != kPathSeparator) {
        services_.dialogs.inform(
            nativeSeparators("Last character of Quake 2 .exe path needs to be a \\. Changes not saved."));
        return;
    }
    const fs::path file = services_.settings.settingsFile();
    if (const std::string offending = fieldWithDoubleQuote(*this); !offending.empty()) {
        services_.dialogs.show(Message{"The settings cannot hold a double quote (\"), but " + offending +
                                           " does. Please remove it. Changes not saved.",
                                       kApplicationTitle, Icon::Exclamation, Buttons::Ok});
        return;
    }
    // Asked before the map lists move, so that No leaves the window as it was.
    if (!rewrites_->mayRewrite(KeptFile::Settings, file, "Save Settings")) return;

    maps.MapList.setSelectedIndex(0);
    maps.MapFrame.setFragment(" +map " + maps.MapList.selectedText());
    const fs::path mapFolder = gamePath(directory, "baseq2\\maps");
    const auto listMaps = [&] {
        const Status listed = maps.MapFile.setFolder(mapFolder);
        if (listed && maps.MapFile.count() > 0) maps.MapFile.setSelectedIndex(0);
        return listed;
    };
    if (!listMaps()) {
        std::error_code error;
        if (!fs::exists(mapFolder, error)) {
            services_.dialogs.show(
                Message{nativeSeparators("[quakedir]\\baseq2\\maps path does not exist. Changes will be saved anyway."),
                        "Map path error", Icon::Exclamation, Buttons::Ok});
            static_cast<void>(listMaps());
        }
    }
    // Reselecting the lists above may leave the map of another type in the
    // launch; keep the map the chosen type shows.
    if (maps.CTFMapOption.chosen()) maps.MapFrame.setFragment(" +map " + maps.CTFList.selectedText());
    else if (maps.ExternalMapOption.chosen() && maps.MapFile.selectedIndex() >= 0)
        maps.MapFrame.setFragment(" +map " + MapsPage::mapNameOfFile(maps.MapFile.selectedText()));
    else maps.MapFrame.setFragment(" +map " + maps.MapList.selectedText());

    if (const Status written = writeSettingsFile(file, *this, flags.total); !written) {
        services_.dialogs.show(Message{"Changes were not saved.\r\n\r\n" + written.error().describe() +
                                           "\r\n\r\nThe settings file on disk is unchanged.",
                                       "Settings not saved", Icon::Critical, Buttons::Ok});
        return;
    }
    rewrites_->remember(file, settingsFileBytes(*this, flags.total));
    services_.dialogs.inform("Changes to .ini file saved. Please restart Vexmoor if you have made changes to your path.",
                             "Complete");
}

void VexmoorMain::registerEditor(Editor editor, EditorFactory factory) {
    editorFactories_[editor] = std::move(factory);
}

void VexmoorMain::openEditor(Editor editor) {
    struct Check {
        const char* file;
        const char* message;
    };
    static const std::map<Editor, Check> checks = {
        {Editor::BotProfiles, {"eraser\\bots.cfg", "There is no bots.cfg in path "}},
        {Editor::Chat, {"eraser\\chat.txt", "There is no chat.txt in path "}},
        {Editor::MapCycle, {"eraser\\maps.txt", "There is no maps.txt in path "}},
        {Editor::Teams, {"eraser\\bots.cfg", "There is no bots.cfg in path "}},
    };
    const Check& check = checks.at(editor);
    // A folder of that name is not the file the editor needs.
    if (!regularFileExists(gamePath(gameDirectory(), check.file))) {
        services_.dialogs.inform(check.message + gameDirectory() + "eraser.");
        return;
    }
    const auto factory = editorFactories_.find(editor);
    if (factory == editorFactories_.end()) return;
    if ((editor == Editor::BotProfiles || editor == Editor::Teams) && !rosterIsTheOneRead()) return;
    editor_ = factory->second(*this);
    if (editor_) openSideWindow(services_.windows, *this, *editor_);
}

// Whether the in-memory roster is the one the game directory's roster file
// holds. One read only in part, or not at all, or from another game
// directory, would be written over the file by the first Commit, Save or
// Delete, and the bots and teams it holds would be lost.
bool VexmoorMain::rosterIsTheOneRead() {
    if (!rosterNotTidied_.empty()) {
        services_.dialogs.show(Message{rosterNotTidied_, kApplicationTitle, Icon::Exclamation, Buttons::Ok});
        return false;
    }
    const fs::path file = rosterPath(gameDirectory());
    if (rosterReadFrom_ == file || sameFile(rosterReadFrom_, file)) return true;
    std::string why;
    if (rosterReadFrom_.empty())
        why = "Vexmoor did not read the roster file " + pathText(file) +
              " in full when it started, so its editors do not open: they would write the file back without "
              "the bots and teams it holds. Please mend the file (or the settings) and start Vexmoor again.";
    else
        why = "The roster Vexmoor read when it started came from " + pathText(rosterReadFrom_) +
              ", and the game directory has changed since. The bot and team editors would write it over " +
              pathText(file) + ", so they open again once Vexmoor has started anew and read that one.";
    services_.dialogs.show(Message{why, kApplicationTitle, Icon::Exclamation, Buttons::Ok});
    return false;
}

void VexmoorMain::closeEditor() {
    if (!editor_) return;
    closeSideWindow(services_.windows, *this, *editor_);
}

void VexmoorMain::openBrowse(BrowseForm::Mode mode) {
    BrowseForm::Actions actions;
    actions.chosen = [this](const std::string& directory) {
        preferences.ExePathText.setText(directory);
        closeBrowse();
    };
    actions.storeFirstRun = [this](const std::string& directory) { return storeFirstRun(directory); };
    actions.cancelled = [this, mode] {
        if (mode == BrowseForm::Mode::FirstRun) {
            services_.windows.close(*browseForm_);
            services_.windows.quit();
        } else {
            closeBrowse();
        }
    };
    browseForm_ = std::make_unique<BrowseForm>(mode, services_.dialogs, services_.drives, std::move(actions));
    if (mode == BrowseForm::Mode::MainWindow) openSideWindow(services_.windows, *this, *browseForm_);
    else services_.windows.open(*browseForm_);
}

void VexmoorMain::closeBrowse() { closeSideWindow(services_.windows, *this, *browseForm_); }

bool VexmoorMain::storeFirstRun(const std::string& directory) {
    preferences.ExePathText.setText(directory);
    const fs::path file = services_.settings.settingsFile();
    // A settings file another program made since the start is not replaced unasked.
    if (!rewrites_->mayRewrite(KeptFile::Settings, file, "Save Settings")) return false;
    if (const Status written = writeSettingsFile(file, *this, 0); !written) {
        services_.dialogs.show(Message{"The settings were not saved.\r\n\r\n" + written.error().describe() +
                                           "\r\n\r\nPlease choose another directory or try again.",
                                       "Settings not saved", Icon::Critical, Buttons::Ok});
        return false;
    }
    services_.dialogs.inform("New settings saved. Please restart Vexmoor.");
    services_.windows.close(*browseForm_);
    services_.windows.quit();
    return true;
}

void VexmoorMain::openAbout() {
    aboutForm_ = std::make_unique<AboutForm>([this] { closeAbout(); });
    openSideWindow(services_.windows, *this, *aboutForm_);
}

void VexmoorMain::closeAbout() { closeSideWindow(services_.windows, *this, *aboutForm_); }

}  // namespace vexmoor
