#include "launcher/vexmoor_main.h"

#include <future>
#include <optional>
#include <system_error>
#include <utility>

#include "core/paths.h"
#include "core/ports.h"
#include "launcher/settings_file.h"
#include "roster/roster_file.h"

namespace vexmoor {

namespace fs = std::filesystem;

// What start-up reads from the game directory: the files of the map folder
// and the roster, tidied and read into a roster of its own. Only files are
// touched, so it runs beside the building of the window; what it found is
// applied, and told, on the window's thread.
struct VexmoorMain::GameFiles {
    std::filesystem::path mapFolder;
    std::optional<std::vector<std::string>> mapFiles;  // when the folder holds a file and could be listed
    std::filesystem::path rosterFile;
    Result<TidiedRoster> tidied = TidiedRoster{};
    // What the file holds once start-up is done with it, for the outside-change check.
    ContentPrint rosterPrint;
    // Why the earlier version could not be kept, so the file was left untidied.
    std::optional<Error> versionNotKept;
    Status read;
    Roster roster;
};

class VexmoorMain::GameFilesReading {
public:
    // keep: keeps the bytes a tidy would replace as an earlier version.
    // The maps are listed beside the roster's reading, each on a thread of
    // its own: on a big game directory either takes milliseconds.
    GameFilesReading(const std::string& gameDirectory, const std::string& mapExtension,
                     std::function<Status(std::string_view)> keep)
        : mapFiles_(std::async(std::launch::async, [gameDirectory, mapExtension] {
              return listMapFiles(gameDirectory, mapExtension);
          })),
          files_(std::async(std::launch::async, [gameDirectory, keep = std::move(keep)] {
              GameFiles files;
              files.mapFolder = gamePath(gameDirectory, "baseq2\\maps");
              files.rosterFile = rosterPath(gameDirectory);
              files.tidied = tidyRosterFileQuietly(files.rosterFile, [&files, &keep](std::string_view bytes) {
                  const Status kept = keep(bytes);
                  if (kept) return true;
                  // The file stays as it is, and that is what was read.
                  files.versionNotKept = kept.error();
                  files.rosterPrint = printOf(bytes);
                  return false;
              });
              if (!files.tidied) return files;
              if (!files.versionNotKept) files.rosterPrint = printOf(files.tidied.value().bytes);
              // The bytes are let go as soon as the roster is read from them.
              files.read = readRosterBytes(std::exchange(files.tidied.value().bytes, {}),
                                           pathText(files.rosterFile), files.roster);
              return files;
          })) {}
    ~GameFilesReading() {
        if (mapFiles_.valid()) mapFiles_.wait();
        if (files_.valid()) files_.wait();
    }
    GameFiles take() {
        GameFiles files = files_.get();
        files.mapFiles = mapFiles_.get();
        return files;
    }

private:
    // When the folder holds a file and could be listed.
    static std::optional<std::vector<std::string>> listMapFiles(const std::string& gameDirectory,
                                                                const std::string& extension) {
        if (!holdsOrdinaryFile(gamePath(gameDirectory, "baseq2\\maps\\"))) return std::nullopt;
        auto names = FileList::listFolder(gamePath(gameDirectory, "baseq2\\maps"), extension);
        if (!names) return std::nullopt;
        return std::move(names).value();
    }

    std::future<std::optional<std::vector<std::string>>> mapFiles_;
    std::future<GameFiles> files_;
};

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
    maps.mapFiles.setGameDirectory([this] { return gameDirectory(); });
    BotTabStrip.onChange([this] { showPage(); });
    showPage();

    LaunchButton.onClick([this] { launch(); });
    LaunchMenu.onClick([this] { launch(); });
    ExitMenu.onClick([this] { exit(); });
    AboutMenu.onClick([this] { openAbout(); });
    preferences.QuakePathButton.onClick([this] { openBrowse(BrowseForm::Mode::MainWindow); });
    // The game directory text runs no rule of its own; only the map preview follows it.
    preferences.ExePathText.onChange([this] { maps.gameDirectoryChanged(); });
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
    beginStartUp();
    finishStartUp();
}

void VexmoorMain::beginStartUp() {
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
    reading_ = std::make_unique<GameFilesReading>(gameDirectory(), maps.MapFile.extension(), keepBeforeTidy());
}

void VexmoorMain::finishStartUp() {
    if (!reading_) return;
    GameFiles files = std::exchange(reading_, nullptr)->take();
    prepareMapLists(files);
    if (!readRosterAtStart(files)) return;
    bots.fillSpecificBots(roster_);
}

void VexmoorMain::prepareMapLists(GameFiles& files) {
    if (files.mapFiles) maps.MapFile.showListed(files.mapFolder, std::move(*files.mapFiles));
    if (maps.MapFile.count() > 0) maps.MapFile.setSelectedIndex(0);
    maps.MapList.setSelectedIndex(0);
    maps.CTFList.setSelectedIndex(0);
    maps.MapFrame.setFragment(" +map q2dm1");
}

namespace {

const char* const kRosterUnread =
    "Vexmoor starts without its bots, and the bot and team editors stay closed so that they cannot write "
    "over the file.";

}  // namespace

bool VexmoorMain::readRosterAtStart(GameFiles& files) {
    // The tidy step handed back what the file holds, so the roster was read
    // from those bytes rather than from the file a second time.
    if (!files.tidied) {
        reportUnreadable(files.tidied.error(), "roster file", kRosterUnread);
        return false;
    }
    if (files.tidied.value().created)
        services_.dialogs.inform(kRosterCreatedMessage, kApplicationTitle, Icon::Exclamation);
    rewrites_->remember(files.rosterFile, files.rosterPrint);
    if (files.versionNotKept) leftUntidied(files.rosterFile, *files.versionNotKept);
    // What was read before a failure stays in the roster.
    roster_ = std::move(files.roster);
    if (!files.read) {
        reportUnreadable(files.read.error(), "roster file", kRosterUnread);
        return false;
    }
    rosterReadFrom_ = files.rosterFile;
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
    if (!editor_) return;
    // Ctrl+Q in the editor is File, Exit, with the editor's question first.
    editor_->onQuitRequest([this] { ExitMenu.click(); });
    editorOpen_ = true;
    openSideWindow(services_.windows, *this, *editor_);
}

// An open editor is left the way its frame's close button leaves it, asking
// about changes not written; when it stays open, so does the program.
void VexmoorMain::exit() {
    if (editor_ && editorOpen_) {
        editor_->closeRequested();
        if (editorOpen_) return;
    }
    services_.windows.quit();
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
        why = "The roster Vexmoor holds was read from " + pathText(rosterReadFrom_) +
              ", and the game directory is now " + gameDirectory() +
              ". The bot and team editors would write it over " + pathText(file) +
              ", so they open again once Vexmoor has started anew and read that one.";
    services_.dialogs.show(Message{why, kApplicationTitle, Icon::Exclamation, Buttons::Ok});
    return false;
}

void VexmoorMain::closeEditor() {
    if (!editor_) return;
    editorOpen_ = false;
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
            services_.dialogs.show(
                Message{"No settings were written. Vexmoor keeps them in " +
                            pathText(services_.settings.settingsFile()) +
                            " once you choose the game directory; the next start asks for it again.",
                        kApplicationTitle, Icon::Information, Buttons::Ok});
            services_.windows.close(*browseForm_);
            services_.windows.quit();
        } else {
            closeBrowse();
        }
    };
    if (const GamePlaces* places = services_.gamePlaces)
        actions.findGames = [places](std::stop_token stop) {
            SearchLimits limits;
            limits.stop = std::move(stop);
            return findGames(*places, limits);
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
