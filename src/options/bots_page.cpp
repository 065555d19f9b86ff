#include "options/bots_page.h"

#include <algorithm>
#include <string>

#include "core/number_text.h"
#include "options/deathmatch_flags.h"

namespace vexmoor {

BotsPage::BotsPage(Alert& alert) : alert_(alert) {
    BotNumberFrame.setFragment(" +bot_num 1");
    BotSkillFrame.setFragment(" +skill 0");
    setSpecificEnabled(false);
    chosenCountLink_ = SpecificBotList.changed().connect([this] {
        SpecificBotCountLabel.setCaption(std::to_string(SpecificBotList.selectedCount()) + " of " +
                                         std::to_string(SpecificBotList.count()) + " bots chosen");
    });

    BotAutoskillCheck.setFragment(" +set bot_auto_skill 1");
    wireNumberFragment(BotAutoskillCheck, " +set bot_auto_skill ");

    BotNumScroll.onChange([this] { BotNumText.setText(std::to_string(BotNumScroll.value())); });
    BotNumText.onChange([this] { countTextChanged(); });

    SpawnRandomBotsOption.onChange([this] {
        if (!SpawnRandomBotsOption.chosen()) return;
        BotNumberFrame.setEnabled(true);
        setSpecificEnabled(false);
        BotNumberFrame.setFragment(" +bot_num " + BotNumText.text());
        BotNumLabel.setEnabled(true);
        BotNumScroll.setEnabled(true);
        BotNumText.setEnabled(true);
    });
    SpawnSpecificBotsOption.onChange([this] {
        if (!SpawnSpecificBotsOption.chosen()) return;
        BotNumberFrame.setEnabled(false);
        BotNumberFrame.setFragment({});
        setSpecificEnabled(true);
        BotNumLabel.setEnabled(false);
        BotNumScroll.setEnabled(false);
        BotNumText.setEnabled(false);
    });

    BotSkillSlider.onChange([this] {
        const int position = BotSkillSlider.value();
        if (position >= 0 && position <= 3) BotSkillLabel.setCaption(skillName(position));
        BotSkillFrame.setFragment(" +skill " + numberText(position));
    });
}

// The list's filter and count line go with the list.
void BotsPage::setSpecificEnabled(bool enabled) {
    SpawnSpecificBotsFrame.setEnabled(enabled);
    SpecificBotList.setEnabled(enabled);
    SpecificBotFilter.setEnabled(enabled);
    SpecificBotCountLabel.setEnabled(enabled);
}

// Setting the scroll bar rewrites the text, and a rewritten text that differs
// from what was typed runs this rule again from the start before we go on.
void BotsPage::countTextChanged() {
    const double count = leadingNumber(BotNumText.text());
    if (count >= 0 && count <= 30) {
        BotNumScroll.setValue(static_cast<int>(roundHalfEven(count)));
    } else {
        alert_.beep();
        BotNumText.setText("0");
        BotNumScroll.setValue(0);
    }
    BotNumberFrame.setFragment(" +set bot_num " + BotNumText.text());
}

void BotsPage::fillSpecificBots(const Roster& roster) {
    // Read from the roster where they are: a roster may hold 32,767 bots.
    SpecificBotList.showEntriesOf(roster.BotNames,
                                  static_cast<std::size_t>(std::max<int>(roster.BotCount, 0)));
}

const char* BotsPage::skillName(int position) {
    static const char* const names[] = {"Easy", "Medium", "Hard", "Nightmare"};
    return position >= 0 && position <= 3 ? names[position] : "";
}

}  // namespace vexmoor
