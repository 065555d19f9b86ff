#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "launcher/vexmoor_main.h"
#include "support/main_fixture.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

TEST(MainWindow, EachTabShowsExactlyItsOwnPage) {
    MainFixture f;
    VexmoorMain& main = f.main();
    const std::vector<Frame*> pages = {&main.AboutTab,
                                       &main.bots.BotTab,
                                       &main.maps.MapTab,
                                       &main.teamplay.GameplayTab,
                                       &main.gameplay.ConsoleTab,
                                       &main.preferences.PreferencesTab};
    const auto visiblePages = [&] {
        std::vector<std::string> names;
        for (const Frame* page : pages)
            if (page->visible()) names.push_back(page->name());
        return names;
    };
    EXPECT_EQ(visiblePages(), std::vector<std::string>{"AboutTab"});  // at start

    const std::vector<std::string> expected = {"AboutTab",    "BotTab",     "MapTab",
                                               "GameplayTab", "ConsoleTab", "PreferencesTab"};
    for (int tab : {3, 6, 1, 5, 2, 4, 6}) {
        main.BotTabStrip.setValue(tab);
        EXPECT_EQ(visiblePages(), std::vector<std::string>{expected[static_cast<std::size_t>(tab - 1)]})
            << tab;
    }
}

// A stand-in editor window.
struct StandInEditor : WindowModel {
    StandInEditor() : WindowModel("StandInEditor", "Editor") {}
};

struct EditCase {
    const char* what;
    std::function<Button&(VexmoorMain&)> button;
    VexmoorMain::Editor editor;
    std::string file;     // under eraser/
    std::string message;  // the start of the message when it is missing
};

const std::vector<EditCase> kEditCases = {
    {"bot profiles", [](VexmoorMain& m) -> Button& { return m.bots.BotEditButton; },
     VexmoorMain::Editor::BotProfiles, "bots.cfg", "There is no bots.cfg in path "},
    {"chat", [](VexmoorMain& m) -> Button& { return m.bots.EditChatButton; }, VexmoorMain::Editor::Chat,
     "chat.txt", "There is no chat.txt in path "},
    {"map cycle", [](VexmoorMain& m) -> Button& { return m.maps.EditMapCycleButton; },
     VexmoorMain::Editor::MapCycle, "maps.txt", "There is no maps.txt in path "},
    {"teams", [](VexmoorMain& m) -> Button& { return m.teamplay.EditTeamButton; }, VexmoorMain::Editor::Teams,
     "bots.cfg", "There is no bots.cfg in path "},
};

// Writes the three editable files except the one named, which is missing or
// (asFolder) a folder.
void writeAllBut(GameDirectoryBuilder& game, const std::string& missing, bool asFolder) {
    if (missing != "bots.cfg") game.withRoster("[bots]\r\n[teams]\r\n[view weapons]\r\n");
    if (missing != "chat.txt") game.withChat("");
    if (missing != "maps.txt") game.withMapCycle("");
    if (asFolder) fs::create_directories(game.root() / "eraser" / missing);
}

TEST(MainWindow, AnEditButtonWhoseFileIsMissingSaysSoAndKeepsTheWindow) {
    for (const auto& [c, asFolder] :
         {std::pair{kEditCases[0], false}, std::pair{kEditCases[1], false}, std::pair{kEditCases[2], false},
          std::pair{kEditCases[3], false}, std::pair{kEditCases[1], true}, std::pair{kEditCases[3], true}}) {
        SCOPED_TRACE(std::string(c.what) + (asFolder ? ", a folder in its place" : ""));
        MainFixture f;
        writeAllBut(f.game, c.file, asFolder);
        VexmoorMain& main = f.main();
        main.preferences.ExePathText.setText(f.game.text());
        main.registerEditor(c.editor, [](VexmoorMain&) { return std::make_unique<StandInEditor>(); });

        c.button(main).click();

        ASSERT_EQ(f.dialogs.shown.size(), 1u);
        EXPECT_EQ(f.dialogs.shown[0].text, c.message + f.game.text() + "eraser.");
        EXPECT_EQ(f.dialogs.shown[0].title, "vexmoor");
        EXPECT_EQ(f.dialogs.shown[0].buttons, Buttons::Ok);
        EXPECT_TRUE(main.enabled());
        EXPECT_TRUE(f.windows.opened.empty());
        EXPECT_EQ(main.editor(), nullptr);
    }
}

