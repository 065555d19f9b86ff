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

// Reads the lines of a chat file (ended by CR LF or a bare LF). A line that
// begins with "--" is a header and selects the category with exactly that
// text, or none; "#" lines and empty lines are skipped; every other line
// belongs to the category of the last header above it, and is dropped when
// there is none. A header that comes twice adds to the same list.
ChatSections readChatBytes(std::string_view bytes);

// The whole file: each header in order, its lines, one empty line; CR LF.
std::string chatFileBytes(const ChatSections& sections);

Result<ChatSections> readChatFile(const std::filesystem::path& path);
// Safe rewrite: on failure the file on disk is left exactly as it was.
Status writeChatFile(const std::filesystem::path& path, const ChatSections& sections);

}  // namespace vexmoor
