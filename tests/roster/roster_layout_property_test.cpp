// However the program keeps its roster in memory, what it writes and shows is
// what a plain list of bot and team records gives: random rosters go through
// random editor operations (add, delete, change a field, change a model and
// skin, save a team, delete a team), and after each the file's bytes and the
// entries the windows show are compared with a reference kept here.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "launcher/editors.h"
#include "roster/bot_config_form.h"
#include "support/main_fixture.h"
#include "teams/edit_team_form.h"
#include "teams/member_list.h"

namespace vexmoor::testing {
namespace {

using Names = std::vector<std::string>;

// The straightforward layout: a record per bot and per team, in file order.
struct Reference {
    struct Bot {
        std::string name, committed, shown;  // model/skin as written, and as the bot editor holds it
        std::array<int, 7> values;
    };
    struct Team {
        std::string name, shortName, modelSkin, members;
    };
    std::vector<Bot> bots;
    std::vector<Team> teams;

    std::string bytes() const {
        std::string out = "[bots]\r\n";
        for (const Bot& b : bots) {
            out += '"' + b.name + "\"\"" + b.committed + '"';
            for (int v : b.values) out += (v < 0 ? "-" : " ") + std::to_string(v < 0 ? -v : v) + " ";
            out += "\r\n";
        }
        out += "[teams]\r\n";
        for (const Team& t : teams)
            out += '"' + t.name + "\"\"" + t.shortName + "\"\"" + t.modelSkin + '"' + t.members + "\r\n";
        return out + "[view weapons]\r\n\"w_railgun\"\r\n";
    }
    Names botNames() const {
        Names names;
        for (const Bot& b : bots) names.push_back(b.name);
        return names;
    }
    Names teamNames() const {
        Names names;
        for (const Team& t : teams) names.push_back(t.name);
        return names;
    }
};

const Names kModels = {"rook", "wren"};

class RosterLayout : public ::testing::TestWithParam<unsigned> {
protected:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

    void SetUp() override {
        random.seed(GetParam());
        for (int i = 0, n = 1 + pick(8); i < n; ++i) {
            const std::string modelSkin = kModels[static_cast<std::size_t>(pick(2))] + "/" + "skin" +
                                          std::to_string(pick(2));
            ref.bots.push_back({"Bot" + std::to_string(pick(100)), modelSkin, modelSkin,
                                {1 + pick(5), 1 + pick(5), 1 + pick(5), pick(10), pick(2), pick(2), pick(400)}});
        }
        for (int t = 0, n = pick(4); t < n; ++t)
            ref.teams.push_back({"Team" + std::to_string(t), "T" + std::to_string(t), "rook/skin0",
                                 memberList({ref.bots[static_cast<std::size_t>(pick(static_cast<int>(ref.bots.size())))].name})});
        f.game.withEraserFolder()
            .withRoster(ref.bytes())
            .withModel("rook", {"skin0.pcx", "skin1.pcx"})
            .withModel("wren", {"skin0.pcx", "skin1.pcx"});
        f.writeSettings();
        registerEditors(f.startUp());
    }

    std::string file() const { return readBytes(f.game.root() / "eraser" / "bots.cfg"); }

    // Edit Bot: a model that is not installed becomes the first one listed.
    void edit(BotConfigForm& e, int k) {
        e.BotNameList.setSelectedIndex(k);
        e.EditBotButton.click();
        ref.bots[static_cast<std::size_t>(k)].shown = e.ModelList.selectedText() + "/" + e.SkinList.selectedText();
    }

