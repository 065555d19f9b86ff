// Windows behaviour that only a Windows build shows: drive letters, the
// settings file on drive C, paths with backslashes whose names are the
// program's Windows-1252 bytes, the safe writer against Windows' file
// locking. CI runs these under Wine.
#ifdef _WIN32

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "core/code_page.h"
#include "core/paths.h"
#include "core/ports.h"
#include "launcher/browse_form.h"
#include "launcher/launch.h"
#include "options/started_main.h"
#include "platform/drives.h"
#include "platform/process_starter.h"
#include "platform/settings_location.h"
#include "roster/catalogue.h"
#include "roster/roster_file.h"
#include "support/program_folders.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

bool underWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// Under Wine: the Windows path of a path on the machine Wine runs on.
fs::path windowsPathOf(const std::string& hostPath) {
    using Convert = WCHAR*(CDECL*)(LPCSTR);
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name");
    if (!found) return {};
    const auto convert = reinterpret_cast<Convert>(reinterpret_cast<void (*)()>(found));
    WCHAR* converted = convert(hostPath.c_str());
    if (!converted) return {};
    fs::path path(converted);
    HeapFree(GetProcessHeap(), 0, converted);
    return path;
}

// The UTF-8 form of the program's bytes, as the stand-in game records texts.
std::string utf8(const std::string& bytes) {
    const std::wstring wide = code_page::widened(bytes);
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size, nullptr,
                        nullptr);
    return text;
}

