// Launch! with chosen bots or bot teams that bots.cfg, as the game will read
// it, does not hold: it says which and asks whether to write the roster first.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/paths.h"
#include "launcher/editors.h"
#include "roster/bot_config_form.h"
#include "roster/roster_file.h"
#include "support/main_fixture.h"

namespace vexmoor::testing {
namespace {

const std::string kRoster =
    "[bots]\r\n\"Rook\"\"rook/slate\" 3  2  4  1  0  1  60 \r\n[teams]\r\n"
    "\"Wardens\"\"W\"\"rook/slate\"[\"Rook\"]\r\n[view weapons]\r\n";

void choose(ListBox& list, const std::string& name) {
    for (std::size_t i = 0; i < list.count(); ++i)
        if (list.items()[i] == name) list.setSelected(i, true);
}

TEST(LaunchUnknownBots, AsksToWriteTheRosterWhenTheGameWouldNotFindAChosenBotOrTeam) {
    struct Row {
        const char* what;
        std::function<void(MainFixture&)> set;
        std::optional<std::string> missing;  // the question's list; nothing: no question
        const char* heldAfterWrite;          // a name the file holds once written
    };
    const Row rows[] = {
        {"a bot added in the editor and left unwritten",
         [](MainFixture& f) {
             f.main().bots.BotEditButton.click();
             auto& editor = *dynamic_cast<BotConfigForm*>(f.main().editor());
             editor.NewBotButton.click();
             editor.newBotName()->NewBotNameText.setText("bracken");
             editor.newBotName()->AddBotButton.click();
             f.dialogs.answers = {Answer::WithoutWriting};
             editor.ExitButton.click();
             f.main().bots.SpawnSpecificBotsOption.choose();
             choose(f.main().bots.SpecificBotList, "Rook");
             choose(f.main().bots.SpecificBotList, "bracken");
         },
         "bot: bracken", "bracken"},
        {"a bot team the file lost since it was read",
         [](MainFixture& f) {
             f.main().teamplay.TeamplayCheckBox.setState(1);
             choose(f.main().teamplay.BotTeamList, "Wardens");
             writeBytes(f.game.root() / "eraser" / "bots.cfg", kRoster.substr(0, kRoster.find("\"Wardens\"")) +
                                                                    "[view weapons]\r\n");
         },
         "bot team: Wardens", "Wardens"},
        {"chosen bots the file holds, letter case aside",
         [](MainFixture& f) {
             f.main().bots.SpawnSpecificBotsOption.choose();
             choose(f.main().bots.SpecificBotList, "Rook");
             writeBytes(f.game.root() / "eraser" / "bots.cfg", "[bots]\r\n\"ROOK\"\"rook/slate\" 3  2  4  1  0  1  60 \r\n[teams]\r\n");
         },
         std::nullopt, nullptr},
    };
    for (const Row& row : rows)
        for (const Answer answer : {Answer::Write, Answer::WithoutWriting, Answer::Cancel}) {
            SCOPED_TRACE(std::string(row.what) + ", answer " + std::to_string(static_cast<int>(answer)));
            MainFixture f;
            f.game.withEraserFolder().withRoster(kRoster).withChat("").withMapCycle("");
            f.writeSettings();
            registerEditors(f.main());
            f.startUp();
            row.set(f);
            const std::string before = readBytes(f.game.root() / "eraser" / "bots.cfg");
            f.dialogs.shown.clear();
            // The file changed since it was read is replaced only when the user says so.
            f.dialogs.answers = {answer, Answer::Yes};
            f.main().LaunchButton.click();

            if (!row.missing) {
                EXPECT_EQ(f.dialogs.shown.size(), 0u);
                EXPECT_EQ(f.processes.starts.size(), 1u);
                continue;
            }
            ASSERT_FALSE(f.dialogs.shown.empty());
            const Message& question = f.dialogs.shown[0];
            EXPECT_EQ(question.text, nativeSeparators("eraser\\bots.cfg") + ", as the game will read it, does not hold:\r\n\r\n" +
                                         *row.missing + "\r\n\r\nWrite the roster and launch?");
            EXPECT_EQ(question.buttons, Buttons::WriteLaunchCancel);
            EXPECT_EQ(question.defaultAnswer, Answer::Write);
            EXPECT_EQ(f.processes.starts.size(), answer == Answer::Cancel ? 0u : 1u);
            Roster held;
            ASSERT_TRUE(readRosterAsHeld(f.game.root() / "eraser" / "bots.cfg", held));
            const auto& names = row.missing->starts_with("bot:") ? held.BotNames : held.TeamNames;
            const bool holds = std::find(names.begin(), names.end(), row.heldAfterWrite) != names.end();
            EXPECT_EQ(holds, answer == Answer::Write);
            if (answer != Answer::Write) {
                EXPECT_EQ(readBytes(f.game.root() / "eraser" / "bots.cfg"), before);
            }
        }
}

}  // namespace
}  // namespace vexmoor::testing
