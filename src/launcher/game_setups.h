#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "setups/recent_games.h"
#include "setups/setup_store.h"

namespace vexmoor {

class SetupsForm;
class VexmoorMain;

// The main window's game setups: the File menu's "Game Setups..." window,
// the "Last game" kept at every start of the game, and loading a setup by
// name, from that window or from the command line.
class GameSetups {
public:
    explicit GameSetups(VexmoorMain& main);
    ~GameSetups();
    GameSetups(const GameSetups&) = delete;
    GameSetups& operator=(const GameSetups&) = delete;

    // The setups folder the settings location names.
    SetupStore store() const;
    // The games last started, in their folder inside the setups folder.
    RecentGames recent() const;
    // Map titles for the games' summaries, as the map lists show them.
    std::function<std::string(const std::string&)> mapTitles() const;

    // Called whenever the setups or recent games may have changed (a game
    // started, the Game Setups window closed), so the home can list them anew.
    void onChanged(std::function<void()> changed) { changed_ = std::move(changed); }

    // The Game Setups window while it is open (or the one last closed).
    SetupsForm* form() { return form_.get(); }

    // Saves the main window's game under a name, replacing a setup of
    // that name.
    Status save(const std::string& name) const;

    // The game has started: it is kept as the setup "Last game". A failure
    // is told; the game runs all the same.
    void gameStarted();

    // Reads the setup of that name for the game directory and applies it to
    // the main window (closing the Game Setups window first when it is
    // open). Nothing when it could not be read, which has been told; else
    // what could not be applied.
    std::optional<std::vector<std::string>> apply(const std::string& name);

    // After apply(): tells in one message what could not be applied, if
    // anything, and otherwise launches when asked, exactly as Launch! does.
    // A setup that came back only in part is not launched, so that the
    // player sees what is missing first.
    void finish(const std::string& name, const std::vector<std::string>& missed, bool launch);

    // Both, as the window's Load and "Load and Launch" do.
    void load(const std::string& name, bool launch);

    // apply() for a setup file outside the named setups (a recent game);
    // `name` is how messages name it.
    std::optional<std::vector<std::string>> applyFile(const std::filesystem::path& file, const std::string& name);

private:
    void open();
    void close();

    std::optional<std::vector<std::string>> applyRead(Result<SetupRead> read, const std::string& name);
    void changed() const {
        if (changed_) changed_();
    }

    VexmoorMain& main_;
    std::function<void()> changed_;
    std::unique_ptr<SetupsForm> form_;
    bool open_ = false;
};

}  // namespace vexmoor