    // A visit to the bot editor: a few operations, then Commit Changes or not.
    void botEditorVisit() {
        f.main().bots.BotEditButton.click();
        auto& e = *dynamic_cast<BotConfigForm*>(f.main().editor());
        for (Reference::Bot& b : ref.bots) b.shown = b.committed;
        for (int op = 0, n = 1 + pick(4); op < n; ++op) {
            const int count = static_cast<int>(ref.bots.size());
            const int k = count > 0 ? pick(count) : 0;
            switch (pick(4)) {
                case 0: {  // add
                    e.NewBotButton.click();
                    const std::string name = "New" + std::to_string(pick(100));
                    e.newBotName()->NewBotNameText.setText(name);
                    e.newBotName()->AddBotButton.click();
                    ref.bots.push_back({name, "male/cipher", "male/cipher", {2, 2, 2, 2, 0, 0, 100}});
                    break;
                }
                case 1:  // delete
                    if (count == 0) break;
                    e.BotNameList.setSelectedIndex(k);
                    f.dialogs.answers = {Answer::Yes};
                    e.DeleteBotButton.click();
                    ref.bots.erase(ref.bots.begin() + k);
                    break;
                case 2: {  // a field
                    if (count == 0) break;
                    edit(e, k);
                    const int value = 1 + pick(5);
                    RangeControl* sliders[] = {&e.FiringAccuracySlider, &e.AgressivenessSlider,
                                               &e.CombatSkillsSlider};
                    const int which = pick(3);
                    sliders[which]->setValue(value);
                    ref.bots[static_cast<std::size_t>(k)].values[static_cast<std::size_t>(which)] = value;
                    break;
                }
                default:  // a model and skin
                    if (count == 0) break;
                    edit(e, k);
                    e.ModelList.setSelectedIndex(pick(2));
                    e.SkinList.setSelectedIndex(pick(2));
                    ref.bots[static_cast<std::size_t>(k)].shown =
                        e.ModelList.selectedText() + "/" + e.SkinList.selectedText();
            }
            EXPECT_EQ(e.BotNameList.items(), ref.botNames());
        }
        if (pick(2) == 0) {
            e.CommitChangesButton.click();
            for (Reference::Bot& b : ref.bots) b.committed = b.shown;
            EXPECT_EQ(file(), ref.bytes());
        }
        // Returned without writing: what was not committed stays in memory.
        if (e.hasUnwrittenChanges()) f.dialogs.answers = {Answer::WithoutWriting};
        e.ExitButton.click();
        EXPECT_EQ(f.main().bots.SpecificBotList.items(), ref.botNames());
    }

    // A visit to the team editor: a new, changed or deleted team.
    void teamEditorVisit() {
        f.main().teamplay.EditTeamButton.click();
        auto& e = *dynamic_cast<EditTeamForm*>(f.main().editor());
        const int count = static_cast<int>(ref.teams.size());
        const auto checkMembers = [&] {
            Names checked;
            for (std::size_t b = 0; b < ref.bots.size(); ++b)
                if (pick(2) == 0) {
                    e.TeamIndividualsList.setSelected(b, true);
                    checked.push_back(ref.bots[b].name);
                }
            return memberList(checked);
        };
        switch (count == 0 ? 0 : pick(3)) {
            case 0: {  // a new team
                e.AddButton.click();
                Reference::Team t{"Team" + std::to_string(pick(100)), "N" + std::to_string(pick(10)), {}, {}};
                e.AddTeamText.setText(t.name);
                e.TeamNameShortText.setText(t.shortName);
                e.TeamModelList.setSelectedIndex(pick(2));
                e.TeamSkinList.setSelectedIndex(pick(2));
                t.modelSkin = e.TeamModelList.selectedText() + "/" + e.TeamSkinList.selectedText();
                t.members = checkMembers();
                e.SaveButton.click();
                ref.teams.push_back(t);
                break;
            }
            case 1: {  // a changed team
                const int k = pick(count);
                e.TeamList.setSelectedIndex(k);
                e.EditButton.click();
                Reference::Team& t = ref.teams[static_cast<std::size_t>(k)];
                t.shortName = "C" + std::to_string(pick(10));
                e.TeamNameShortText.setText(t.shortName);
                e.TeamSkinList.setSelectedIndex(pick(2));
                t.modelSkin = e.TeamModelList.selectedText() + "/" + e.TeamSkinList.selectedText();
                t.members = checkMembers();
                e.SaveButton2.click();
                break;
            }
            default: {  // a deleted team
                const int k = pick(count);
                e.TeamList.setSelectedIndex(k);
                f.dialogs.answers = {Answer::Yes};
                e.DeleteButton.click();
                ref.teams.erase(ref.teams.begin() + k);
            }
        }
        EXPECT_EQ(file(), ref.bytes());
        EXPECT_EQ(e.TeamList.items(), ref.teamNames());
        e.ExitButton.click();
    }

    std::mt19937 random;
    Reference ref;
    MainFixture f;
};

TEST_P(RosterLayout, WritesAndShowsWhatAPlainListOfRecordsWould) {
    ASSERT_EQ(f.main().bots.SpecificBotList.items(), ref.botNames());
    for (int visit = 0; visit < 12 && !HasFailure(); ++visit) {
        if (pick(2) == 0)
            botEditorVisit();
        else
            teamEditorVisit();
    }
}

INSTANTIATE_TEST_SUITE_P(RandomRosters, RosterLayout, ::testing::Range(1u, 21u));

}  // namespace
}  // namespace vexmoor::testing
