#include "launcher/setup_apply.h"

#include <initializer_list>

#include "core/paths.h"
#include "core/ports.h"
#include "launcher/vexmoor_main.h"

namespace vexmoor {

namespace {

// The fragment holders, in the order the launch joins them.
std::vector<Control*> fragmentHolders(VexmoorMain& main) {
    auto& g = main.gameplay;
    auto& b = main.bots;
    return {&b.BotSkillFrame,          &main.teamplay.TeamplayFrame, &main.maps.MapFrame,
            &g.BotConnectInfoCheckBox, &g.ClientCommandsCheckBox,    &b.BotAutoskillCheck,
            &b.BotNumberFrame,         &g.ViewableWeaponsCheckBox,   &g.AllowCheatsCheckBox,
            &g.BotCalcNodesCheck,      &b.SpawnSpecificBotsFrame,    &g.TimelimitCheckBox,
            &g.FraglimitCheckBox,      &g.DedicatedCheckBox};
}

// The gameplay page's boxes and texts in the settings file's order, each
// limit box before its text, as start-up restores them.
std::vector<Control*> gameplayControls(GameplayPage& g) {
    std::vector<Control*> controls;
    for (CheckBox* box : g.flagBoxes()) controls.push_back(box);
    for (Control* control : std::initializer_list<Control*>{
             &g.ViewableWeaponsCheckBox, &g.CloseOnExitCheckBox, &g.CommandLineEditCheck,
             &g.DedicatedCheckBox, &g.TimelimitCheckBox, &g.TimeLimitText, &g.FraglimitCheckBox,
             &g.FragLimitText, &g.MaxPlayersCheckBox, &g.MaxPlayersText, &g.BotFreeClientsText,
             &g.ClientLatencyText, &g.ClientCommandsCheckBox, &g.BotConnectInfoCheckBox,
             &g.AllowCheatsCheckBox, &g.BotCalcNodesCheck})
        controls.push_back(control);
    return controls;
}

std::string quotedName(const std::string& text) { return "\"" + text + "\""; }

// Applies one setup to one main window and notes what it could not apply.
class Applier {
public:
    explicit Applier(const Setup& setup) : setup_(setup) {}

    template <class T>
    const T* find(const Control& control) const {
        const auto value = setup_.controls.find(control.name());
        return value == setup_.controls.end() ? nullptr : std::get_if<T>(&value->second);
    }

    void plain(Control& control) {
        if (auto* box = dynamic_cast<CheckBox*>(&control)) {
            if (const int* state = find<int>(*box)) box->setState(*state);
        } else if (auto* text = dynamic_cast<TextBox*>(&control)) {
            if (const std::string* value = find<std::string>(*text)) text->setText(*value);
        } else if (auto* range = dynamic_cast<RangeControl*>(&control)) {
            if (const int* position = find<int>(*range)) range->setValue(*position);
        }
    }

    // Chooses the button of a group the setup marks as chosen; false when
    // it marks none.
    bool choose(std::initializer_list<OptionButton*> group) {
        OptionButton* wanted = nullptr;
        std::string captions;
        int marked = 0;
        for (OptionButton* button : group) {
            captions += (captions.empty() ? "" : ", ") + quotedName(button->caption());
            if (const bool* chosen = find<bool>(*button); chosen && *chosen) {
                wanted = button;
                ++marked;
            }
        }
        if (marked > 1) {
            missed("The setup chooses more than one of " + captions + ", so the choice stays as it is.");
            return true;
        }
        if (wanted) wanted->choose();
        return wanted != nullptr;
    }

