#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace vexmoor {

// The eight situations the bots chat in, in the order of the file.
inline constexpr std::size_t kChatCategories = 8;

// The header line of each category, which is also its entry in the editor's
// category list.
const std::array<std::string, kChatCategories>& chatHeaders();

// The lines of each category, in the order of chatHeaders().
using ChatSections = std::array<std::vector<std::string>, kChatCategories>;

// The chat file under a game directory text.
std::filesystem::path chatPath(const std::string& gameDirectory);

// The comment lines ("#") of a chat file and where they stood. The game skips
// them, and the shipped file opens with its own documentation in them, so a
// rewrite puts them back. A block is comment lines and the empty lines
// between them.
struct ChatComments {
    // The block before the first header.
    std::vector<std::string> top;
    // For each category, the block before each of its lines and, last, the
    // block after its last line: one more block than the category has lines.
    std::array<std::vector<std::vector<std::string>>, kChatCategories> blocks;

    // The blocks of a category with `lines` lines, made when there are none.
    std::vector<std::vector<std::string>>& of(std::size_t category, std::size_t lines);
    // A line appended to a category: it goes before the block after the last line.
    void lineAppended(std::size_t category, std::size_t linesBefore);
    // Line `index` removed: its block goes after the category's last line.
    void lineRemoved(std::size_t category, std::size_t index, std::size_t linesBefore);

    bool operator==(const ChatComments&) const = default;
};

struct ChatFile {
    ChatSections sections;
    ChatComments comments;
};

// Reads the lines of a chat file (ended by an LF after any number of CRs). A
// line that begins with "--" is a header and selects the category with
// exactly that text, or none; "#" lines and empty lines are no chat lines;
// every other line belongs to the category of the last header above it, and
// is dropped when there is none. A header that comes twice adds to the same
// list. Comment blocks are kept with the chat line they stand before, or
// after the last line of the category they end; those under an unknown
// header go with the category before it.
ChatFile readChatFileBytes(std::string_view bytes);
ChatSections readChatBytes(std::string_view bytes);

// The whole file: the comments before the first header and an empty line,
// then each header in order, its lines (each after its comments), the
// comments after its last line, one empty line; CR LF.
std::string chatFileBytes(const ChatSections& sections, const ChatComments& comments = {});

Result<ChatSections> readChatFile(const std::filesystem::path& path);
// Safe rewrite: on failure the file on disk is left exactly as it was.
Status writeChatFile(const std::filesystem::path& path, const ChatSections& sections,
                     const ChatComments& comments = {});

}  // namespace vexmoor
