#include "launcher/home_page.h"

#include "launcher/game_summary.h"
#include "launcher/setup_apply.h"
#include "launcher/setup_store.h"
#include "launcher/vexmoor_main.h"

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

void HomePage::refresh() {
    const std::string directory = main_.gameDirectory();
    const auto title = main_.setups.mapTitles();
    const std::time_t now = std::time(nullptr);

    recent_ = main_.setups.recent().list(directory);
    std::vector<std::string> recentTexts;
    for (const RecentGame& game : recent_)
        recentTexts.push_back(gameSummary(game.setup, title) + kSummarySeparator + playedText(game.played, now));

    const SetupStore store = main_.setups.store();
    std::vector<std::string> names = store.names(directory);
    setupSummaries_.clear();
    for (const std::string& name : names)
        if (auto read = store.load(name, directory)) setupSummaries_[name] = gameSummary(read.value().setup, title);

    const std::string chosenSetup = HomeSetupsList.selectedIndex() >= 0 ? HomeSetupsList.selectedText() : "";
    RecentGamesList.setItems(std::move(recentTexts));
    HomeSetupsList.setItems(std::move(names));
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