    // A single-choice list's entry, found by its text.
    void entry(ListBox& list, const std::string& what, const std::string& whereNot) {
        const auto* value = find<std::optional<std::string>>(list);
        if (!value) return;
        if (!*value) {
            list.setSelectedIndex(-1);
            return;
        }
        const auto& items = list.items();
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i] != **value) continue;
            list.setSelectedIndex(static_cast<int>(i));
            return;
        }
        missed("The " + what + " " + quotedName(**value) + " " + whereNot + ".");
    }

    // A multiple-choice list's marks: each name the setup lists marks the
    // first entry of that name not marked for an earlier one, so a name the
    // roster holds twice can be chosen twice; every other entry is unmarked.
    void entries(ListBox& list, const std::string& what, const std::string& whereNot) {
        const auto* names = find<std::vector<std::string>>(list);
        if (!names) return;
        const auto& items = list.items();
        std::vector<bool> marks(items.size(), false);
        for (const std::string& name : *names) {
            bool found = false;
            for (std::size_t i = 0; i < items.size() && !found; ++i) {
                if (marks[i] || items[i] != name) continue;
                marks[i] = true;
                found = true;
            }
            if (!found) missed("The " + what + " " + quotedName(name) + " " + whereNot + ".");
        }
        for (std::size_t i = 0; i < marks.size(); ++i) list.setSelected(i, marks[i]);
    }

    void missed(std::string sentence) { missed_.push_back(std::move(sentence)); }
    std::vector<std::string> takeMissed() { return std::move(missed_); }

private:
    const Setup& setup_;
    std::vector<std::string> missed_;
};

// The words of a fragment as the game reads them.
std::string gameWords(const std::string& fragment) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < fragment.size()) {
        const std::size_t start = fragment.find_first_not_of(' ', at);
        if (start == std::string::npos) break;
        const std::size_t end = fragment.find(' ', start);
        words.push_back(fragment.substr(start, end == std::string::npos ? std::string::npos : end - start));
        at = end == std::string::npos ? fragment.size() : end;
    }
    std::string read;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] == "+set" && i + 1 < words.size()) {
            read += " +" + words[++i];
        } else {
            read += ' ' + words[i];
        }
    }
    return read;
}

}  // namespace

bool sameToTheGame(const std::string& a, const std::string& b) {
    if (a == b) return true;
    if (a.find('"') != std::string::npos || b.find('"') != std::string::npos) return false;
    return gameWords(a) == gameWords(b);
}

Setup captureSetup(const VexmoorMain& main) {
    // The page accessors are shared with applySetup, which changes the pages.
    auto& m = const_cast<VexmoorMain&>(main);
    auto& b = m.bots;
    auto& p = m.maps;
    auto& t = m.teamplay;
    Setup setup;
    setup.gameDirectory = main.gameDirectory();
    auto& values = setup.controls;
    const auto plain = [&values](const Control& control) {
        if (const auto* box = dynamic_cast<const CheckBox*>(&control))
            values[box->name()] = box->state();
        else if (const auto* text = dynamic_cast<const TextBox*>(&control))
            values[text->name()] = text->text();
        else if (const auto* range = dynamic_cast<const RangeControl*>(&control))
            values[range->name()] = range->value();
    };
    const auto entry = [&values](const ListBox& list) {
        values[list.name()] = list.selectedIndex() >= 0 ? std::optional<std::string>(list.selectedText())
                                                        : std::optional<std::string>();
    };
    const auto entries = [&values](const ListBox& list) { values[list.name()] = list.selectedItems(); };
    const auto choice = [&values](const OptionButton& button) { values[button.name()] = button.chosen(); };

    for (const Control* control : gameplayControls(m.gameplay)) plain(*control);
    for (const OptionButton* button : {&b.SpawnSpecificBotsOption, &b.SpawnRandomBotsOption}) choice(*button);
    for (const Control* control : std::initializer_list<const Control*>{
             &b.BotNumScroll, &b.BotNumText, &b.BotSkillSlider, &b.BotAutoskillCheck})
        plain(*control);
    entries(b.SpecificBotList);
    for (const OptionButton* button : {&p.InternalMapOption, &p.ExternalMapOption, &p.CTFMapOption})
        choice(*button);
    for (const ListBox* list :
         {static_cast<const ListBox*>(&p.MapList), static_cast<const ListBox*>(&p.MapFile),
          static_cast<const ListBox*>(&p.CTFList)})
        entry(*list);
    for (const CheckBox* box : {&p.NoTechPowerupsCheckBox, &p.ArmorProtectCheckBox, &p.ForceJoinCheckBox})
        plain(*box);
    plain(t.TeamplayCheckBox);
    entry(t.YourTeamList);
    entries(t.BotTeamList);
    plain(t.PlayersPerTeamText);

    setup.flagsTotal = main.flags.total;
    for (const Control* holder : fragmentHolders(m)) setup.fragments[holder->name()] = holder->fragment();
    return setup;
}

