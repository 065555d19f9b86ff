#include "core/text_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace vexmoor::testing {
namespace {

// Every change, at the start, the middle and the end, against a vector of
// strings doing the same: the ends of the texts after a change must move
// with it, and a text must never take bytes of its neighbours.
TEST(TextList, AnyRunOfChangesLeavesTheSameTextsAsAVectorOfStrings) {
    std::mt19937 random(7);
    const auto pick = [&random](std::size_t below) {
        return std::uniform_int_distribution<std::size_t>(0, below - 1)(random);
    };
    const auto text = [&] {
        std::string made(pick(6), 'a');
        for (char& c : made) c = static_cast<char>('a' + pick(26));
        return made;
    };
    TextList list;
    std::vector<std::string> expected;
    for (int step = 0; step < 3000; ++step) {
        const std::size_t at = expected.empty() ? 0 : pick(expected.size());
        switch (expected.empty() ? 0 : pick(6)) {
            case 0: {
                const std::string t = text();
                list.push_back(t);
                expected.push_back(t);
                break;
            }
            case 1: {
                const std::string t = text();
                list.set(at, t);
                expected[at] = t;
                break;
            }
            case 2: {
                const std::string t = text();
                list.insert(at, t);
                expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(at), t);
                break;
            }
            case 3:
                list.erase(at);
                expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(at));
                break;
            case 4: {
                const std::size_t size = pick(expected.size() + 3);
                list.resize(size);
                expected.resize(size);
                break;
            }
            default:
                list.insert(list.size(), "end");
                expected.emplace_back("end");
        }
        ASSERT_EQ(list.size(), expected.size()) << "step " << step;
        ASSERT_TRUE(std::equal(list.begin(), list.end(), expected.begin(), expected.end())) << "step " << step;
    }
    EXPECT_EQ(TextList(expected), list);
    EXPECT_EQ(list.copy(2), std::vector<std::string>(expected.begin(), expected.begin() + 2));
    list.shrinkToFit();
    EXPECT_EQ(TextList(expected), list);
}

TEST(TextList, ListsAreEqualWhenTheirTextsAreNotWhenOnlyTheirBytesAre) {
    EXPECT_EQ((TextList{"ab", "", "c"}), (TextList{"ab", "", "c"}));
    EXPECT_NE((TextList{"ab", "c"}), (TextList{"a", "bc"}));
    EXPECT_NE((TextList{"ab"}), (TextList{"ab", ""}));
    TextList emptied{"x"};
    emptied.clear();
    EXPECT_EQ(emptied, TextList{});
    EXPECT_TRUE(emptied.empty());
}

}  // namespace
}  // namespace vexmoor::testing
