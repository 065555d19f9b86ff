#include <gtest/gtest.h>

#include "chat/chat_file.h"

namespace vexmoor::testing {
namespace {

TEST(ChatFile, ReadsTheTrickyFilesByTheHeadersExactly) {
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> greetings;
        std::vector<std::string> comebacks;
    };
    const std::vector<Case> cases = {
        {"comments, blank lines and an unknown section are dropped",
         "# top\r\nbefore any header\r\n-- Greetings\r\nHello there.\r\n\r\n# note\r\n-- Taunts\r\nGone.\r\n"
         "-- Come-backs\r\nNot today.\r\n",
         {"Hello there."},
         {"Not today."}},
        {"a header without the blank after the dashes matches nothing", "--Greetings\r\nLost.\r\n", {}, {}},
        {"a header with a trailing blank matches nothing", "-- Greetings \r\nLost.\r\n", {}, {}},
        {"a header in other case matches nothing", "-- greetings\r\nLost.\r\n", {}, {}},
        {"two greetings sections make one list, the first section's lines first",
         "-- Greetings\r\nOne\r\n-- Come-backs\r\nBack\r\n-- Greetings\r\nTwo\r\n",
         {"One", "Two"},
         {"Back"}},
        {"bare LF line ends, and a last line without one", "-- Greetings\nOne\n\nTwo", {"One", "Two"}, {}},
        {"a lone CR is part of the line, the CRs of CR CR LF are not; blanks and quotes are kept",
         "-- Greetings\r\r\n a\rb \"c\"\r\r\n",
         {" a\rb \"c\""},
         {}},
        {"a line of a single dash is a chat line", "-- Greetings\r\n-\r\n", {"-"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ChatSections sections = readChatBytes(c.bytes);
        EXPECT_EQ(sections[0], c.greetings);
        EXPECT_EQ(sections[4], c.comebacks);
        for (std::size_t k : {1, 2, 3, 5, 6, 7}) EXPECT_TRUE(sections[k].empty()) << k;
    }
}

TEST(ChatFile, WritesTheEightHeadersEachWithItsLinesAndOneEmptyLine) {
    ChatSections sections;
    sections[0] = {"Evening."};
    sections[4] = {"Say that again."};
    EXPECT_EQ(chatFileBytes(sections),
              "-- Greetings\r\nEvening.\r\n\r\n"
              "-- Insults (general)\r\n\r\n"
              "-- Insults (kicking ass)\r\n\r\n"
              "-- Insults (losing, coming back)\r\n\r\n"
              "-- Come-backs\r\nSay that again.\r\n\r\n"
              "-- TEAMPLAY: Help!\r\n\r\n"
              "-- TEAMPLAY: Drop Item (not implemented yet)\r\n\r\n"
              "-- TEAMPLAY: Let's Group!\r\n\r\n");
    EXPECT_EQ(readChatBytes(chatFileBytes(sections)), sections);
}

TEST(ChatFile, KeepsCommentsWhereTheyStood) {
    const std::string rest =
        "-- Insults (general)\r\n\r\n-- Insults (kicking ass)\r\n\r\n-- Insults (losing, coming back)\r\n\r\n"
        "-- Come-backs\r\n\r\n-- TEAMPLAY: Help!\r\n\r\n-- TEAMPLAY: Drop Item (not implemented yet)\r\n\r\n"
        "-- TEAMPLAY: Let's Group!\r\n\r\n";
    const struct {
        const char* what;
        std::string bytes, written;
    } cases[] = {
        {"the block on top, with the empty lines inside it but not around it",
         "\r\n# Chat lines\r\n\r\n# by us\r\n\r\n\r\n-- Greetings\r\nHi\r\n",
         "# Chat lines\r\n\r\n# by us\r\n\r\n-- Greetings\r\nHi\r\n\r\n" + rest},
        {"before a line, after the last line, and under an unknown header, in CR CR LF",
         "-- Greetings\r\r\n# kind\r\r\nHi\r\r\nYo\r\r\n\r\r\n# end\r\r\n-- Taunts\r\r\n# lost\r\r\nGone\r\r\n",
         "-- Greetings\r\n# kind\r\nHi\r\nYo\r\n# end\r\n# lost\r\n\r\n" + rest},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ChatFile read = readChatFileBytes(c.bytes);
        EXPECT_EQ(chatFileBytes(read.sections, read.comments), c.written);
        const ChatFile again = readChatFileBytes(c.written);
        EXPECT_EQ(again.sections, read.sections);
        EXPECT_EQ(again.comments, read.comments);
    }
}

}  // namespace
}  // namespace vexmoor::testing
