#include "roster/new_bot_name.h"

#include <utility>
#include <vector>

#include "roster/game_rules.h"

namespace vexmoor {

NewBotName::NewBotName(Roster& roster, Dialogs& dialogs, std::function<void()> added,
                       std::function<void()> cancelled)
    : WindowModel("NewBotName", "Add New Bot"), roster_(roster), dialogs_(dialogs), added_(std::move(added)) {
    NewBotWarningLabel.setVisible(false);
    NewBotNameText.onChange([this] { showWarnings(); });
    AddBotButton.onClick([this] { addBot(); });
    CancelAddBotButton.onClick([cancelled = std::move(cancelled)] { cancelled(); });
}

std::optional<std::string> NewBotName::unwritableNameReason(std::string_view name) {
    // The file has no escape for a quote inside a quoted field, a record is
    // one line, and a record whose first item begins with "[" reads back as a
    // section header.
    if (name.find('"') != std::string_view::npos)
        return "The name holds a double quote (\"), which the roster file bots.cfg cannot hold.";
    if (name.find('\n') != std::string_view::npos)
        return "The name holds a line break, which the roster file bots.cfg cannot hold.";
    if (!name.empty() && name.front() == '[')
        return "The name begins with \"[\", which the roster file bots.cfg would read as the start of a "
               "section.";
    return std::nullopt;
}

void NewBotName::showWarnings() {
    const std::string& name = NewBotNameText.text();
    std::vector<std::string> lines;
    if (const auto reason = unwritableNameReason(name)) lines.push_back(*reason);
    for (std::string& warning : game_rules::botNameWarnings(name)) lines.push_back(std::move(warning));
    std::string caption;
    for (const std::string& line : lines) caption += (caption.empty() ? "" : "\n") + line;
    NewBotWarningLabel.setCaption(caption);
    NewBotWarningLabel.setVisible(!caption.empty());
}

void NewBotName::addBot() {
    const std::string name = NewBotNameText.text();
    if (name.empty()) {
        dialogs_.inform("Your new bot must have a name. It would cry without one.");
        return;
    }
    if (const auto reason = unwritableNameReason(name)) {
        dialogs_.inform(*reason + " Please choose another name; no bot was added.", kApplicationTitle,
                        Icon::Exclamation);
        return;
    }
    if (roster_.BotCount >= kMaxRosterCount) {
        dialogs_.inform("The roster already holds " + std::to_string(kMaxRosterCount) +
                            " bots, the most it can hold. Delete a bot before adding another; no bot was "
                            "added.",
                        kApplicationTitle, Icon::Exclamation);
        return;
    }

    const auto i = static_cast<std::size_t>(roster_.BotCount);
    roster_.resizeBots(i + 2);
    roster_.BotNames.set(i, name);
    roster_.BotModelSkins.set(i, NewBotDefaults::modelSkin);
    roster_.BotModels[i] = NewBotDefaults::model;
    roster_.BotSkins[i] = NewBotDefaults::skin;
    roster_.BotAccuracy[i] = RosterValue::number(NewBotDefaults::accuracy);
    roster_.BotAgressiveness[i] = RosterValue::number(NewBotDefaults::aggressiveness);
    roster_.BotCombatSkills[i] = RosterValue::number(NewBotDefaults::combatSkills);
    roster_.BotFavoriteWeapon[i] = RosterValue::number(NewBotDefaults::favoriteWeapon);
    roster_.BotQuadFreak[i] = RosterValue::number(NewBotDefaults::quadFreak);
    roster_.BotCamper[i] = RosterValue::number(NewBotDefaults::camper);
    roster_.BotPing[i] = RosterValue::number(NewBotDefaults::ping);
    ++roster_.BotCount;

    dialogs_.inform("New bot has been added with default values. Edit the bot with the Edit Bot button.");
    added_();
}

}  // namespace vexmoor
