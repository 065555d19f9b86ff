// Every writer of the program under every fault a disk can put in its way,
// driven as the user drives it: Save Settings, Launch!, and the editors'
// Commit, Save and Delete, each with unwritten work in its window. A fault
// that makes the action fail must be told (naming the file and the reason)
// and must lose nothing: the file on disk (or its absence), the data in
// memory and what the window shows stay as they were, no temporary file is
// left behind, and the same action succeeds once the fault is gone. A fault
// that does not make the action fail (a file removed from a folder that is
// still there) must end with the file written anew from what the window held,
// without a question: a file gone has nothing to protect.
//
// The disk-full case is a real short write: the child process that runs the
// action may not make a file longer than half of what the writer writes, or
// of what the file holds when that is less (RLIMIT_FSIZE, with SIGXFSZ
// ignored), so its write() fails with EFBIG.
//
// The writers of the four files Vexmoor keeps earlier versions of keep the
// file as it is before they write. A version that cannot be kept is asked
// about (answered Yes on a full disk, so the writer's own failure shows).
// The faults of the versions folder itself (read-only, a full disk, a file in
// its way) are left at the question's default, No: the action must then
// change nothing, and succeed once the fault is gone, keeping the version it
// could not keep before.
//
// An editor holds what it read from one game directory: when the game
// directory in force becomes another while it is open, its write is refused
// with a message naming both, and neither game's file changes.
//
// The suite prints the results as a table, one row per file and a column per
// fault, and the roster's row once more for each of its four commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "chat/chat_edit_form.h"
#include "chat/chat_file.h"
#include "core/number_text.h"
#include "core/paths.h"
#include "core/ports.h"
#include "history/rewrite_guard.h"
#include "launcher/editors.h"
#include "launcher/launch.h"
#include "launcher/settings_file.h"
#include "options/map_cycle_edit_form.h"
#include "options/map_cycle_file.h"
#include "roster/bot_config_form.h"
#include "roster/roster_file.h"
#include "support/main_fixture.h"
#include "teams/edit_team_form.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

// ---- What the user and the disk see, as text that can be compared.

std::string describe(const ListBox& list) {
    std::string text = list.name() + "[";
    for (std::size_t i = 0; i < list.count(); ++i) {
        if (i) text += '|';
        text += list.items()[i];
        if (list.mode() != ListBox::Mode::Single && list.isSelected(i)) text += "*";
    }
    text += "] sel " + std::to_string(list.selectedIndex());
    return text + (list.visible() ? "" : " hidden") + (list.enabled() ? "" : " disabled") + "\n";
}

std::string describe(const Control& control) {
    return control.name() + " \"" + control.caption() + "\"" + (control.visible() ? "" : " hidden") +
           (control.enabled() ? "" : " disabled") + "\n";
}

std::string describe(const TextBox& box) { return box.name() + " = \"" + box.text() + "\"\n"; }

std::string describe(const OptionButton& button) {
    return button.name() + (button.chosen() ? " chosen" : " not chosen") +
           (button.enabled() ? "" : " disabled") + "\n";
}

std::string valueText(const RosterValue& value) {
    return value.isNumber() ? numberText(value.asNumber())
           : value.isText() ? "'" + value.asText() + "'"
                            : "-";
}

std::string describe(const Roster& r) {
    std::ostringstream out;
    out << "counts " << r.BotCount << ' ' << r.TeamCount << ' ' << r.ViewWeaponCount << '\n';
    const auto texts = [&out](const auto& list) {
        for (const std::string_view text : list) out << text << '|';
        out << '\n';
    };
    texts(r.BotNames);
    texts(r.BotModelSkins);
    for (const auto* list : {&r.BotModels, &r.BotSkins, &r.TeamNames, &r.TeamShortNames, &r.TeamModelSkins,
                             &r.TeamModels, &r.TeamSkins, &r.TeamMembers, &r.ViewWeaponLines})
        texts(*list);
    for (const auto* list : {&r.BotAccuracy, &r.BotAgressiveness, &r.BotCombatSkills, &r.BotFavoriteWeapon,
                             &r.BotQuadFreak, &r.BotCamper, &r.BotPing}) {
        for (const RosterValue& value : *list) out << valueText(value) << '|';
        out << '\n';
    }
    return out.str();
}

