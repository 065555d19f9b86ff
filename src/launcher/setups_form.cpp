#include "launcher/setups_form.h"

#include "launcher/game_setups.h"
#include "launcher/vexmoor_main.h"
#include "setups/game_summary.h"

namespace vexmoor {

SetupsForm::SetupsForm(GameSetups& setups, Dialogs& dialogs, std::string gameDirectory,
                       std::function<void()> back)
    : WindowModel("SetupsForm", "Game Setups"),
      setups_(setups),
      dialogs_(dialogs),
      gameDirectory_(std::move(gameDirectory)) {
    SetupsGameLabel.setCaption("Setups for the game in " + gameDirectory_);
    SetupList.onChange([this] { followSelection(); });
    SaveSetupButton.onClick([this] { save(); });
    LoadSetupButton.onClick([this] { load(false); });
    LaunchSetupButton.onClick([this] { load(true); });
    DeleteSetupButton.onClick([this] { remove(); });
    RenameSetupButton.onClick([this] { rename(); });
    DuplicateSetupButton.onClick([this] { duplicate(); });
    SetupsExitButton.onClick(std::move(back));
    fill({});
}

void SetupsForm::fill(const std::string& select) {
    const SetupStore store = setups_.store();
    std::vector<std::string> names = store.names(gameDirectory_);
    summaries_.clear();
    for (const std::string& name : names)
        if (auto read = store.load(name, gameDirectory_))
            summaries_[name] = gameSummary(read.value().setup, setups_.mapTitles());
    SetupList.setItems(std::move(names));
    const auto& items = SetupList.items();
    for (std::size_t i = 0; i < items.size(); ++i)
        if (!select.empty() && items[i] == select) SetupList.setSelectedIndex(static_cast<int>(i));
    followSelection();
}

// A chosen setup's name goes into the name box, so that Save Current Game
// replaces it; Load, Load and Launch and Delete act on the chosen one.
void SetupsForm::followSelection() {
    const bool chosen = SetupList.selectedIndex() >= 0;
    if (chosen) SetupNameText.setText(SetupList.selectedText());
    for (Button* button :
         {&LoadSetupButton, &LaunchSetupButton, &DeleteSetupButton, &RenameSetupButton, &DuplicateSetupButton})
        button->setEnabled(chosen);
}

void SetupsForm::save() {
    const std::string name = SetupNameText.text();
    if (const auto refusal = setupNameRefusal(name)) {
        dialogs_.show(Message{*refusal + " Please choose another name.", kApplicationTitle, Icon::Exclamation,
                              Buttons::Ok});
        return;
    }
    if (setups_.store().exists(name) &&
        dialogs_.show(
            Message{"A setup named \"" + name + "\" is saved already. Replace it with the current game?",
                    kApplicationTitle, Icon::Exclamation, Buttons::YesNo}) != Answer::Yes)
        return;
    if (const Status saved = setups_.save(name); !saved) {
        dialogs_.show(Message{"The setup \"" + name + "\" was not saved.\r\n\r\n" + saved.error().describe() +
                                  "\r\n\r\nA setup saved before under that name is unchanged.",
                              kApplicationTitle, Icon::Critical, Buttons::Ok});
        return;
    }
    fill(name);
}

void SetupsForm::load(bool launch) {
    if (SetupList.selectedIndex() < 0) return;
    const std::string name = SetupList.selectedText();
    // A setup that cannot be read has been told about; the list shows what is there now.
    const auto missed = setups_.apply(name);
    if (!missed) {
        fill(name);
        return;
    }
    setups_.finish(name, *missed, launch);
}

void SetupsForm::remove() {
    if (SetupList.selectedIndex() < 0) return;
    const std::string name = SetupList.selectedText();
    if (dialogs_.show(Message{"Delete the setup \"" + name + "\"?", kApplicationTitle, Icon::Exclamation,
                              Buttons::YesNo}) != Answer::Yes)
        return;
    if (const Status removed = setups_.store().remove(name); !removed)
        dialogs_.show(
            Message{"The setup \"" + name + "\" was not deleted.\r\n\r\n" + removed.error().describe(),
                    kApplicationTitle, Icon::Critical, Buttons::Ok});
    SetupNameText.setText({});
    fill({});
}

std::string SetupsForm::summaryOf(const std::string& name) const {
    const auto found = summaries_.find(name);
    return found == summaries_.end() ? std::string() : found->second;
}

bool SetupsForm::done(const Status& status, const char* what, const std::string& name) {
    if (status) return true;
    dialogs_.show(Message{"The setup \"" + name + "\" was not " + what + ".\r\n\r\n" + status.error().describe(),
                          kApplicationTitle, Icon::Exclamation, Buttons::Ok});
    return false;
}

void SetupsForm::rename() {
    if (SetupList.selectedIndex() < 0) return;
    const std::string from = SetupList.selectedText();
    const std::string to = SetupNameText.text();
    if (to == from) {
        dialogs_.show(Message{"Type the new name of \"" + from + "\" in the name box, then Rename.",
                              kApplicationTitle, Icon::Information, Buttons::Ok});
        return;
    }
    if (done(setups_.store().rename(from, to), "renamed", from)) fill(to);
}

void SetupsForm::duplicate() {
    if (SetupList.selectedIndex() < 0) return;
    const std::string from = SetupList.selectedText();
    std::string to = SetupNameText.text();
    // With no other name typed, the copy is named after the setup.
    if (to == from || to.empty()) {
        const SetupStore store = setups_.store();
        to = from + " copy";
        for (int n = 2; store.exists(to) && n < 1000; ++n) to = from + " copy " + std::to_string(n);
    }
    if (done(setups_.store().duplicate(from, to), "copied", from)) fill(to);
}

}  // namespace vexmoor
