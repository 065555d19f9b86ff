// The bot and team editors write the in-memory roster over the roster file
// the game directory names now. They open only when that roster is the one
// start-up read in full from that very file: after a start that could not
// read it (a broken settings file, a tidy step that could not write, a record
// cut short) or a change of the game directory, their first Commit, Save or
// Delete would lose the bots and teams the file holds.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/paths.h"
#include "core/ports.h"
#include "launcher/editors.h"
#include "roster/roster_file.h"
#include "support/main_fixture.h"

namespace vexmoor::testing {
namespace {

namespace fs = std::filesystem;

const std::string kRoster =
    "[bots]\r\n\"Ash\"\"wren/ember\" 3  3  3  0  0  0  40 "
    "\r\n[teams]\r\n\"Reds\"\"R\"\"wren/ember\"[\"Ash\"]\r\n"
    "[view weapons]\r\n";

TEST(RosterSource, TheRosterEditorsOpenOnlyOnTheRosterStartUpReadFromTheFileTheyWrite) {
    struct Case {
        const char* what;
        std::function<void(MainFixture&)> before;  // before start-up
        std::function<void(MainFixture&)> after;   // after it
        const char* says;
    };
    const TempDir other;
    GameDirectoryBuilder(other.path()).withEraserFolder().withRoster(kRoster);
    const Case cases[] = {
        // The game directory, the last field applied, is chosen again by hand.
        {"a settings file broken before the roster steps",
         [](MainFixture& f) { f.writeSettings("1,0,0,x,1,1,0,0,1,0,0,0,1,0,0,0\r\n0\r\n"); },
         [](MainFixture& f) { f.main().preferences.ExePathText.setText(f.game.text()); }, "in full"},
        {"a tidy step that cannot write",
         [](MainFixture& f) {
             f.game.withRoster("# made by hand\r\n" + kRoster);
             // The file for Windows, where a folder's read-only mark does not stop writes.
             makeReadOnly(rosterPath(f.game.text()));
             makeReadOnly(f.game.root() / "eraser");
         },
         {},
         "in full"},
        {"a record cut short",
         [](MainFixture& f) {
             f.game.withRoster(
                 "[bots]\r\n\"Ash\"\"wren/ember\" 3  3  3  0  0  0  40 \r\n\"Cut\"\"wren/ember\" 1 \r\n");
         },
         {},
         "in full"},
        {"another game directory since start-up",
         {},
         [&](MainFixture& f) { f.main().preferences.ExePathText.setText(other.text()); },
         "the game directory is now"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MainFixture f;
        f.game.withEraserFolder().withRoster(kRoster);
        f.writeSettings();
        if (c.before) c.before(f);
        registerEditors(f.startUp());
        if (c.after) c.after(f);
        const fs::path file = rosterPath(f.main().gameDirectory());
        const std::string bytes = readBytes(file);
        for (Button* edit : {&f.main().bots.BotEditButton, &f.main().teamplay.EditTeamButton}) {
            const std::size_t mark = f.dialogs.shown.size();
            edit->click();
            ASSERT_EQ(f.dialogs.shown.size(), mark + 1);
            EXPECT_NE(f.dialogs.shown.back().text.find(c.says), std::string::npos)
                << f.dialogs.shown.back().text;
            EXPECT_NE(f.dialogs.shown.back().text.find(pathText(file)), std::string::npos);
            EXPECT_EQ(f.main().editor(), nullptr);
            EXPECT_TRUE(f.main().enabled());
        }
        EXPECT_EQ(readBytes(file), bytes);
    }
}

TEST(RosterSource, TheSameFolderWrittenAnotherWayStillOpensTheEditors) {
    MainFixture f;
    f.game.withEraserFolder().withRoster(kRoster);
    f.writeSettings();
    registerEditors(f.startUp());
    f.main().preferences.ExePathText.setText(f.game.text() + "eraser" + kPathSeparator + ".." + kPathSeparator);
    f.main().bots.BotEditButton.click();
    EXPECT_TRUE(f.dialogs.shown.empty());
    EXPECT_NE(f.main().editor(), nullptr);
}

}  // namespace
}  // namespace vexmoor::testing
