// Launch! with chosen bots or bot teams that bots.cfg, as the game will read
// it, does not hold: it says which and asks whether to write the roster first.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/paths.h"
#include "launcher/editors.h"
#include "roster/bot_config_form.h"
#include "roster/roster_file.h"
#include "support/main_fixture.h"

namespace vexmoor::testing {
namespace {

const std::string kBots = "[bots]\r\n\"Rook\"\"rook/slate\" 3  2  4  1  0  1  60 \r\n[teams]\r\n";
const std::string kRoster = kBots + "\"Wardens\"\"W\"\"rook/slate\"[\"Rook\"]\r\n[view weapons]\r\n";

void choose(ListBox& list, const std::string& name) {
    const auto& items = list.items();
    list.setSelected(static_cast<std::size_t>(std::find(items.begin(), items.end(), name) - items.begin()), true);
}

TEST(LaunchUnknownBots, AsksToWriteTheRosterWhenTheGameWouldNotFindAChosenBotOrTeam) {
    struct Row {
        std::function<void(MainFixture&)> set;
        std::string missing;  // the question's line; empty: no question
    };
    const Row rows[] = {
        {[](MainFixture& f) {  // added in the editor, left unwritten
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
         "bot: bracken"},
        {[](MainFixture& f) {  // lost from the file since it was read
             f.main().teamplay.TeamplayCheckBox.setState(1);
             choose(f.main().teamplay.BotTeamList, "Wardens");
             writeBytes(f.game.root() / "eraser" / "bots.cfg", kBots + "[view weapons]\r\n");
         },
         "bot team: Wardens"},
        {[](MainFixture& f) {  // held, letter case aside
             f.main().bots.SpawnSpecificBotsOption.choose();
             choose(f.main().bots.SpecificBotList, "Rook");
             std::string upper = kRoster;
             upper.replace(upper.find("Rook"), 4, "ROOK");
             writeBytes(f.game.root() / "eraser" / "bots.cfg", upper);
         },
         ""},
    };
    for (const Row& row : rows)
        for (const Answer answer : {Answer::Write, Answer::WithoutWriting, Answer::Cancel}) {
            SCOPED_TRACE(row.missing + " " + std::to_string(static_cast<int>(answer)));
            MainFixture f;
            f.game.withEraserFolder().withRoster(kRoster).withChat("").withMapCycle("");
            f.writeSettings();
            registerEditors(f.main());
            f.startUp();
            row.set(f);
            const std::string before = readBytes(f.game.root() / "eraser" / "bots.cfg");
            f.dialogs.shown.clear();
            f.dialogs.answers = {answer, Answer::Yes};  // Yes: replace the file changed since it was read
            f.main().LaunchButton.click();

            const bool asked = !row.missing.empty();
            ASSERT_EQ(f.dialogs.shown.size() > 0, asked);
            EXPECT_EQ(f.processes.starts.size(), asked && answer == Answer::Cancel ? 0u : 1u);
            if (!asked) continue;
            EXPECT_EQ(f.dialogs.shown[0].text, nativeSeparators("eraser\\bots.cfg") +
                                                   ", as the game will read it, does not hold:\r\n\r\n" +
                                                   row.missing + "\r\n\r\nWrite the roster and launch?");
            EXPECT_EQ(f.dialogs.shown[0].buttons, Buttons::WriteLaunchCancel);
            EXPECT_EQ(f.dialogs.shown[0].defaultAnswer, Answer::Write);
            const std::string after = readBytes(f.game.root() / "eraser" / "bots.cfg");
            EXPECT_EQ(after != before, answer == Answer::Write);
            EXPECT_EQ(after.find(row.missing.substr(row.missing.rfind(' ') + 1)) != std::string::npos,
                      answer == Answer::Write);
        }
}

}  // namespace
}  // namespace vexmoor::testing
