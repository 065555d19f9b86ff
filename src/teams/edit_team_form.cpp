#include "teams/edit_team_form.h"

#include <algorithm>
#include <cstdint>

#include "core/unwritten_changes.h"
#include "roster/catalogue.h"
#include "roster/game_rules.h"
#include "roster/roster_file.h"
#include "teams/member_list.h"

namespace vexmoor {

namespace {

// The team group of the roster as it stood before a command, put back when
// the file could not be written, so that memory and file agree.
class TeamsBefore {
public:
    explicit TeamsBefore(const Roster& r)
        : count_(r.TeamCount), lists_{r.TeamNames,  r.TeamShortNames, r.TeamModelSkins,
                                      r.TeamModels, r.TeamSkins,      r.TeamMembers} {}
    void restore(Roster& r) {
        r.TeamCount = count_;
        std::vector<std::string>* lists[] = {&r.TeamNames,  &r.TeamShortNames, &r.TeamModelSkins,
                                             &r.TeamModels, &r.TeamSkins,      &r.TeamMembers};
        for (std::size_t i = 0; i < std::size(lists); ++i) *lists[i] = std::move(lists_[i]);
    }

private:
    std::int16_t count_;
    std::vector<std::string> lists_[6];
};

std::size_t toIndex(int i) { return static_cast<std::size_t>(i); }

}  // namespace

EditTeamForm::EditTeamForm(Context context)
    : WindowModel("EditTeamForm", "Edit Teams"),
      roster_(context.roster),
      dialogs_(context.dialogs),
      teamplay_(context.teamplay),
      gameDirectory_(std::move(context.gameDirectory)),
      close_(std::move(context.close)),
      rewrites_(context.rewrites),
      rosterFile_(rosterPath(gameDirectory_())) {
    AddTeamText.setVisible(false);
    TeamNameShortText.setEnabled(false);
    TeamModelList.setEnabled(false);
    TeamSkinList.setEnabled(false);
    for (Button* button : {&SaveButton, &SaveButton2, &CancelButton}) button->setVisible(false);
    WarningLabel.setVisible(false);
    TeamMemberCountLabel.setVisible(false);

    // No team chosen is where the window starts; a model or skin not chosen
    // is saved as an empty text.
    for (ListBox* list : {&TeamList, &TeamModelList, &TeamSkinList}) list->setNoneAllowed(true);
    TeamList.onChange([this] { showTeam(); });
    TeamModelList.onChange([this] { chooseModel(); });
    AddTeamText.onChange([this] { liveWarnings(); });
    TeamNameShortText.onChange([this] { liveWarnings(); });
    TeamIndividualsList.onChange([this] { liveWarnings(); });
    memberCountLink_ = TeamIndividualsList.changed().connect([this] { showMemberCount(); });
    AddButton.onClick([this] { addTeam(); });
    EditButton.onClick([this] { editTeam(); });
    DeleteButton.onClick([this] { deleteTeam(); });
    SaveButton.onClick([this] { saveNewTeam(); });
    SaveButton2.onClick([this] { saveChangedTeam(); });
    CancelButton.onClick([this] { cancel(); });
    ExitButton.onClick([this] { returnToMain(); });
    open();
}

void EditTeamForm::open() {
    fillTeamList();
    // Every slot, the spare one included, gets its model and skin from the
    // text as the file holds it; the last "/" divides them. A text without
    // one leaves the halves as they were.
    Roster& r = roster_;
    const std::size_t slots = std::min(
        {toIndex(r.TeamCount) + 1, r.TeamModelSkins.size(), r.TeamModels.size(), r.TeamSkins.size()});
    for (std::size_t i = 0; i < slots; ++i) {
        const std::string& text = r.TeamModelSkins[i];
        const std::size_t slash = text.rfind('/');
        if (slash == std::string::npos) continue;
        r.TeamModels[i] = text.substr(0, slash);
        r.TeamSkins[i] = text.substr(slash + 1);
    }
}

void EditTeamForm::fillTeamList() {
    const auto count = std::min(toIndex(roster_.TeamCount), roster_.TeamNames.size());
    TeamList.setItems(
        {roster_.TeamNames.begin(), roster_.TeamNames.begin() + static_cast<std::ptrdiff_t>(count)});
}

std::vector<std::string> EditTeamForm::botNames() const {
    return roster_.BotNames.copy(toIndex(roster_.BotCount));
}

void EditTeamForm::showTeam() {
    const int k = TeamList.selectedIndex();
    // A team no longer chosen is no longer shown, as when the window opened.
    if (k < 0 && state_ == State::Browse) emptyDetails();
    if (k < 0 || k >= roster_.TeamCount) return;
    const Roster& r = roster_;
    const std::size_t t = toIndex(k);
    TeamNameShortText.setText(r.TeamShortNames[t]);
    TeamModelList.setItems({r.TeamModels[t]});
    TeamSkinList.setItems({r.TeamSkins[t]});
    const std::vector<std::string> members = memberNames(r.TeamMembers[t]);
    TeamIndividualsList.setItems(members);
    // A member is checked when a bot of the roster has exactly that name,
    // letter case included; any other name is listed unchecked.
    const std::vector<std::string> bots = botNames();
    for (std::size_t m = 0; m < members.size(); ++m)
        if (std::find(bots.begin(), bots.end(), members[m]) != bots.end())
            TeamIndividualsList.setSelected(m, true);
    if (state_ == State::Browse)
        setWarnings(game_rules::teamWarnings(t, r.TeamNames[t], r.TeamShortNames[t], members));
}

// Selecting the entry that is already selected would not show it again.
void EditTeamForm::showFirstTeam() {
    if (TeamList.count() == 0) return;
    if (TeamList.selectedIndex() == 0)
        showTeam();
    else
        TeamList.setSelectedIndex(0);
}

void EditTeamForm::enterState(State state) {
    const bool browse = state == State::Browse;
    state_ = state;
    TeamList.setVisible(browse);
    AddTeamText.setVisible(!browse);
    AddTeamText.setEnabled(state != State::Edit);
    for (Control* c : std::initializer_list<Control*>{&TeamNameShortText, &TeamModelList, &TeamSkinList})
        c->setEnabled(!browse);
    for (Control* c : std::initializer_list<Control*>{&AddButton, &EditButton, &DeleteButton, &ExitButton})
        c->setVisible(browse);
    SaveButton.setVisible(state == State::Add);
    SaveButton2.setVisible(state == State::Edit);
    CancelButton.setVisible(!browse);
    showMemberCount();
    stateChanged_.emit();
}

void EditTeamForm::emptyDetails() {
    TeamNameShortText.setText("");
    TeamModelList.clear();
    TeamSkinList.clear();
    TeamIndividualsList.clear();
    setWarnings({});
}

void EditTeamForm::backToBrowse() {
    emptyDetails();
    enterState(State::Browse);
}

void EditTeamForm::addTeam() {
    if (state_ != State::Browse) return;
    AddTeamText.setText("");
    emptyDetails();
    enterState(State::Add);
    TeamIndividualsList.setItems(botNames());
    TeamModelList.setItems(ListModels(gameDirectory_()));
    liveWarnings();
    entered_ = entries();
}

void EditTeamForm::selectOrFirst(ListBox& list, const std::string& text) {
    if (list.count() == 0) return;
    const auto& items = list.items();
    const auto found = std::find(items.begin(), items.end(), text);
    list.setSelectedIndex(found == items.end() ? 0 : static_cast<int>(found - items.begin()));
}

void EditTeamForm::editTeam() {
    if (state_ != State::Browse) return;
    const int k = TeamList.selectedIndex();
    if (k < 0 || k >= roster_.TeamCount) {
        dialogs_.inform("No team selected.");
        return;
    }
    TeamModelList.clear();
    TeamSkinList.clear();
    TeamIndividualsList.clear();
    AddTeamText.setText(TeamList.selectedText());
    enterState(State::Edit);
    // The members are checked anew: Save stores exactly what is checked.
    TeamIndividualsList.setItems(botNames());
    TeamModelList.setItems(ListModels(gameDirectory_()));
    selectOrFirst(TeamModelList, roster_.TeamModels[toIndex(k)]);
    selectOrFirst(TeamSkinList, roster_.TeamSkins[toIndex(k)]);
    liveWarnings();
    entered_ = entries();
}

void EditTeamForm::chooseModel() {
    if (TeamModelList.selectedIndex() < 0) return;
    TeamSkinList.setItems(ListSkins(gameDirectory_(), TeamModelList.selectedText()));
}

void EditTeamForm::cancel() {
    if (state_ == State::Browse) return;
    backToBrowse();
    showFirstTeam();
}

void EditTeamForm::escapePressed() {
    if (state_ == State::Browse)
        returnToMain();
    else
        leaveEntered([this] { cancel(); });
}

void EditTeamForm::closeRequested() {
    if (state_ == State::Browse)
        returnToMain();
    else
        leaveEntered([this] { returnToMain(); });
}

EditTeamForm::Entries EditTeamForm::entries() const {
    return {AddTeamText.text(), TeamNameShortText.text(), TeamModelList.selectedText(), TeamSkinList.selectedText(),
            TeamIndividualsList.selectedItems()};
}

bool EditTeamForm::hasUnwrittenChanges() const { return state_ != State::Browse && entries() != entered_; }

bool EditTeamForm::saveEntered() {
    if (state_ == State::Add)
        saveNewTeam();
    else
        saveChangedTeam();
    return state_ == State::Browse;
}

// Write saves the team, which ends in browsing; going on without writing
// leaves the roster as it is.
void EditTeamForm::leaveEntered(const std::function<void()>& leave) {
    const std::string subject = state_ == State::Add ? "The new team has"
                                                     : "The team " + TeamList.selectedText() + " has";
    leaveAfterAsking(dialogs_, hasUnwrittenChanges(), unwrittenChangesQuestion(subject, "eraser\\bots.cfg"),
                     [this] { return saveEntered(); }, leave);
}

void EditTeamForm::returnToMain() {
    teamplay_.switchOff();
    close_();
}

std::optional<std::string> EditTeamForm::refusal(const std::string* name) const {
    const auto holds = [](const std::string& text, char c) { return text.find(c) != std::string::npos; };
    if (name && holds(*name, '"'))
        return "The team name holds a double quote (\"), which bots.cfg cannot hold. Please take it out.";
    if (name && name->front() == '[')
        return "The team name begins with \"[\", which bots.cfg would read as the start of a section. "
               "Please change it.";
    if (holds(TeamNameShortText.text(), '"'))
        return "The team abbreviation holds a double quote (\"), which bots.cfg cannot hold. Please take it "
               "out.";
    if ((name && holds(*name, '\n')) || holds(TeamNameShortText.text(), '\n'))
        return "The team name or abbreviation holds a line break, which bots.cfg cannot hold. Please take it "
               "out.";
    for (const std::string& member : TeamIndividualsList.selectedItems())
        if (holds(member, ',') || holds(member, '"'))
            return "The bot \"" + member + "\" cannot be a member: its name holds " +
                   (holds(member, ',') ? "a comma" : "a double quote") +
                   ", which a member list in bots.cfg cannot hold. Please uncheck it.";
    if (name && roster_.TeamCount >= kMaxRosterCount)
        return "bots.cfg already holds " + std::to_string(kMaxRosterCount) +
               " teams, the most it can: no team can be added.";
    return std::nullopt;
}

bool EditTeamForm::refused(const std::string* name) {
    const auto why = refusal(name);
    if (why) dialogs_.inform(*why, kApplicationTitle, Icon::Exclamation);
    return why.has_value();
}

// Answered No, the guard leaves the file alone, and the callers put the
// roster and the window back as after a failed write.
bool EditTeamForm::writeRoster(const char* action) {
    const std::filesystem::path& file = rosterFile_;
    if (rewrites_ && !rewrites_->mayRewrite(KeptFile::Roster, file, action)) return false;
    if (!WriteRoster(file, roster_, ModelSkinSource::AsRead, dialogs_)) return false;
    if (rewrites_) rewrites_->remember(file, rosterFileBytes(roster_, ModelSkinSource::AsRead));
    return true;
}

void EditTeamForm::saveNewTeam() {
    if (state_ != State::Add) return;
    const std::string name = AddTeamText.text();
    if (name.empty()) {
        dialogs_.inform("Please enter a team name.");
        return;
    }
    if (refused(&name)) return;
    TeamsBefore before(roster_);
    Roster& r = roster_;
    const std::size_t n = toIndex(r.TeamCount);
    r.resizeTeams(n + 2);
    r.TeamNames[n] = name;
    r.TeamShortNames[n] = TeamNameShortText.text();
    r.TeamModelSkins[n] = TeamModelList.selectedText() + "/" + TeamSkinList.selectedText();
    r.TeamModels[n] = TeamModelList.selectedText();
    r.TeamSkins[n] = TeamSkinList.selectedText();
    r.TeamMembers[n] = memberList(TeamIndividualsList.selectedItems());
    ++r.TeamCount;
    // A failed write keeps the window as it is, every entry in place, so
    // Save can simply be pressed again.
    if (!writeRoster("team Save")) {
        before.restore(r);
        return;
    }
    backToBrowse();
    fillTeamList();
}

void EditTeamForm::saveChangedTeam() {
    if (state_ != State::Edit) return;
    const int k = TeamList.selectedIndex();
    if (k < 0 || k >= roster_.TeamCount) return;
    if (refused(nullptr)) return;
    TeamsBefore before(roster_);
    Roster& r = roster_;
    const std::size_t t = toIndex(k);
    r.TeamShortNames[t] = TeamNameShortText.text();
    // A team written without a model keeps none in the file.
    if (!r.TeamModelSkins[t].empty())
        r.TeamModelSkins[t] = TeamModelList.selectedText() + "/" + TeamSkinList.selectedText();
    r.TeamSkins[t] = TeamSkinList.selectedText();
    r.TeamModels[t] = TeamModelList.selectedText();
    r.TeamMembers[t] = memberList(TeamIndividualsList.selectedItems());
    if (!writeRoster("team Save")) {
        before.restore(r);
        return;
    }
    backToBrowse();
    fillTeamList();
}

void EditTeamForm::deleteTeam() {
    if (state_ != State::Browse) return;
    emptyDetails();
    const int k = TeamList.selectedIndex();
    if (k < 0 || k >= roster_.TeamCount) {
        dialogs_.inform("Please select a team to delete.");
        return;
    }
    const Answer answer = dialogs_.show(
        Message{"Are you sure that you want to delete the team " + TeamList.selectedText() + "?",
                kApplicationTitle, Icon::None, Buttons::YesNo});
    if (answer != Answer::Yes) return;
    TeamsBefore before(roster_);
    Roster& r = roster_;
    TeamList.removeItem(toIndex(k));
    for (auto* list :
         {&r.TeamNames, &r.TeamShortNames, &r.TeamModelSkins, &r.TeamModels, &r.TeamSkins, &r.TeamMembers})
        if (toIndex(k) < list->size()) list->erase(list->begin() + k);
    --r.TeamCount;
    r.resizeTeams(toIndex(r.TeamCount) + 1);
    fillTeamList();
    // A failed write leaves the team where it was, selected and shown.
    if (!writeRoster("Delete Team")) {
        before.restore(r);
        fillTeamList();
        TeamList.setSelectedIndex(k);
    }
}

void EditTeamForm::setWarnings(const std::vector<std::string>& warnings) {
    std::string text;
    for (const std::string& warning : warnings) {
        if (!text.empty()) text += '\n';
        text += warning;
    }
    WarningLabel.setCaption(text);
    WarningLabel.setVisible(!text.empty());
}

// The checked entries are the team's bots: in browsing its members that are
// bots of the roster, while entering a team the bots checked for it. A team
// shown without members, or none shown, has no line.
void EditTeamForm::showMemberCount() {
    const bool shown = state_ != State::Browse || TeamIndividualsList.count() > 0;
    TeamMemberCountLabel.setVisible(shown);
    if (!shown) return;
    TeamMemberCountLabel.setCaption(std::to_string(TeamIndividualsList.selectedCount()) + " of " +
                                    std::to_string(std::max<int>(roster_.BotCount, 0)) + " bots in this team");
}

// While a team is entered, the warnings follow every keystroke and check mark.
void EditTeamForm::liveWarnings() {
    if (state_ == State::Browse) return;
    const std::size_t place =
        state_ == State::Add ? toIndex(roster_.TeamCount) : toIndex(std::max(TeamList.selectedIndex(), 0));
    const std::vector<std::string> checked = TeamIndividualsList.selectedItems();
    std::vector<std::string> warnings;
    // The members are checked anew, so a Save after changing only the
    // abbreviation would empty the team.
    if (state_ == State::Edit && place < roster_.TeamMembers.size()) {
        const std::size_t stored = memberNames(roster_.TeamMembers[place]).size();
        if (checked.size() < stored)
            warnings.push_back("Save will keep " + std::to_string(checked.size()) + " of this team's " +
                               std::to_string(stored) + (stored == 1 ? " member" : " members") +
                               ": check the ones to keep.");
    }
    for (std::string& warning :
         game_rules::teamWarnings(place, AddTeamText.text(), TeamNameShortText.text(), checked))
        warnings.push_back(std::move(warning));
    setWarnings(warnings);
}

}  // namespace vexmoor