std::vector<std::string> entriesOf(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        names.push_back(pathText(it->path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

// ---- The game directory every case starts from, with the roster in the
// writer's own layout, so a rewrite changes only what the action changed.

const std::string kBots =
    "[bots]\r\n"
    "\"Ash\"\"wren/ember\" 3  3  3  0  0  0  40 \r\n"
    "\"Big Ed\"\"gaunt/bone\" 2  4  1  7  1  0  90 \r\n"
    "\"Cole\"\"wren/frost\" 5  1  2  3  0  1  120 \r\n";
const std::string kRedFangs = "\"Red Fangs\"\"RF\"\"wren/ember\"[\"Ash\" \"Big Ed\"]\r\n";
const std::string kGloam = "\"Gloam\"\"GL\"\"gaunt/bone\"[\"Cole\"]\r\n";
const std::string kViewWeapons = "[view weapons]\r\n\"w_railgun\"\r\n";
const std::string kRoster = kBots + "[teams]\r\n" + kRedFangs + kGloam + kViewWeapons;
const std::string kChat =
    "-- Greetings\r\nHello, %s.\r\nWell met.\r\n\r\n-- Insults (general)\r\nMissed me, %s?\r\n\r\n";
const std::string kMapCycle = "q2dm1\r\nq2dm2\r\n";
const std::string kLauncherCfg = "sv bots Old~Timer\r\n";

// One writer as the user reaches it. The constructor starts the program and
// leaves unwritten work in the window; act() is the click that writes.
class Scenario {
public:
    Scenario() {
        f.game.withEraserFolder()
            .withRoster(kRoster)
            .withChat(kChat)
            .withMapCycle(kMapCycle)
            .withMaps({"alpha.bsp"})
            .withModel("wren", {"ember.pcx", "frost.pcx", "ember_i.pcx"})
            .withModel("gaunt", {"bone.pcx", "ash.pcx"});
        writeBytes(f.game.root() / "eraser" / "launcher.cfg", kLauncherCfg);
        f.writeSettings();
        registerEditors(f.startUp());
    }
    virtual ~Scenario() = default;

    virtual fs::path file() const = 0;
    virtual void act() = 0;
    // The bytes a successful action leaves in the file.
    virtual std::string written() const = 0;
    // The questions the action asks before it writes (answered Yes).
    virtual std::vector<std::string> asked() const { return {}; }
    // The messages a successful action shows after them.
    virtual std::vector<std::string> told() const { return {"Bots.cfg file written."}; }
    // What the program holds and what its windows show.
    virtual std::string memory() const { return describe(f.roster); }
    virtual std::string window() const = 0;
    // After a success: what else the action does besides writing.
    virtual bool completed() const { return true; }
    // Whether the writer makes its folder when it is missing.
    virtual bool makesItsFolder() const { return false; }
    // The file as the versions folder knows it; none for a file Vexmoor keeps no versions of.
    virtual std::optional<KeptFile> kept() const { return KeptFile::Roster; }
    // The way back to the main window; whether the main window is usable again.
    virtual bool back() {
        if (f.main().editor() && f.windows.isOpen(f.main().editor()->name()))
            f.main().editor()->closeRequested();
        return f.main().enabled();
    }

    mutable MainFixture f;

protected:
    std::string mainWindow() const {
        std::string text = std::string("main ") + (f.main().enabled() ? "enabled" : "disabled") + "\n";
        for (const WindowModel* open : f.windows.openWindows) text += "open " + open->name() + "\n";
        return text;
    }
    VexmoorMain& main() const { return f.main(); }
    fs::path eraser(const char* name) const { return f.game.root() / "eraser" / name; }
};

class SaveSettings : public Scenario {
public:
    SaveSettings() {
        main().gameplay.WeaponsStayCheckBox.click();
        main().gameplay.TimeLimitText.setText("35");
    }
    fs::path file() const override { return f.settingsFile; }
    void act() override { main().preferences.SaveChangesButton.click(); }
    std::string written() const override {
        return "\"" + f.game.text() +
               "\"\r\n1,1,0,1,1,1,0,0,1,0,0,0,1,0,0,0\r\n4\r\n0,0,\"35\",0,\"20\",0,\"8\",\"0\",\"1\",1,1,0,"
               "1,0\r\n";
    }
    std::vector<std::string> told() const override {
        return {"Changes to .ini file saved. Please restart Vexmoor if you have made changes to your path."};
    }
    // A fresh account may have no configuration folder yet.
    bool makesItsFolder() const override { return true; }
    std::optional<KeptFile> kept() const override { return KeptFile::Settings; }
    std::string memory() const override {
        return "flags " + std::to_string(main().flags.total) + "\n" +
               settingsFileBytes(main(), main().flags.total);
    }
    std::string window() const override {
        const GameplayPage& g = main().gameplay;
        return mainWindow() + describe(main().preferences.ExePathText) + describe(g.TimeLimitText) +
               "WeaponsStay " + std::to_string(g.WeaponsStayCheckBox.state()) + "\n";
    }
};

class Launch : public Scenario {
public:
    Launch() {
        main().bots.SpawnSpecificBotsOption.choose();
        main().bots.SpecificBotList.setSelected(0, true);
        main().bots.SpecificBotList.setSelected(1, true);
    }
    fs::path file() const override { return eraser("launcher.cfg"); }
    void act() override {
        startsBefore_ = f.processes.starts.size();
        main().LaunchButton.click();
    }
    std::string written() const override { return "sv bots Ash Big~Ed\r\n"; }
    std::optional<KeptFile> kept() const override { return std::nullopt; }
    std::vector<std::string> told() const override { return {}; }
    std::string memory() const override {
        return launcherCfgBytes(main()) + launchCommandLine(main()) + "\nstarted " +
               std::to_string(f.processes.starts.size()) + "\n";
    }
    std::string window() const override {
        return mainWindow() + describe(main().bots.SpecificBotList) +
               describe(main().bots.SpawnSpecificBotsOption);
    }
    // The game starts only once its bot list is written.
    bool completed() const override { return f.processes.starts.size() == startsBefore_ + 1; }

private:
    std::size_t startsBefore_ = 0;
};

class BotCommit : public Scenario {
public:
    BotCommit() {
        main().bots.BotEditButton.click();
        form().BotNameList.setSelectedIndex(1);
        form().EditBotButton.click();
        form().ModelList.setSelectedIndex(indexOf(form().ModelList, "wren"));
        form().SkinList.setSelectedIndex(indexOf(form().SkinList, "frost"));
        form().FiringAccuracySlider.setValue(5);
    }
    static int indexOf(const ListBox& list, const std::string& item) {
        const auto found = std::find(list.items().begin(), list.items().end(), item);
        return static_cast<int>(found - list.items().begin());
    }
    BotConfigForm& form() const { return dynamic_cast<BotConfigForm&>(*f.main().editor()); }
    fs::path file() const override { return eraser("bots.cfg"); }
    void act() override { form().CommitChangesButton.click(); }
    std::string written() const override {
        return "[bots]\r\n\"Ash\"\"wren/ember\" 3  3  3  0  0  0  40 \r\n"
               "\"Big Ed\"\"wren/frost\" 5  4  1  7  1  0  90 \r\n"
               "\"Cole\"\"wren/frost\" 5  1  2  3  0  1  120 \r\n[teams]\r\n" +
               kRedFangs + kGloam + kViewWeapons;
    }
    std::string window() const override {
        const BotConfigForm& b = form();
        return mainWindow() + describe(b.BotNameList) + describe(b.BotInfoFrame) + describe(b.ModelList) +
               describe(b.SkinList) + describe(b.BotModelThing) + describe(b.BotSkinThing) + "accuracy " +
               std::to_string(b.FiringAccuracySlider.value()) + "\n" + describe(b.PingText);
    }
};

class TeamCommand : public Scenario {
public:
    TeamCommand() { main().teamplay.EditTeamButton.click(); }
    EditTeamForm& form() const { return dynamic_cast<EditTeamForm&>(*f.main().editor()); }
    fs::path file() const override { return eraser("bots.cfg"); }
    std::string window() const override {
        const EditTeamForm& t = form();
        return mainWindow() + "state " + std::to_string(static_cast<int>(t.state())) + "\n" +
               describe(t.TeamList) + describe(t.AddTeamText) + describe(t.TeamNameShortText) +
               describe(t.TeamModelList) + describe(t.TeamSkinList) + describe(t.TeamIndividualsList) +
               describe(t.SaveButton) + describe(t.SaveButton2) + describe(t.DeleteButton);
    }
    bool completed() const override { return form().state() == EditTeamForm::State::Browse; }
};

class TeamSaveNew : public TeamCommand {
public:
    TeamSaveNew() {
        form().AddButton.click();
        form().AddTeamText.setText("Moss");
        form().TeamNameShortText.setText("MS");
        form().TeamModelList.setSelectedIndex(BotCommit::indexOf(form().TeamModelList, "wren"));
        form().TeamSkinList.setSelectedIndex(BotCommit::indexOf(form().TeamSkinList, "frost"));
        form().TeamIndividualsList.setSelected(2, true);
    }
    void act() override { form().SaveButton.click(); }
    std::string written() const override {
        return kBots + "[teams]\r\n" + kRedFangs + kGloam + "\"Moss\"\"MS\"\"wren/frost\"[\"Cole\"]\r\n" +
               kViewWeapons;
    }
};

class TeamSaveChanged : public TeamCommand {
public:
    TeamSaveChanged() {
        form().TeamList.setSelectedIndex(1);
        form().EditButton.click();
        form().TeamNameShortText.setText("GX");
        form().TeamIndividualsList.setSelected(0, true);
        form().TeamIndividualsList.setSelected(2, true);
    }
    void act() override { form().SaveButton2.click(); }
    std::string written() const override {
        return kBots + "[teams]\r\n" + kRedFangs + "\"Gloam\"\"GX\"\"gaunt/bone\"[\"Ash\" \"Cole\"]\r\n" +
               kViewWeapons;
    }
};

class TeamDelete : public TeamCommand {
public:
    TeamDelete() { form().TeamList.setSelectedIndex(0); }
    // The question is answered Yes.
    void act() override { form().DeleteButton.click(); }
    std::vector<std::string> asked() const override {
        return {"Are you sure that you want to delete the team Red Fangs?"};
    }
    std::string written() const override { return kBots + "[teams]\r\n" + kGloam + kViewWeapons; }
};

class ChatCommit : public Scenario {
public:
    ChatCommit() {
        main().bots.EditChatButton.click();
        form().ChatTypeList.setSelectedIndex(2);
        form().AddButton.click();
        form().lineDialog()->ChatText.setText("Too slow, %s.");
        form().lineDialog()->CommitButton.click();
        form().ChatList(0).setSelectedIndex(1);
    }
    ChatEditForm& form() const { return dynamic_cast<ChatEditForm&>(*f.main().editor()); }
    fs::path file() const override { return eraser("chat.txt"); }
    std::optional<KeptFile> kept() const override { return KeptFile::Chat; }
    void act() override { form().CommitButton.click(); }
    std::vector<std::string> told() const override { return {}; }
    std::string written() const override {
        ChatSections sections;
        sections[0] = {"Hello, %s.", "Well met."};
        sections[1] = {"Missed me, %s?"};
        sections[2] = {"Too slow, %s."};
        return chatFileBytes(sections);
    }
    std::string memory() const override { return chatFileBytes(form().sections()); }
    std::string window() const override {
        std::string text = mainWindow() + describe(form().ChatTypeList) + describe(form().WarningLabel);
        for (std::size_t k = 0; k < kChatCategories; ++k) text += describe(form().ChatList(k));
        return text;
    }
};

class MapCycleCommit : public Scenario {
public:
    MapCycleCommit() {
        main().maps.EditMapCycleButton.click();
        form().MapsAvailableList.setSelected(4, true);
        form().MapsAvailableList.setSelected(7, true);
        form().AddButton.click();
        form().MapsSelectedList.setSelectedIndex(1);
    }
    MapCycleEditForm& form() const { return dynamic_cast<MapCycleEditForm&>(*f.main().editor()); }
    fs::path file() const override { return eraser("maps.txt"); }
    std::optional<KeptFile> kept() const override { return KeptFile::MapCycle; }
    void act() override { form().CommitButton.click(); }
    std::vector<std::string> told() const override { return {}; }
    std::string written() const override {
        const ListEntries available = form().MapsAvailableList.items();
        return kMapCycle + std::string(available[4]) + "\r\n" + std::string(available[7]) + "\r\n";
    }
    std::string memory() const override { return mapCycleBytes(form().MapsSelectedList.items()); }
    std::string window() const override {
        return mainWindow() + describe(form().MapsAvailableList) + describe(form().MapsSelectedList) +
               describe(form().WarningLabel);
    }
};

// ---- Faults.

// The versions folder's own faults come last.
enum class Fault {
    FileReadOnly,
    FolderReadOnly,
    FolderMissing,
    DiskFull,
    FileRemoved,
    DirectoryChanged,
    VersionsReadOnly,
    VersionsDiskFull,
    VersionsBlocked
};

bool isVersionsFault(Fault fault) { return fault >= Fault::VersionsReadOnly; }

// The system's words for a failed write() past the file-size limit.
std::string fileTooLarge() { return std::strerror(EFBIG); }

// The game directory an editor's game is changed to, a copy of it whose files are its own.
fs::path otherGame(const Scenario& s) { return s.f.temp.path() / "other game"; }
std::string otherGameText(const Scenario& s) { return pathText(otherGame(s)) + kPathSeparator; }
fs::path otherGameFile(const Scenario& s) { return otherGame(s) / "eraser" / s.file().filename(); }

// Only the editors' files are read from a game directory while a window is open.
bool editorFile(const Scenario& s) { return s.kept() && *s.kept() != KeptFile::Settings; }

std::string reasonFor(const Scenario& s, Fault fault) {
    const fs::path folder = s.file().parent_path();
    const fs::path& versions = s.f.versionsFolder;
    switch (fault) {
        case Fault::FileReadOnly:
            return "the file is read-only";
        case Fault::FolderReadOnly:
            return "the folder " + pathText(folder) + " is read-only";
        case Fault::FolderMissing:
            return "the folder " + pathText(folder) + " does not exist";
        case Fault::DiskFull:
        case Fault::VersionsDiskFull:
            return fileTooLarge();
        case Fault::VersionsReadOnly:
        case Fault::VersionsBlocked:
            return pathText(versions);
        case Fault::DirectoryChanged:
            return "it was read from the game directory " + s.f.game.text() +
                   ", and the game directory is now " + otherGameText(s);
        case Fault::FileRemoved:
            break;
    }
    return {};
}

// The question the guard puts before the writer goes on, if any, and how it is answered.
enum class Question { None, ChangedOutside, NotKeptYes, NotKeptNo };

Question questionUnder(const Scenario& s, Fault fault) {
    if (!s.kept()) return Question::None;
    if (fault == Fault::DiskFull) return Question::NotKeptYes;
    return isVersionsFault(fault) ? Question::NotKeptNo : Question::None;
}

// ---- One case: the fault, the action, what came of it; then the fault
// lifted and the action again.

struct Observation {
    std::vector<std::string> told;
    // The file where it was, or where its folder was moved to.
    bool exists = false;
    std::string bytes;
    std::string memory;
    std::string window;
    std::vector<std::string> folder;
    // A folder that was moved away and came back before the fault was lifted.
    bool folderAppeared = false;
    // The file of the game directory changed to, when it was.
    bool otherGameUntouched = true;
    bool completed = false;
    std::size_t versionsAfter = 0;  // counted before the fault is lifted
    // Once the fault is gone:
    std::vector<std::string> retryTold;
    std::string retryBytes;
    bool retryCompleted = false;
    std::vector<std::string> retryKept;
    bool usable = false;
};

std::vector<std::string> toldSince(const FakeDialogs& dialogs, std::size_t mark) {
    std::vector<std::string> texts;
    for (std::size_t i = mark; i < dialogs.shown.size(); ++i) texts.push_back(dialogs.shown[i].text);
    return texts;
}

#ifndef _WIN32
// Limits the size of every file this process writes, so a longer write() fails.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        signal(SIGXFSZ, SIG_IGN);
        rlimit limited = old_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    void lift() { setrlimit(RLIMIT_FSIZE, &old_); }

private:
    rlimit old_{};
};
#endif

// Whether the fault leaves the action nothing to fail at.
bool succeedsUnder(const Scenario& s, Fault fault) {
    return fault == Fault::FileRemoved || (fault == Fault::FolderMissing && s.makesItsFolder()) ||
           (!s.kept() && isVersionsFault(fault));
}

// The bytes of the versions kept of the scenario's file, newest first.
std::vector<std::string> keptOf(Scenario& s) {
    std::vector<std::string> kept;
    if (!s.kept()) return kept;
    const VersionStore& store = s.f.main().rewrites().store();
    const std::string filedUnder = RewriteGuard::filedUnder(*s.kept(), s.file());
    const auto versions = store.versions(filedUnder, *s.kept());
    for (const KeptVersion& version : versions ? versions.value() : std::vector<KeptVersion>{}) {
        const auto bytes = store.bytesOf(filedUnder, *s.kept(), version);
        kept.push_back(bytes ? bytes.value() : "(unreadable)");
    }
    return kept;
}

Observation runCase(Scenario& s, Fault fault) {
    const fs::path file = s.file();
    const fs::path folder = file.parent_path();
    const fs::path versions = s.f.versionsFolder;
    fs::path away = folder;
    away += ".away";
    const bool succeeds = succeedsUnder(s, fault);
    const fs::path kept = fault == Fault::FolderMissing && !succeeds ? away / file.filename() : file;
    Observation o;
    std::function<void()> lift = [] {};
    switch (fault) {
        case Fault::FileReadOnly:
            makeReadOnly(file);
            lift = [&] { fs::permissions(file, fs::perms::owner_write, fs::perm_options::add); };
            break;
        case Fault::FolderReadOnly:
            makeReadOnly(folder);
            lift = [&] { fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add); };
            break;
        case Fault::FolderMissing:
            fs::rename(folder, away);
            lift = [&] { fs::rename(away, folder); };
            break;
        case Fault::DiskFull:
        case Fault::VersionsDiskFull: {
#ifndef _WIN32
            // Too small for the new bytes and for the earlier version alike.
            const std::size_t smaller = std::min(s.written().size(), readBytes(file).size());
            auto limit = std::make_shared<FileSizeLimit>(static_cast<rlim_t>(smaller / 2));
            lift = [limit] { limit->lift(); };
#endif
            break;
        }
        case Fault::FileRemoved:
            fs::remove(file);
            break;
        case Fault::DirectoryChanged:
            fs::copy(s.f.game.root(), otherGame(s), fs::copy_options::recursive);
            writeBytes(otherGameFile(s), "# the other game's own\r\n");
            s.f.main().preferences.ExePathText.setText(otherGameText(s));
            lift = [&] { s.f.main().preferences.ExePathText.setText(s.f.game.text()); };
            break;
        case Fault::VersionsReadOnly:
            fs::create_directories(versions);
            makeReadOnly(versions);
            lift = [&] { fs::permissions(versions, fs::perms::owner_write, fs::perm_options::add); };
            break;
        case Fault::VersionsBlocked:
            fs::remove_all(versions);
            fs::create_directories(versions.parent_path());
            writeBytes(versions, "not a folder");
            lift = [&] { fs::remove(versions); };
            break;
    }
    // The guard's question is answered Yes where the writer is to go on;
    // the action's own questions (Delete Team's) come first, answered Yes.
    const Question question = questionUnder(s, fault);
    if (question == Question::ChangedOutside || question == Question::NotKeptYes)
        s.f.dialogs.answers.assign(s.asked().size() + 1, Answer::Yes);

    std::size_t mark = s.f.dialogs.shown.size();
    s.act();
    o.told = toldSince(s.f.dialogs, mark);
    o.completed = s.completed();
    o.exists = fs::exists(kept);
    o.bytes = o.exists ? readBytes(kept) : std::string();
    o.memory = s.memory();
    o.window = s.window();
    o.folder = entriesOf(fault == Fault::FolderMissing && !succeeds ? away : folder);
    o.folderAppeared = fault == Fault::FolderMissing && fs::exists(folder);
    o.otherGameUntouched =
        fault != Fault::DirectoryChanged || readBytes(otherGameFile(s)) == "# the other game's own\r\n";
    if (!succeeds) {
        // A file in the versions folder's way lists nothing: counted before it goes.
        o.versionsAfter = keptOf(s).size();
        lift();
        s.f.dialogs.answers.clear();
        mark = s.f.dialogs.shown.size();
        s.act();
        o.retryTold = toldSince(s.f.dialogs, mark);
        o.retryCompleted = s.completed();
        o.retryBytes = readBytes(file);
        o.retryKept = keptOf(s);
    }
    o.usable = s.back();
    return o;
}

// What went wrong in a case; empty when it behaved.
std::vector<std::string> problemsOf(Scenario& s, Fault fault) {
    const fs::path file = s.file();
    const bool existedBefore = fs::exists(file);
    const std::string bytesBefore = existedBefore ? readBytes(file) : std::string();
    const std::string memoryBefore = s.memory();
    const std::string windowBefore = s.window();
    const std::vector<std::string> folderBefore = entriesOf(file.parent_path());
    const std::string expected = s.written();
    const std::size_t versionsBefore = keptOf(s).size();

    const Observation o = runCase(s, fault);

    std::vector<std::string> problems;
    const auto require = [&problems](bool holds, const std::string& what) {
        if (!holds) problems.push_back(what);
    };
    const Question question = questionUnder(s, fault);
    // What is shown before the outcome: the action's own questions, then the guard's.
    std::vector<std::string> before = s.asked();
    if (question == Question::ChangedOutside)
        before.push_back(RewriteGuard::changedOutsideQuestion(file).text);
    std::vector<std::string> succeeded = s.asked();
    for (const std::string& text : s.told()) succeeded.push_back(text);
    if (succeedsUnder(s, fault)) {
        std::vector<std::string> shown = before;
        for (const std::string& text : s.told()) shown.push_back(text);
        require(o.told == shown, "the messages of a successful action were not the only ones shown");
        require(o.completed, "the action did not complete");
        require(o.exists && o.bytes == expected, "the file was not written anew with what the window held");
        require(o.usable, "the main window could not be reached again");
        return problems;
    }
    const bool notKept = question == Question::NotKeptYes || question == Question::NotKeptNo;
    // A version not kept and left so (No) is the last word; otherwise the writer's own failure is.
    const std::size_t messages =
        before.size() + (notKept ? 1 : 0) + (question == Question::NotKeptNo ? 0 : 1);
    require(o.told.size() == messages && std::equal(before.begin(), before.end(), o.told.begin()),
            notKept ? "not exactly one question about the version and one message about the failure"
                    : "not exactly one message about the failure");
    if (notKept)
        require(o.told.size() > before.size() &&
                    o.told[before.size()].starts_with("Vexmoor could not keep an earlier version of " +
                                                      pathText(file) + " before rewriting it."),
                "no question naming the file whose earlier version could not be kept");
    const std::string reason = reasonFor(s, fault);
    const std::string named = isVersionsFault(fault) ? reason : pathText(file) + ": " + reason;
    require(!o.told.empty() && o.told.back().find(named) != std::string::npos,
            "no message naming the file and the reason (\"" + named + "\")");
    require(o.exists == existedBefore && o.bytes == bytesBefore, "the file on disk changed");
    require(!o.folderAppeared, "the missing folder was made anew");
    require(o.otherGameUntouched, "the other game directory's file was written");
    require(o.memory == memoryBefore, "the data in memory changed");
    require(o.window == windowBefore, "the window shows something else");
    require(o.folder == folderBefore, "the folder holds other entries (a temporary file left behind?)");
    require(o.retryTold == succeeded, "the action once the fault was gone did not succeed");
    require(o.retryCompleted, "the action once the fault was gone did not complete");
    require(o.retryBytes == expected, "the action once the fault was gone wrote other bytes");
    require(!notKept || o.versionsAfter == versionsBefore, "a version was kept although it could not be");
    require(!s.kept() || (o.retryKept.size() == versionsBefore + 1 && o.retryKept.front() == bytesBefore),
            "the file as it was before is not the newest version kept");
    require(o.usable, "the main window could not be reached again");
    return problems;
}

#ifndef _WIN32
// Runs a case in a child process, whose file-size limit stays its own; what
// went wrong comes back one line each.
std::vector<std::string> problemsInChild(Scenario& s, Fault fault) {
    int ends[2];
    if (pipe(ends) != 0) return {"no pipe to a child process"};
    std::cout.flush();
    const pid_t child = fork();
    if (child == 0) {
        close(ends[0]);
        std::string out;
        for (const std::string& problem : problemsOf(s, fault)) out += problem + "\n";
        const bool sent = write(ends[1], out.data(), out.size()) == static_cast<ssize_t>(out.size());
        _exit(sent ? 0 : 1);
    }
    close(ends[1]);
    std::string in;
    char buffer[4096];
    for (ssize_t n; (n = read(ends[0], buffer, sizeof buffer)) > 0;)
        in.append(buffer, static_cast<std::size_t>(n));
    close(ends[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {"the child process did not run the case to its end"};
    std::vector<std::string> problems;
    for (std::size_t start = 0, end; (end = in.find('\n', start)) != std::string::npos; start = end + 1)
        problems.push_back(in.substr(start, end - start));
    return problems;
}
#endif

std::vector<std::string> problemsUnder(Scenario& s, Fault fault) {
#ifndef _WIN32
    if (fault == Fault::DiskFull || fault == Fault::VersionsDiskFull) return problemsInChild(s, fault);
#endif
    return problemsOf(s, fault);
}

struct Writer {
    const char* file;
    const char* action;
    std::function<std::unique_ptr<Scenario>()> make;
};

template <class S>
std::function<std::unique_ptr<Scenario>()> maker() {
    return [] { return std::make_unique<S>(); };
}

const std::vector<Writer>& writers() {
    static const std::vector<Writer> all = {
        {"vexmoor.ini", "Save Settings", maker<SaveSettings>()},
        {"launcher.cfg", "Launch!", maker<Launch>()},
        {"bots.cfg", "bot editor: Commit Changes", maker<BotCommit>()},
        {"bots.cfg", "team editor: Save (new team)", maker<TeamSaveNew>()},
        {"bots.cfg", "team editor: Save (changed team)", maker<TeamSaveChanged>()},
        {"bots.cfg", "team editor: Delete Team", maker<TeamDelete>()},
        {"chat.txt", "chat editor: Commit Changes", maker<ChatCommit>()},
        {"maps.txt", "map cycle editor: Commit Changes", maker<MapCycleCommit>()},
    };
    return all;
}

struct Column {
    const char* title;
    std::vector<Fault> faults;  // every one of them runs
};

std::vector<Column> columns() {
#ifdef _WIN32
    // Windows writes into a folder marked read-only, and has no file-size limit.
    return {{"file read-only", {Fault::FileReadOnly}},
            {"folder missing", {Fault::FolderMissing}},
            {"file removed", {Fault::FileRemoved}},
            {"directory changed under an open editor", {Fault::DirectoryChanged}},
            {"versions: file in the way", {Fault::VersionsBlocked}}};
#else
    return {{"file read-only", {Fault::FileReadOnly}},
            {"folder read-only / missing", {Fault::FolderReadOnly, Fault::FolderMissing}},
            {"disk full (EFBIG)", {Fault::DiskFull}},
            {"file removed", {Fault::FileRemoved}},
            {"directory changed under an open editor", {Fault::DirectoryChanged}},
            {"versions read-only", {Fault::VersionsReadOnly}},
            {"versions: disk full", {Fault::VersionsDiskFull}},
            {"versions: file in the way", {Fault::VersionsBlocked}}};
#endif
}

std::string cell(const std::string& text, std::size_t width) {
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

TEST(FaultMatrix, EveryWriterUnderEveryFaultLosesNothingAndTellsWhy) {
    const std::vector<Column> faultColumns = columns();
    // Per command and column: what came of it, or what went wrong; and the
    // same per file, a failure of any of its commands standing for the file.
    std::vector<std::vector<std::string>> byCommand;
    std::map<std::string, std::vector<std::string>> byFile;
    for (const Writer& writer : writers()) {
        std::vector<std::string> row;
        for (const Column& column : faultColumns) {
            std::string outcome;
            for (const Fault fault : column.faults) {
                SCOPED_TRACE(std::string(writer.action) + ", " + column.title);
                auto scenario = writer.make();
                // A full disk under a file no versions are kept of is the plain full disk.
                if (fault == Fault::VersionsDiskFull && !scenario->kept()) {
                    outcome = "keeps no versions";
                    continue;
                }
                if (fault == Fault::DirectoryChanged && !editorFile(*scenario)) {
                    outcome = "not an editor's";
                    continue;
                }
                const std::string expected = succeedsUnder(*scenario, fault) ? "written anew"
                                             : questionUnder(*scenario, fault) == Question::NotKeptNo
                                                 ? "asked, No: unchanged"
                                                 : "told, kept, retried";
                const std::vector<std::string> problems = problemsUnder(*scenario, fault);
                for (const std::string& problem : problems) ADD_FAILURE() << problem;
                const std::string text = problems.empty() ? expected : "FAILED: " + problems.front();
                if (outcome.find(text) == std::string::npos) outcome += (outcome.empty() ? "" : " / ") + text;
            }
            row.push_back(outcome);
        }
        byCommand.push_back(row);
        auto [fileRow, first] = byFile.try_emplace(writer.file, row);
        for (std::size_t c = 0; !first && c < row.size(); ++c)
            if (row[c].starts_with("FAILED")) fileRow->second[c] = row[c];
    }

    std::ostringstream table;
    const auto line = [&](const std::string& title, const std::vector<std::string>& cells,
                          std::size_t width) {
        table << cell(title, width);
        for (const std::string& text : cells) table << cell(text, 36);
        table << "\n";
    };
    std::vector<std::string> titles;
    for (const Column& column : faultColumns) titles.push_back(column.title);
    table << "\nFault matrix: " << byFile.size() << " writers x " << faultColumns.size()
          << " faults = " << byFile.size() * faultColumns.size() << " cases\n";
    line("file (writer)", titles, 14);
    for (const Writer& writer : writers()) {
        if (const auto row = byFile.find(writer.file); row != byFile.end()) {
            line(writer.file, row->second, 14);
            byFile.erase(row);
        }
    }
    table << "\nbots.cfg, by the command that writes it\n";
    line("command", titles, 34);
    for (std::size_t w = 0; w < writers().size(); ++w)
        if (std::string(writers()[w].file) == "bots.cfg") line(writers()[w].action, byCommand[w], 34);
    table
        << "\ntold, kept, retried: the action failed with one message naming the file and the reason; the "
           "file\n"
           "  (or its absence), the data in memory and the window stayed as they were, no temporary file "
           "was\n"
           "  left, and the same action succeeded once the fault was gone, keeping the file as it was as\n"
           "  its newest earlier version; the main window was usable again. On a full disk the action first\n"
           "  asked whether to go on without an earlier version (answered Yes). Under another game\n"
           "  directory the message named both, and the other game's file stayed as it was.\n"
           "asked, No: unchanged: the versions folder could not take the earlier version; the action said\n"
           "  so, naming the file and the reason, and asked whether to go on without it; the default, No,\n"
           "  left everything as it was, and the same action succeeded and kept the version once the fault\n"
           "  was gone.\n"
           "written anew: the action does not fail; the file (for the settings also their missing folder)\n"
           "  was written again from what the window held, without a question and keeping no version: a\n"
           "  file gone has nothing to protect.\n"
           "not an editor's: Save Settings and Launch! write for the game directory in force.\n";
    std::cout << table.str() << std::flush;
}

}  // namespace
}  // namespace vexmoor::testing
