#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "core/controls.h"
#include "core/ports.h"
#include "core/window_model.h"
#include "history/rewrite_guard.h"
#include "history/version_store.h"
#include "history/versions_form.h"
#include "launcher/about_form.h"
#include "launcher/browse_form.h"
#include "launcher/cmd_line_form.h"
#include "launcher/game_places.h"
#include "launcher/game_setups.h"
#include "launcher/home_page.h"
#include "options/bots_page.h"
#include "options/deathmatch_flags.h"
#include "options/gameplay_page.h"
#include "options/maps_page.h"
#include "options/teamplay_page.h"
#include "roster/roster.h"

namespace vexmoor {

// What the main window talks to outside the core.
struct Services {
    Dialogs& dialogs;
    Windows& windows;
    Alert& alert;
    ProcessStarter& processes;
    const SettingsLocation& settings;
    const Drives& drives;
    // Where the chooser looks for games when it opens; without it, nowhere.
    const GamePlaces* gamePlaces = nullptr;
};

// The tab strip: the selected tab, 1 to 6.
class TabStrip : public ValueControl<int> {
public:
    TabStrip() : ValueControl("BotTabStrip", 1) {}
    static const std::vector<std::string>& tabs();
};

class PreferencesPage {
public:
    Frame PreferencesTab{"PreferencesTab"};
    Button QuakePathButton{"QuakePathButton", "Browse"};
    Button SaveChangesButton{"SaveChangesButton", "Save Settings", "Saves path and Gameplay settings."};
    TextBox ExePathText{"ExePathText", "", "Path to Quake 2 directory."};
    Label QuakePathLabel{"QuakePathLabel"};
    PreferencesPage();
};

// The main window: its pages, menus and the operations behind them.
class VexmoorMain : public WindowModel {
public:
    VexmoorMain(Services services, Roster& roster);
    ~VexmoorMain() override;

    // The start-up sequence, run once before the window is shown. On a first
    // run the window stays hidden and the chooser opens.
    void startUp();
    // The same in two halves, so that the window can be built while the game
    // directory's files are read: the first reads the settings and starts
    // reading the map folder and the roster on a second thread; the second
    // waits for them and applies them as the sequence would have, messages
    // included. startUp() is the one after the other.
    void beginStartUp();
    void finishStartUp();

    TabStrip BotTabStrip;
    Frame AboutTab{"AboutTab"};
    Label Image1{"Image1"};
    Button LaunchButton{"LaunchButton", "Launch!", "Launches Quake 2"};
    Label StatusBar1{"StatusBar1"};
    Control FileMenu{"FileMenu", "&File"};
    Button LaunchMenu{"LaunchMenu", "&Launch"};
    Button SetupsMenu{"SetupsMenu", "Game &Setups..."};
    Button VersionsMenu{"VersionsMenu", "Earlier &Versions..."};
    Button ExitMenu{"ExitMenu", "E&xit"};
    Control HelpMenu{"HelpMenu", "&Help"};
    Button AboutMenu{"AboutMenu", "&About"};

    DeathmatchFlags flags;
    GameplayPage gameplay{flags};
    BotsPage bots;
    MapsPage maps{flags};
    TeamplayPage teamplay;
    PreferencesPage preferences;
    // Saved games: File, Game Setups, "Last game" and the command line.
    GameSetups setups{*this};
    // The Main tab: recent games and saved setups.
    HomePage home{*this};
    Control RecentGamesMenu{"RecentGamesMenu", "&Recent Games"};

    // The game directory text, read afresh at each use.
    const std::string& gameDirectory() const { return preferences.ExePathText.text(); }
    Roster& roster() { return roster_; }
    const Roster& roster() const { return roster_; }

    // The side windows last opened. A closed one is kept until the next
    // opens, since it is often closed from inside its own button handler.
    BrowseForm* browseForm() { return browseForm_.get(); }
    CmdLineForm* cmdLineForm() { return cmdLineForm_.get(); }
    AboutForm* aboutForm() { return aboutForm_.get(); }
    VersionsForm* versionsForm() { return versionsForm_.get(); }

    // What every rewrite of the roster, chat, map cycle and settings files
    // goes through, and where their earlier versions are kept.
    RewriteGuard& rewrites() { return *rewrites_; }

    // The four editors that open after their file check; an editor that is
    // not registered opens nothing.
    enum class Editor { BotProfiles, Chat, MapCycle, Teams };
    using EditorFactory = std::function<std::unique_ptr<WindowModel>(VexmoorMain&)>;
    void registerEditor(Editor editor, EditorFactory factory);
    WindowModel* editor() { return editor_.get(); }
    // Closes the open editor and gives the main window back.
    void closeEditor();

    void closeRequested() override { ExitMenu.click(); }

    Services& services() { return services_; }

private:
    struct GameFiles;
    class GameFilesReading;

    void showPage();
    void prepareMapLists(GameFiles& files);
    bool readRosterAtStart(GameFiles& files);
    void saveSettings();
    void openEditor(Editor editor);
    void openBrowse(BrowseForm::Mode mode);
    void closeBrowse();
    void openAbout();
    void closeAbout();
    void launch();
    bool gameFindsTheChosen();
    bool writeRosterForLaunch();
    void exit();
    void goFromReview(const std::string& commandLine);
    void returnFromReview();
    bool startGame(const std::string& commandLine);
    bool storeFirstRun(const std::string& directory);
    void reportUnreadable(const Error& error, const char* what, const char* consequence);
    bool rosterIsTheOneRead();
    // Earlier versions (vexmoor_main_versions.cpp).
    void setUpVersions();
    Status readSettingsAtStart();
    std::function<Status(std::string_view)> keepBeforeTidy();
    void leftUntidied(const std::filesystem::path& roster, const Error& why);
    void openVersions();
    void readRestored(KeptFile file, const std::filesystem::path& path, const std::string& bytes);

    Services services_;
    Roster& roster_;
    // The roster file the in-memory roster was read from in full (at
    // start-up, or restored since); empty when there is none. The bot and
    // team editors write the roster back to this file, so they open only
    // while it is the one the game directory in force names.
    std::filesystem::path rosterReadFrom_;
    // The game directory's files being read while the window is built.
    std::unique_ptr<GameFilesReading> reading_;
    // Why start-up left the roster file untidied (it could not keep its
    // earlier version first); while set, the bot and team editors do not write it.
    std::string rosterNotTidied_;
    std::unique_ptr<VersionStore> versionStore_;
    std::unique_ptr<RewriteGuard> rewrites_;
    std::unique_ptr<VersionsForm> versionsForm_;
    std::unique_ptr<BrowseForm> browseForm_;
    std::unique_ptr<CmdLineForm> cmdLineForm_;
    std::unique_ptr<AboutForm> aboutForm_;
    std::unique_ptr<WindowModel> editor_;
    // Whether editor_ is on screen: it is kept after it closed.
    bool editorOpen_ = false;
    std::map<Editor, EditorFactory> editorFactories_;
};

}  // namespace vexmoor