std::vector<std::string> applySetup(const Setup& setup, VexmoorMain& main) {
    Applier apply(setup);
    auto& b = main.bots;
    auto& p = main.maps;
    auto& t = main.teamplay;

    for (Control* control : gameplayControls(main.gameplay)) apply.plain(*control);

    // Team play goes off before the map type changes, so that choosing the
    // CTF type finds it off and has nothing to say; it comes on after the
    // map type, when the type is no longer CTF.
    const int* teamplay = apply.find<int>(t.TeamplayCheckBox);
    const bool* ctf = apply.find<bool>(p.CTFMapOption);
    if (teamplay && *teamplay != 1)
        t.TeamplayCheckBox.setState(*teamplay);
    else if (ctf && *ctf && t.TeamplayCheckBox.state() == 1)
        t.TeamplayCheckBox.setState(0);

    // Each list's map first; then the type, whose rule puts its own list's
    // map into the launch. Leaving the CTF type clears the CTF options, so
    // they come after it.
    apply.entry(p.MapList, "map", "is not one of the game's own maps");
    apply.entry(p.CTFList, "map", "is not one of the CTF maps");
    apply.entry(p.MapFile, "map file",
                "is no longer in " + pathText(gamePath(main.gameDirectory(), "baseq2\\maps")));
    apply.choose({&p.InternalMapOption, &p.ExternalMapOption, &p.CTFMapOption});
    if (const bool* external = apply.find<bool>(p.ExternalMapOption);
        external && *external && !p.ExternalMapOption.chosen())
        apply.missed("The map type \"Q2 External\" cannot be chosen: there is no map file to choose from.");
    for (CheckBox* box : {&p.NoTechPowerupsCheckBox, &p.ArmorProtectCheckBox, &p.ForceJoinCheckBox})
        apply.plain(*box);

    if (teamplay && *teamplay == 1 && t.TeamplayCheckBox.state() != 1) {
        if (main.roster().TeamCount < 1)
            apply.missed("Teamplay stays off: the roster has no team.");
        else if (p.CTFMapOption.chosen())
            apply.missed("Teamplay stays off: it cannot be played on a CTF map.");
        else
            t.TeamplayCheckBox.setState(1);
    }
    // Switching team play on has just listed the roster's teams.
    if (t.TeamplayCheckBox.state() == 1) {
        apply.entry(t.YourTeamList, "team", "is no longer in the roster");
        apply.entries(t.BotTeamList, "team", "is no longer in the roster");
    }
    apply.plain(t.PlayersPerTeamText);

    // The count is typed with random bots chosen, since only then can a
    // user type it: its rule writes the count into the launch whichever mode
    // is chosen. The scroll bar goes before the text, so that a text that is
    // no number stays as it was typed, as it did when the scroll bar stood
    // there. Then the spawn mode.
    const int* scroll = apply.find<int>(b.BotNumScroll);
    const std::string* count = apply.find<std::string>(b.BotNumText);
    const bool countChanges =
        (scroll && *scroll != b.BotNumScroll.value()) || (count && *count != b.BotNumText.text());
    const bool wasSpecific = b.SpawnSpecificBotsOption.chosen();
    if (countChanges && wasSpecific) b.SpawnRandomBotsOption.choose();
    apply.plain(b.BotNumScroll);
    apply.plain(b.BotNumText);
    if (!apply.choose({&b.SpawnSpecificBotsOption, &b.SpawnRandomBotsOption}) && wasSpecific)
        b.SpawnSpecificBotsOption.choose();
    apply.entries(b.SpecificBotList, "bot", "is no longer in the roster");
    apply.plain(b.BotSkillSlider);
    apply.plain(b.BotAutoskillCheck);

    // As at start-up, the stored total replaces whatever the boxes' rules
    // added and took away on the way.
    if (setup.flagsTotal) main.flags.total = *setup.flagsTotal;

    for (Control* holder : fragmentHolders(main)) {
        const auto kept = setup.fragments.find(holder->name());
        if (kept != setup.fragments.end() && kept->second != holder->fragment() &&
            sameToTheGame(kept->second, holder->fragment()))
            holder->setFragment(kept->second);
    }
    return apply.takeMissed();
}

}  // namespace vexmoor
