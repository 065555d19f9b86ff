#include "roster/bot_config_form.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "core/number_text.h"
#include "core/unwritten_changes.h"
#include "roster/catalogue.h"
#include "roster/game_rules.h"
#include "roster/roster_file.h"

namespace vexmoor {

namespace {

// A number as a field shows it: no sign position, a zero before the point.
std::string plainNumber(double value) {
    std::string text = numberText(value);
    if (text.front() == ' ') text.erase(0, 1);
    if (text.front() == '.') text.insert(0, "0");
    if (text.starts_with("-.")) text.insert(1, "0");
    return text;
}

std::string valueText(const RosterValue& value) {
    if (value.isNumber()) return plainNumber(value.asNumber());
    if (value.isText()) return value.asText();
    return {};
}

bool isWholeIn(const RosterValue& value, int minimum, int maximum) {
    if (!value.isNumber()) return false;
    const double number = value.asNumber();
    return number >= minimum && number <= maximum && number == std::floor(number);
}

// Where a slider shows a value it has no position for: the nearest end.
int nearestPosition(const RosterValue& value, int minimum, int maximum) {
    if (!value.isNumber() || std::isnan(value.asNumber())) return minimum;
    return static_cast<int>(
        std::clamp(std::round(value.asNumber()), static_cast<double>(minimum), static_cast<double>(maximum)));
}

void showSkill(RangeControl& slider, Label& label, const RosterValue& value) {
    if (isWholeIn(value, slider.minimum(), slider.maximum())) {
        slider.setValue(static_cast<int>(value.asNumber()));
        label.setCaption(numberText(value.asNumber()));
        return;
    }
    slider.setValue(nearestPosition(value, slider.minimum(), slider.maximum()));
    label.setCaption(value.isNumber() ? numberText(value.asNumber()) : valueText(value));
}

// A flag other than 0 or 1 shows grayed, its value beside the caption.
void showFlag(CheckBox& box, const char* caption, const RosterValue& value) {
    if (isWholeIn(value, 0, 1)) {
        box.setCaption(caption);
        box.setState(static_cast<int>(value.asNumber()));
        return;
    }
    box.setCaption(std::string(caption) + " (" + (value.isEmpty() ? "empty" : literalCaption(valueText(value))) +
                   ")");
    box.setState(2);
}

// Entry i leaves every bot list; the lists keep their spare slot at the end.
void eraseBot(Roster& roster, std::size_t i) {
    const auto erase = [i](auto& list) {
        if (i < list.size()) list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    };
    for (auto* list : {&roster.BotNames, &roster.BotModelSkins})
        if (i < list->size()) list->erase(i);
    for (auto* list : {&roster.BotModels, &roster.BotSkins}) erase(*list);
    for (auto* list : {&roster.BotAccuracy, &roster.BotAgressiveness, &roster.BotCombatSkills,
                       &roster.BotFavoriteWeapon, &roster.BotQuadFreak, &roster.BotCamper, &roster.BotPing})
        erase(*list);
    --roster.BotCount;
}

// Selects the entry equal to text (case counts), else the first; nothing in an empty list.
void selectOrFirst(ListBox& list, const std::string& text) {
    if (list.count() == 0) return;
    const auto& items = list.items();
    const auto found = std::find(items.begin(), items.end(), text);
    list.setSelectedIndex(found == items.end() ? 0 : static_cast<int>(found - items.begin()));
}

}  // namespace

BotConfigForm::BotConfigForm(Host host)
    : WindowModel("BotConfigForm", "Bot Configuration"),
      roster_(host.roster),
      dialogs_(host.dialogs),
      windows_(host.windows),
      gameDirectory_(std::move(host.gameDirectory)),
      returnToMain_(std::move(host.returnToMain)),
      rewrites_(host.rewrites),
      rosterFile_(rosterPath(gameDirectory_())) {
    BotInfoFrame.setEnabled(false);
    ModelList.setVisible(false);
    SkinList.setVisible(false);
    BotWarningLabel.setVisible(false);

    BotNameList.onChange([this] {
        if (const auto bot = selectedBot()) showBot(*bot);
    });
    // A moved slider stores its position. One that stands at its nearest
    // end for a value it cannot show stores that end when taken hold of.
    const struct {
        RangeControl& slider;
        Label& label;
        Values values;
    } skills[] = {{FiringAccuracySlider, FiringAccuracyLabel, &Roster::BotAccuracy},
                  {AgressivenessSlider, AgressivenessLabel, &Roster::BotAgressiveness},
                  {CombatSkillsSlider, CombatSkillsLabel, &Roster::BotCombatSkills}};
    for (const auto& skill : skills) {
        const auto store = [this, &slider = skill.slider, &label = skill.label, values = skill.values] {
            skillMoved(slider, label, values);
        };
        skill.slider.onChange(store);
        skill.slider.onPress(store);
    }
    FavoriteWeaponSlider.onChange([this] { weaponMoved(); });
    FavoriteWeaponSlider.onPress([this] { weaponMoved(); });
    QuadFreakCheckBox.onChange(
        [this] { flagClicked(QuadFreakCheckBox, "Quad Freak", &Roster::BotQuadFreak); });
    CamperCheckBox.onChange([this] { flagClicked(CamperCheckBox, "Camper", &Roster::BotCamper); });
    PingText.onChange([this] { pingChanged(); });
    ModelList.onChange([this] { modelChosen(); });
    SkinList.onChange([this] { skinChosen(); });

    NewBotButton.onClick([this] { newBot(); });
    EditBotButton.onClick([this] { editBot(); });
    DeleteBotButton.onClick([this] { deleteBot(); });
    CommitChangesButton.onClick([this] { commitChanges(); });
    ExitButton.onClick([this] { leave(); });

    open();
}

BotConfigForm::~BotConfigForm() = default;

const char* BotConfigForm::weaponName(int position) {
    static const char* const names[] = {
        "Pistol",           "Shotgun",         "Super Shotgun", "Machine Gun", "Chain Gun",
        "Grenade Launcher", "Rocket Launcher", "Hyperblaster",  "Rail Gun",    "BFG"};
    return position >= 1 && position <= 10 ? names[position - 1] : "";
}

// The game reads 8 as the rail gun and 9 as the hyperblaster, the other way
// round from the slider's order; 0 is the BFG.
int BotConfigForm::weaponValue(int position) {
    switch (position) {
        case 8:
            return 9;
        case 9:
            return 8;
        case 10:
            return 0;
        default:
            return position;
    }
}

std::optional<int> BotConfigForm::weaponPosition(const RosterValue& stored) {
    if (!isWholeIn(stored, 0, 9)) return std::nullopt;
    const int value = static_cast<int>(stored.asNumber());
    return value == 0 ? 10 : weaponValue(value);
}

void BotConfigForm::open() {
    const auto count = static_cast<std::size_t>(std::max<int>(roster_.BotCount, 0));
    roster_.makeBotHalves();
    if (count > 0) {
        BotNameList.setItems(roster_.BotNames.copy(count));
        // The spare slot too. A value without "/" leaves the halves as they were.
        const std::size_t slots = std::min(
            {count + 1, roster_.BotModelSkins.size(), roster_.BotModels.size(), roster_.BotSkins.size()});
        for (std::size_t j = 0; j < slots; ++j) {
            const std::string_view modelSkin = roster_.BotModelSkins[j];
            const auto slash = modelSkin.rfind('/');
            if (slash == std::string_view::npos) continue;
            roster_.BotModels[j] = modelSkin.substr(0, slash);
            roster_.BotSkins[j] = modelSkin.substr(slash + 1);
        }
    }
    appearanceChosen_.assign(count, false);
    if (BotNameList.count() > 0) BotNameList.setSelectedIndex(0);
}

std::optional<std::size_t> BotConfigForm::selectedBot() const {
    const int index = BotNameList.selectedIndex();
    if (index < 0 || index >= roster_.BotCount) return std::nullopt;
    return static_cast<std::size_t>(index);
}

void BotConfigForm::showBot(std::size_t i) {
    const bool wasShowing = std::exchange(showing_, true);
    ModelList.setVisible(false);
    SkinList.setVisible(false);
    BotSkinThing.setVisible(true);
    BotModelThing.setVisible(true);
    BotInfoFrame.setEnabled(false);
    BotInfoFrame.setCaption(literalCaption(roster_.BotNames[i]));
    BotModelThing.setCaption(roster_.BotModels[i]);
    BotSkinThing.setCaption(roster_.BotSkins[i]);
    showSkill(FiringAccuracySlider, FiringAccuracyLabel, roster_.BotAccuracy[i]);
    showSkill(AgressivenessSlider, AgressivenessLabel, roster_.BotAgressiveness[i]);
    showSkill(CombatSkillsSlider, CombatSkillsLabel, roster_.BotCombatSkills[i]);
    const RosterValue& weapon = roster_.BotFavoriteWeapon[i];
    if (const auto position = weaponPosition(weapon)) {
        FavoriteWeaponSlider.setValue(*position);
        BotFavoriteWeapon.setCaption(weaponName(*position));
    } else {
        FavoriteWeaponSlider.setValue(nearestPosition(weapon, 1, 10));
        BotFavoriteWeapon.setCaption(valueText(weapon));
    }
    showFlag(QuadFreakCheckBox, "Quad Freak", roster_.BotQuadFreak[i]);
    showFlag(CamperCheckBox, "Camper", roster_.BotCamper[i]);
    PingText.setText(valueText(roster_.BotPing[i]));
    showing_ = wasShowing;
    showWarnings();
}

void BotConfigForm::showWarnings() {
    std::string caption;
    if (const auto bot = selectedBot()) {
        const std::size_t i = *bot;
        for (const std::string& warning :
             game_rules::botWarnings(roster_, i, roster_.BotModels[i] + "/" + roster_.BotSkins[i]))
            caption += (caption.empty() ? "" : "\n") + warning;
    }
    BotWarningLabel.setCaption(caption);
    BotWarningLabel.setVisible(!caption.empty());
}

void BotConfigForm::skillMoved(RangeControl& slider, Label& label, Values values) {
    if (showing_) return;
    label.setCaption(numberText(slider.value()));
    const auto bot = selectedBot();
    if (!bot) return;
    (roster_.*values)[*bot] = RosterValue::number(slider.value());
    showWarnings();
}

void BotConfigForm::weaponMoved() {
    if (showing_) return;
    const int position = FavoriteWeaponSlider.value();
    BotFavoriteWeapon.setCaption(weaponName(position));
    const auto bot = selectedBot();
    if (!bot) return;
    roster_.BotFavoriteWeapon[*bot] = RosterValue::number(weaponValue(position));
    showWarnings();
}

void BotConfigForm::flagClicked(CheckBox& box, const char* caption, Values values) {
    // Only showing a bot grays a box; a user's click makes it 0 or 1.
    if (showing_ || box.state() == 2) return;
    box.setCaption(caption);
    const auto bot = selectedBot();
    if (!bot) return;
    (roster_.*values)[*bot] = RosterValue::number(box.state());
    showWarnings();
}

void BotConfigForm::pingChanged() {
    if (showing_) return;
    const auto bot = selectedBot();
    if (!bot) return;
    double ping = leadingNumber(PingText.text());
    // A number too large for the roster to hold keeps the largest it can.
    if (std::isinf(ping)) ping = std::copysign(std::numeric_limits<double>::max(), ping);
    roster_.BotPing[*bot] = RosterValue::number(ping);
    showWarnings();
}

void BotConfigForm::modelChosen() {
    if (showing_ || ModelList.selectedIndex() < 0) return;
    const auto bot = selectedBot();
    if (!bot) return;
    const std::string model = ModelList.selectedText();
    roster_.BotModels[*bot] = model;
    appearanceChosen_[*bot] = true;
    BotModelThing.setCaption(model);
    // The skin stays as it was until one is chosen.
    SkinList.setItems(ListSkins(gameDirectory_(), model));
    showWarnings();
}

void BotConfigForm::skinChosen() {
    if (showing_ || SkinList.selectedIndex() < 0) return;
    const auto bot = selectedBot();
    if (!bot) return;
    roster_.BotSkins[*bot] = SkinList.selectedText();
    appearanceChosen_[*bot] = true;
    BotSkinThing.setCaption(roster_.BotSkins[*bot]);
    showWarnings();
}

void BotConfigForm::editBot() {
    if (BotNameList.count() == 0) {
        dialogs_.inform("There are no bots to edit.");
        return;
    }
    const auto bot = selectedBot();
    if (!bot) return;
    BotInfoFrame.setEnabled(true);
    BotSkinThing.setVisible(false);
    BotModelThing.setVisible(false);
    SkinList.setVisible(true);
    ModelList.setVisible(true);
    SkinList.clear();
    // Taken before the lists select anything: selecting stores.
    const std::string model = roster_.BotModels[*bot];
    const std::string skin = roster_.BotSkins[*bot];
    ModelList.setItems(ListModels(gameDirectory_()));
    selectOrFirst(ModelList, model);
    selectOrFirst(SkinList, skin);
}

void BotConfigForm::deleteBot() {
    if (BotNameList.count() == 0) {
        dialogs_.inform("There are no bots to delete.");
        return;
    }
    const auto bot = selectedBot();
    if (!bot) return;
    const Answer answer =
        dialogs_.show(Message{"Are you sure you want to delete " + std::string(roster_.BotNames[*bot]) + "?",
                              kApplicationTitle, Icon::Exclamation, Buttons::YesNo});
    if (answer != Answer::Yes) return;
    BotNameList.removeItem(*bot);
    eraseBot(roster_, *bot);
    appearanceChosen_.erase(appearanceChosen_.begin() + static_cast<std::ptrdiff_t>(*bot));
    if (BotNameList.count() > 0)
        BotNameList.setSelectedIndex(0);
    else
        showWarnings();
}

void BotConfigForm::newBot() {
    // One dialog at a time: while it is open this window waits for it.
    if (!enabled()) return;
    newBotName_ = std::make_unique<NewBotName>(
        roster_, dialogs_, [this] { botAdded(); },
        [this] { closeSideWindow(windows_, *this, *newBotName_); });
    openSideWindow(windows_, *this, *newBotName_);
}

void BotConfigForm::botAdded() {
    closeSideWindow(windows_, *this, *newBotName_);
    const auto last = static_cast<std::size_t>(roster_.BotCount - 1);
    appearanceChosen_.resize(last + 1, false);
    BotNameList.addItem(std::string(roster_.BotNames[last]));
    BotNameList.setSelectedIndex(static_cast<int>(last));
}

// The combined texts as Commit Changes sets them.
TextList BotConfigForm::committedModelSkins() const {
    const TextList& held = roster_.BotModelSkins;
    const auto bots = static_cast<std::size_t>(std::max<int>(roster_.BotCount, 0));
    // Built in order: replacing texts inside a list of thousands one by one
    // would move its bytes each time.
    TextList joined;
    joined.reserve(held.size(), 0);
    for (std::size_t i = 0; i < held.size(); ++i) {
        // A text without "/" (a hand-edited roster) gave no halves: joining
        // them would write "/" in its place, so it stays as read unless the
        // user chose a model or skin for the bot.
        const bool chosen = i < appearanceChosen_.size() && appearanceChosen_[i];
        if (i < bots && (chosen || held[i].find('/') != std::string_view::npos))
            joined.push_back(roster_.BotModels[i] + "/" + roster_.BotSkins[i]);
        else
            joined.push_back(held[i]);
    }
    return joined;
}

bool BotConfigForm::commitChanges() {
    const std::filesystem::path& file = rosterFile_;
    // Answered No, nothing is written and nothing changes.
    if (rewrites_ && !rewrites_->mayRewrite(KeptFile::Roster, file, "Commit Changes")) return false;
    TextList before = std::exchange(roster_.BotModelSkins, committedModelSkins());
    // The combined texts are the joined halves now, wherever there are
    // halves to join. A write that failed has said why; the combined texts
    // go back to what they held, so the roster is as before; the edits stay
    // in the halves, and Commit can be tried again.
    if (!WriteRoster(file, roster_, ModelSkinSource::AsRead, dialogs_)) {
        roster_.BotModelSkins = std::move(before);
        return false;
    }
    if (rewrites_) rewrites_->remember(file, rosterFileBytes(roster_, ModelSkinSource::AsRead));
    return true;
}

bool BotConfigForm::hasUnwrittenChanges() const {
    Roster held;
    if (!readRosterAsHeld(rosterFile_, held)) return true;
    Roster committed = roster_;
    committed.BotModelSkins = committedModelSkins();
    return rosterFileBytes(committed, ModelSkinSource::AsRead) != rosterFileBytes(held, ModelSkinSource::AsRead);
}

// The changes stay in memory whatever the answer: only Write puts them in the file.
void BotConfigForm::leave() {
    if (!enabled()) return;
    leaveAfterAsking(dialogs_, hasUnwrittenChanges(),
                     unwrittenChangesQuestion("The bots have", "eraser\\bots.cfg", Buttons::WriteReturnCancel),
                     [this] { return commitChanges(); }, returnToMain_);
}

void BotConfigForm::closeRequested() {
    // While the new-bot dialog is open this window waits for it.
    if (!enabled()) return;
    ExitButton.click();
}

}  // namespace vexmoor