std::vector<std::string> entriesOf(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(pathText(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::vector<std::string>> waitForStarts(const GameDirectoryBuilder& game, std::size_t count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    auto starts = game.recordedStarts();
    while (starts.size() < count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        starts = game.recordedStarts();
    }
    return starts;
}

TEST(WindowsPaths, AreTheProgramsWindows1252BytesWithBackslashes) {
    EXPECT_EQ(pathText(rosterPath("c:\\quake2\\")), "c:\\quake2\\eraser\\bots.cfg");
    EXPECT_EQ(pathText(gamePath("d:\\", "baseq2\\players\\")), "d:\\baseq2\\players\\");
    // "\x80" is the euro sign, "\x81" one of the five bytes the code page
    // leaves undefined, which stand for the code point of the same value.
    EXPECT_EQ(pathFromText("c:\\J\xFCrgen\\\x80\x81\\").native(), L"c:\\J\u00FCrgen\\\u20AC\u0081\\");
    std::string everyByte;
    for (int byte = 1; byte < 256; ++byte) everyByte += static_cast<char>(byte);
    EXPECT_EQ(pathText(pathFromText(everyByte)), everyByte);
    // A name the code page cannot hold shows as the system shows it to 8-bit programs.
    EXPECT_EQ(pathText(fs::path(L"c:\\\u0416uk")), "c:\\?uk");
}

TEST(WindowsDrives, AreTheDriveLettersAndTheChooserStartsAtC) {
    const SystemDrives drives;
    const auto list = drives.list();
    ASSERT_FALSE(list.empty());
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string& label = list[i].label;
        ASSERT_EQ(label.size(), 2u) << label;
        EXPECT_TRUE(label[0] >= 'a' && label[0] <= 'z' && label[1] == ':') << label;
        EXPECT_EQ(list[i].root, fs::path(label + "\\"));
        if (i > 0) {
            EXPECT_LT(list[i - 1].label, label);
        }
    }
    ASSERT_LT(drives.startIndex(), list.size());
    EXPECT_EQ(list[drives.startIndex()].label, "c:");
}

// A drive letter that leads to a folder that is not there, which Windows
// lists but cannot read: a drive without its medium.
class EmptyDrive {
public:
    explicit EmptyDrive(fs::path missing) : target_(std::move(missing)) {
        const DWORD used = GetLogicalDrives();
        for (wchar_t letter = L'Q'; letter <= L'Y' && device_.empty(); ++letter)
            if (!(used & (DWORD{1} << (letter - L'A')))) device_ = std::wstring{letter, L':'};
        if (!device_.empty() && !DefineDosDeviceW(0, device_.c_str(), target_.c_str())) device_.clear();
    }
    ~EmptyDrive() {
        if (!device_.empty())
            DefineDosDeviceW(DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE, device_.c_str(),
                             target_.c_str());
    }
    EmptyDrive(const EmptyDrive&) = delete;
    EmptyDrive& operator=(const EmptyDrive&) = delete;

    bool defined() const { return !device_.empty(); }
    std::string label() const { return std::string{static_cast<char>(device_[0] - L'A' + L'a'), ':'}; }

private:
    fs::path target_;
    std::wstring device_;
};

TEST(WindowsChooser, StartsAtCAndADriveWithoutItsMediumIsNotReady) {
    const TempDir temp;
    const EmptyDrive empty(temp.path() / "no medium");
    ASSERT_TRUE(empty.defined());
    FakeDialogs dialogs;
    const SystemDrives drives;
    BrowseForm chooser(BrowseForm::Mode::MainWindow, dialogs, drives, {});
    const auto& labels = chooser.QuakeDrive.items();
    const auto selected = [&] {
        return labels[static_cast<std::size_t>(chooser.QuakeDrive.selectedIndex())];
    };

    EXPECT_EQ(selected(), "c:");
    EXPECT_EQ(pathText(chooser.QuakeDir.path()), "c:\\");
    EXPECT_EQ(chooser.Label2.caption(), "c:\\");
    // A drive root keeps its single backslash.
    EXPECT_EQ(chooser.chosenDirectory(), "c:\\");
    const auto& folders = chooser.QuakeDir.folders();
    EXPECT_TRUE(std::any_of(folders.begin(), folders.end(), [](std::string name) {
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return name == "windows";
    }));

    const auto at = std::find(labels.begin(), labels.end(), empty.label());
    ASSERT_NE(at, labels.end());
    dialogs.answers = {Answer::Retry, Answer::Cancel};
    chooser.QuakeDrive.setSelectedIndex(static_cast<int>(at - labels.begin()));

    ASSERT_EQ(dialogs.shown.size(), 2u);
    for (const Message& message : dialogs.shown) {
        EXPECT_EQ(message.text, empty.label() + " is not accessible.\r\nThe device is not ready.");
        EXPECT_EQ(message.buttons, Buttons::RetryCancel);
        EXPECT_EQ(message.icon, Icon::Critical);
        EXPECT_EQ(message.title, "vexmoor");
    }
    EXPECT_EQ(selected(), "c:");
    EXPECT_EQ(pathText(chooser.QuakeDir.path()), "c:\\");

    ASSERT_TRUE(chooser.QuakeDir.setPath(temp.path()));
    EXPECT_EQ(chooser.chosenDirectory(), temp.text());
    EXPECT_EQ(chooser.chosenDirectory().back(), '\\');
}

// The settings file is c:\vexmoor.ini. Only under Wine does the test write
// it, in the test's own Wine prefix: on Windows it is the user's real file.
TEST(WindowsSettingsLocation, IsCVexmoorIniOnWinesDriveC) {
    const SystemSettingsLocation settings;
    ASSERT_EQ(settings.settingsFile(), fs::path("c:\\vexmoor.ini"));
    const char* prefix = std::getenv("WINEPREFIX");
    if (!underWine() || !prefix || !*prefix)
        GTEST_SKIP() << "writes c:\\vexmoor.ini only under Wine with a Wine prefix of its own";
    const fs::path onDriveC = windowsPathOf(std::string(prefix) + "/drive_c/vexmoor.ini");
    ASSERT_FALSE(onDriveC.empty());
    const SettingsFileTurn turn;
    struct Remove {
        ~Remove() {
            std::error_code ignored;
            fs::remove("c:\\vexmoor.ini", ignored);
        }
    } removeAfterwards;
    fs::remove(settings.settingsFile());

    const TempDir temp;
    GameDirectoryBuilder game(temp.path() / "Quake 2");
    game.withRoster(rosterFile({"Tom"}, {})).withGame();
    FakeDialogs dialogs;
    FakeWindows windows;
    FakeAlert alert;
    FakeProcessStarter processes;
    const SystemDrives drives;
    Roster roster;
    {
        VexmoorMain first(Services{dialogs, windows, alert, processes, settings, drives}, roster);
        first.startUp();
        ASSERT_NE(first.browseForm(), nullptr);
        ASSERT_TRUE(first.browseForm()->QuakeDir.setPath(game.root()));
        first.browseForm()->SetButton.click();
        EXPECT_EQ(windows.quits, 1);
    }
    const std::string written = readBytes(onDriveC);
    EXPECT_EQ(written.substr(0, written.find("\r\n")), "\"" + game.text() + "\"");
    EXPECT_EQ(game.text().back(), '\\');

    VexmoorMain next(Services{dialogs, windows, alert, processes, settings, drives}, roster);
    next.startUp();
    EXPECT_EQ(next.browseForm(), nullptr);
    EXPECT_EQ(next.preferences.ExePathText.text(), game.text());
    EXPECT_EQ(next.bots.SpecificBotList.items(), std::vector<std::string>{"Tom"});
}

// The earlier versions go to the user's local application data, never drive C's root.
TEST(WindowsSettingsLocation, KeepsEarlierVersionsInTheLocalApplicationData) {
    const std::string local = std::getenv("LOCALAPPDATA") ? std::getenv("LOCALAPPDATA") : "";
    _putenv_s("LOCALAPPDATA", "C:\\Users\\Player\\AppData\\Local");
    EXPECT_EQ(SystemSettingsLocation().versionsFolder(),
              fs::path("C:\\Users\\Player\\AppData\\Local\\Vexmoor\\versions"));
    _putenv_s("LOCALAPPDATA", local.c_str());
}

// A game directory named with letters beyond ASCII: the settings file's bytes
// find the folder, its files and the game, and go back unchanged.
TEST(WindowsGameDirectory, NamedWithAccentedLettersWorksFromStartUpToTheStartedGame) {
    const TempDir temp;
    const std::string name =
        "Quake 2 \x80 \xC9"
        "dition";  // "€" and "É" in Windows-1252
    GameDirectoryBuilder game(temp.path() / pathFromText(name));
    game.withRoster(rosterFile({"Zo\xEB", "Big Ed"}, {}))
        .withMaps({"moor.bsp"})
        .withMapArchive()
        .withModel("rook", {"slate.pcx"})
        .withGame();
    ASSERT_TRUE(fs::is_directory(temp.path() / L"Quake 2 \u20AC \u00C9dition"));
    EXPECT_EQ(game.text(), temp.text() + name + "\\");

    FakeDialogs dialogs;
    FakeWindows windows;
    FakeAlert alert;
    SystemProcessStarter processes;
    const FakeSettingsLocation settings(temp.path() / "vexmoor.ini");
    const SystemDrives drives;
    Roster roster;
    writeBytes(settings.settingsFile(), "\"" + game.text() + "\"\r\n" + MainFixture::kDefaultSettingsTail);
    VexmoorMain main(Services{dialogs, windows, alert, processes, settings, drives}, roster);
    main.startUp();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(main.bots.SpecificBotList.items(), (std::vector<std::string>{"Zo\xEB", "Big Ed"}));
    EXPECT_EQ(main.maps.MapFile.items(), std::vector<std::string>{"moor.bsp"});
    EXPECT_EQ(ListModels(game.text()), std::vector<std::string>{"rook"});
    EXPECT_EQ(ListSkins(game.text(), "rook"), std::vector<std::string>{"slate"});

    main.LaunchButton.click();
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_EQ(waitForStarts(game, 1).size(), 1u);
    EXPECT_EQ(game.recordedStarts()[0][0], utf8(pathText(game.root())));
    EXPECT_EQ(game.recordedCommandLines(), std::vector<std::string>{utf8(defaultCommandLine(game.text()))});
    EXPECT_TRUE(fs::exists(game.root() / "eraser" / "launcher.cfg"));

    main.preferences.SaveChangesButton.click();
    EXPECT_EQ(readBytes(settings.settingsFile()).rfind("\"" + game.text() + "\"\r\n", 0), 0u);

    std::string chosen;
    BrowseForm chooser(BrowseForm::Mode::MainWindow, dialogs, drives,
                       {[&](const std::string& directory) { chosen = directory; }, {}, {}});
    ASSERT_TRUE(chooser.QuakeDir.setPath(temp.path()));
    EXPECT_NE(std::find(chooser.QuakeDir.folders().begin(), chooser.QuakeDir.folders().end(), name),
              chooser.QuakeDir.folders().end());
    ASSERT_TRUE(chooser.QuakeDir.setPath(temp.path() / pathFromText(name)));
    chooser.SetButton.click();
    EXPECT_EQ(chosen, game.text());
}

// Wine keeps the hidden and system marks of folders; the read-only and
// archive marks (which rule a folder out as well) it does not keep on folders.
TEST(WindowsCatalogue, FoldersMarkedHiddenOrSystemAreNoModels) {
    const TempDir temp;
    GameDirectoryBuilder game(temp.path());
    const fs::path players = temp.path() / "baseq2" / "players";
    for (const char* model : {"rook", "hidden", "system"}) game.withModel(model, {"skin.pcx"});
    const struct {
        const char* folder;
        DWORD mark;
    } marks[] = {{"hidden", FILE_ATTRIBUTE_HIDDEN}, {"system", FILE_ATTRIBUTE_SYSTEM}};
    for (const auto& m : marks) {
        const fs::path folder = players / m.folder;
        ASSERT_TRUE(SetFileAttributesW(folder.c_str(), m.mark)) << m.folder;
        ASSERT_TRUE(GetFileAttributesW(folder.c_str()) & m.mark) << m.folder;
    }
    EXPECT_EQ(ListModels(game.text()), std::vector<std::string>{"rook"});
}

TEST(WindowsMapFolder, FilesMarkedHiddenOrSystemAreNotListedAndDoNotCount) {
    const TempDir temp;
    const fs::path maps = temp.path() / "maps";
    fs::create_directories(maps / "folder.bsp");
    for (const char* name : {"alpha.bsp", "hidden.bsp", "system.bsp"}) std::ofstream(maps / name) << "map";
    const auto mark = [](const fs::path& file, DWORD attribute) {
        ASSERT_TRUE(SetFileAttributesW(file.c_str(), attribute)) << file;
        ASSERT_TRUE(GetFileAttributesW(file.c_str()) & attribute) << file;
    };
    mark(maps / "hidden.bsp", FILE_ATTRIBUTE_HIDDEN);
    mark(maps / "system.bsp", FILE_ATTRIBUTE_SYSTEM);

    const auto listed = listFiles(maps, ".bsp");
    ASSERT_TRUE(listed) << listed.error().describe();
    EXPECT_EQ(listed.value(), std::vector<std::string>{"alpha.bsp"});
    EXPECT_TRUE(holdsOrdinaryFile(maps));
    fs::remove(maps / "alpha.bsp");
    EXPECT_FALSE(holdsOrdinaryFile(maps));
    EXPECT_FALSE(listFiles(temp.path() / "missing", ".bsp"));
}

TEST(WindowsSafeWriter, AFileHeldOpenWithoutSharingIsLeftAsItWasAndTheUserIsTold) {
    const TempDir dir;
    const fs::path path = rosterPath(dir.text());
    const std::string old = "[bots]\r\n\"Old\"\"rook/slate\" 1  1  1  1  1  1  1 \r\n";
    writeBytes(path, old);
    const HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    FakeDialogs dialogs;

    const Status status = WriteRoster(path, Roster{}, ModelSkinSource::AsRead, dialogs);
    CloseHandle(held);

    ASSERT_FALSE(status);
    EXPECT_EQ(status.error().file, pathText(path));
    EXPECT_TRUE(status.error().reason.starts_with("the file cannot be replaced (")) << status.error().reason;
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              "Bots.cfg was not written: " + status.error().describe() + ". The file on disk is unchanged.");
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(entriesOf(path.parent_path()), std::vector<std::string>{"bots.cfg"});
}

// A reader that opens the file again and again while it is rewritten sees
// the old content or the new, whole, and never a missing file. A rewrite may
// fail while the reader has the file open; the file then keeps what it had.
TEST(WindowsSafeWriter, ReadersSeeTheOldFileOrTheNewOneAndNeverAPart) {
    const TempDir dir;
    const fs::path file = dir.path() / "vexmoor.ini";
    const std::string small(3000, 'a');
    const std::string large(70000, 'b');
    ASSERT_TRUE(writeWholeFile(file, small));

    std::atomic<bool> done{false};
    std::vector<std::string> wrong;
    int reads = 0;
    std::thread reader([&] {
        while (!done) {
            const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                              OPEN_EXISTING, 0, nullptr);
            if (handle == INVALID_HANDLE_VALUE) {
                wrong.push_back("cannot be opened: error " + std::to_string(GetLastError()));
                continue;
            }
            std::string content;
            char buffer[65536];
            DWORD got = 0;
            while (ReadFile(handle, buffer, sizeof buffer, &got, nullptr) && got > 0)
                content.append(buffer, got);
            CloseHandle(handle);
            ++reads;
            if (content != small && content != large)
                wrong.push_back(std::to_string(content.size()) + " bytes");
        }
    });
    int rewrites = 0;
    std::string last = small;
    for (int i = 0; i < 200; ++i) {
        const std::string& next = i % 2 ? small : large;
        if (writeWholeFile(file, next)) {
            ++rewrites;
            last = next;
        }
    }
    done = true;
    reader.join();

    EXPECT_TRUE(wrong.empty()) << wrong.size() << " wrong reads, the first: " << wrong.front();
    EXPECT_GT(reads, 0);
    EXPECT_GT(rewrites, 0);
    EXPECT_EQ(readBytes(file), last);
    EXPECT_EQ(entriesOf(dir.path()), std::vector<std::string>{"vexmoor.ini"});
}

}  // namespace
}  // namespace vexmoor::testing

#endif
