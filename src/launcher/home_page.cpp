#include "launcher/home_page.h"

#include "launcher/setup_apply.h"
#include "launcher/vexmoor_main.h"
#include "setups/game_summary.h"
#include "setups/setup_store.h"

namespace vexmoor {

HomePage::HomePage(VexmoorMain& main) : main_(main) {
    for (ListBox* list : {&RecentGamesList, &HomeSetupsList}) list->setNoneAllowed(true);
    RecentGamesList.onChange([this] { chosen(RecentGamesList, HomeSetupsList); });
    HomeSetupsList.onChange([this] { chosen(HomeSetupsList, RecentGamesList); });
    PlayAgainButton.onClick([this] { play(true); });
    LoadGameButton.onClick([this] { play(false); });
    for (Button* button : {&PlayAgainButton, &LoadGameButton}) button->setEnabled(false);
    HomeEmptyLabel.setVisible(false);
    main_.setups.onChanged([this] { refresh(); });
}

HomePage::Contents HomePage::read(const std::string& directory) const {
    const auto title = main_.setups.mapTitles();
    const std::time_t now = std::time(nullptr);
    Contents contents;
    contents.recent = main_.setups.recent().list(directory);
    for (const RecentGame& game : contents.recent)
        contents.recentTexts.push_back(gameSummary(game.setup, title) + kSummarySeparator +
                                       playedText(game.played, now));
    const SetupStore store = main_.setups.store();
    contents.setups = store.names(directory);
    for (const std::string& name : contents.setups)
        if (auto setup = store.load(name, directory))
            contents.summaries[name] = gameSummary(setup.value().setup, title);
    return contents;
}

const std::string& HomePage::gameDirectory() const { return main_.gameDirectory(); }

void HomePage::show(Contents contents) {
    ++shows_;
    recent_ = std::move(contents.recent);
    setupSummaries_ = std::move(contents.summaries);
    const std::string chosenSetup = HomeSetupsList.selectedIndex() >= 0 ? HomeSetupsList.selectedText() : "";
    RecentGamesList.setItems(std::move(contents.recentTexts));
    HomeSetupsList.setItems(std::move(contents.setups));
    // A setup chosen before stays chosen under its name.
    const auto& listed = HomeSetupsList.items();
    for (std::size_t i = 0; i < listed.size(); ++i)
        if (!chosenSetup.empty() && listed[i] == chosenSetup) HomeSetupsList.setSelectedIndex(static_cast<int>(i));
    HomeEmptyLabel.setVisible(RecentGamesList.count() == 0 && HomeSetupsList.count() == 0);
    chosen(HomeSetupsList, RecentGamesList);
}

std::string HomePage::summaryOf(const std::string& setup) const {
    const auto found = setupSummaries_.find(setup);
    return found == setupSummaries_.end() ? std::string() : found->second;
}

void HomePage::chosen(ListBox& list, ListBox& other) {
    if (list.selectedIndex() >= 0 && other.selectedIndex() >= 0) other.setSelectedIndex(-1);
    const bool any = RecentGamesList.selectedIndex() >= 0 || HomeSetupsList.selectedIndex() >= 0;
    for (Button* button : {&PlayAgainButton, &LoadGameButton}) button->setEnabled(any);
}

void HomePage::play(bool launch) {
    if (const int recent = RecentGamesList.selectedIndex(); recent >= 0) {
        playRecent(static_cast<std::size_t>(recent), launch);
        return;
    }
    if (HomeSetupsList.selectedIndex() < 0) return;
    const std::string name = HomeSetupsList.selectedText();
    const auto missed = main_.setups.apply(name);
    if (!missed) {
        refresh();
        return;
    }
    main_.setups.finish(name, *missed, launch);
    // What a game loaded to be changed needs least to change is its bots.
    if (!launch) main_.BotTabStrip.setValue(2);
}

void HomePage::playRecent(std::size_t index, bool launch) {
    if (index >= recent_.size()) return;
    // Copies: applying the game may list the recent games anew.
    const std::filesystem::path file = recent_[index].file;
    const std::string name = "Recent game of " + playedText(recent_[index].played, std::time(nullptr));
    const auto missed = main_.setups.applyFile(file, name);
    if (!missed) {
        refresh();
        return;
    }
    main_.setups.finish(name, *missed, launch);
    if (!launch) main_.BotTabStrip.setValue(2);
}

}  // namespace vexmoor
