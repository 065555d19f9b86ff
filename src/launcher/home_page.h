#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/controls.h"
#include "setups/recent_games.h"

namespace vexmoor {

class VexmoorMain;

// The Main tab as the player's home: the games last played and the saved
// setups, each with its summary, to play again or to load onto the pages.
// One entry of the two lists is chosen at a time.
class HomePage {
public:
    explicit HomePage(VexmoorMain& main);

    Label RecentGamesLabel{"RecentGamesLabel", "Recent &games"};
    Label HomeSetupsLabel{"HomeSetupsLabel", "Sa&ved setups"};
    // The summaries of the recent games, newest first.
    ListBox RecentGamesList{"RecentGamesList", ListBox::Mode::Single};
    // The saved setups by name; their summaries are summaryOf().
    ListBox HomeSetupsList{"HomeSetupsList", ListBox::Mode::Single};
    Button PlayAgainButton{"PlayAgainButton", "&Play Again", "Starts the chosen game as it was set up."};
    Button LoadGameButton{"LoadGameButton", "&Load", "Puts the chosen game on the pages to change it."};
    // Shown while there is nothing to list.
    Label HomeEmptyLabel{"HomeEmptyLabel",
                         "The games you launch will be listed here, and the setups you save under "
                         "File, Game Setups."};

    // What the home lists, read from the files alone, so that it can be
    // read on another thread than the window's (the map titles come from the
    // map library, which allows that).
    struct Contents {
        std::vector<RecentGame> recent;
        std::vector<std::string> recentTexts;
        std::vector<std::string> setups;
        std::map<std::string, std::string> summaries;
    };
    Contents read(const std::string& gameDirectory) const;
    // Lists what was read.
    void show(Contents contents);
    // How many times the home has been listed: what was read before a later
    // listing is older than what that listing showed.
    std::uint64_t shows() const { return shows_; }
    // Reads the recent games and the setups of the game directory afresh.
    void refresh() { show(read(gameDirectory())); }
    // The game directory whose games the home lists.
    const std::string& gameDirectory() const;

    // A saved setup's summary, or empty.
    std::string summaryOf(const std::string& setup) const;
    const std::vector<RecentGame>& recentGames() const { return recent_; }

    // A recent game onto the pages, launched when asked, as Play Again and
    // File, Recent Games do; what cannot be applied is told first.
    void playRecent(std::size_t index, bool launch);

private:
    void chosen(ListBox& list, ListBox& other);
    void play(bool launch);

    VexmoorMain& main_;
    std::vector<RecentGame> recent_;
    std::map<std::string, std::string> setupSummaries_;
    std::uint64_t shows_ = 0;
};

}  // namespace vexmoor