TEST(MainWindow, AnEditButtonWithItsFileOpensTheRegisteredEditorAndDisablesTheWindow) {
    for (const EditCase& c : kEditCases) {
        SCOPED_TRACE(c.what);
        MainFixture f;
        f.game.withRoster("").withChat("").withMapCycle("");
        f.writeSettings();
        VexmoorMain& main = f.startUp();

        c.button(main).click();  // nothing registered: nothing opens, nothing breaks
        EXPECT_TRUE(f.dialogs.shown.empty());
        EXPECT_TRUE(f.windows.opened.empty());
        EXPECT_TRUE(main.enabled());

        VexmoorMain* openedFor = nullptr;
        main.registerEditor(c.editor, [&](VexmoorMain& m) {
            openedFor = &m;
            return std::make_unique<StandInEditor>();
        });
        c.button(main).click();
        EXPECT_EQ(openedFor, &main);
        EXPECT_EQ(f.windows.opened, std::vector<std::string>{"StandInEditor"});
        EXPECT_FALSE(main.enabled());

        main.closeEditor();
        EXPECT_EQ(f.windows.closed, std::vector<std::string>{"StandInEditor"});
        EXPECT_EQ(f.windows.focused, std::vector<std::string>{"VexmoorMain"});
        EXPECT_TRUE(main.enabled());
        EXPECT_TRUE(f.dialogs.shown.empty());
    }
}

TEST(MainWindow, TheEditorsReadTheGameDirectoryAfresh) {
    MainFixture f;
    GameDirectoryBuilder other(f.temp.path() / "other");
    other.withChat("");
    VexmoorMain& main = f.main();
    main.preferences.ExePathText.setText(f.game.text());
    main.bots.EditChatButton.click();
    main.preferences.ExePathText.setText(other.text());
    main.registerEditor(VexmoorMain::Editor::Chat,
                        [](VexmoorMain&) { return std::make_unique<StandInEditor>(); });
    main.bots.EditChatButton.click();

    EXPECT_EQ(f.dialogs.texts(),
              std::vector<std::string>{"There is no chat.txt in path " + f.game.text() + "eraser."});
    EXPECT_EQ(f.windows.opened, std::vector<std::string>{"StandInEditor"});
}

TEST(MainWindow, AboutDisablesTheWindowUntilItsOkAndExitEndsTheProgram) {
    MainFixture f;
    VexmoorMain& main = f.main();
    EXPECT_EQ(main.caption(), "Vexmoor ");
    EXPECT_EQ(main.StatusBar1.caption(), "v1.5.5b ");

    main.AboutMenu.click();
    ASSERT_NE(main.aboutForm(), nullptr);
    EXPECT_EQ(f.windows.opened, std::vector<std::string>{"AboutForm"});
    EXPECT_FALSE(main.enabled());

    main.aboutForm()->OKButton.click();
    EXPECT_EQ(f.windows.closed, std::vector<std::string>{"AboutForm"});
    EXPECT_EQ(f.windows.focused, std::vector<std::string>{"VexmoorMain"});
    EXPECT_TRUE(main.enabled());
    EXPECT_EQ(f.windows.quits, 0);

    main.ExitMenu.click();
    EXPECT_EQ(f.windows.quits, 1);
    EXPECT_TRUE(f.dialogs.shown.empty());
}

}  // namespace
}  // namespace vexmoor::testing
