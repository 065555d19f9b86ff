#include "chat/chat_file.h"

#include <cstring>

#include "core/file_io.h"
#include "core/paths.h"

namespace vexmoor {

const std::array<std::string, kChatCategories>& chatHeaders() {
    static const std::array<std::string, kChatCategories> headers = {
        "-- Greetings",
        "-- Insults (general)",
        "-- Insults (kicking ass)",
        "-- Insults (losing, coming back)",
        "-- Come-backs",
        "-- TEAMPLAY: Help!",
        "-- TEAMPLAY: Drop Item (not implemented yet)",
        "-- TEAMPLAY: Let's Group!",
    };
    return headers;
}

std::filesystem::path chatPath(const std::string& gameDirectory) {
    return gamePath(gameDirectory, "eraser\\chat.txt");
}

ChatSections readChatBytes(std::string_view bytes) {
    ChatSections sections;
    const auto& headers = chatHeaders();
    std::vector<std::string>* current = nullptr;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const void* found = std::memchr(bytes.data() + pos, '\n', bytes.size() - pos);
        const std::size_t end =
            found ? static_cast<std::size_t>(static_cast<const char*>(found) - bytes.data()) : bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        // Only the CR of a CR LF belongs to the line end; a lone CR is text.
        if (found && !line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos = found ? end + 1 : end;

        if (line.empty() || line.front() == '#') continue;
        if (line.starts_with("--")) {
            current = nullptr;
            for (std::size_t k = 0; k < kChatCategories; ++k)
                if (line == headers[k]) current = &sections[k];
            continue;
        }
        if (current) current->emplace_back(line);
    }
    return sections;
}

std::string chatFileBytes(const ChatSections& sections) {
    const auto& headers = chatHeaders();
    std::size_t size = 0;
    for (std::size_t k = 0; k < kChatCategories; ++k) {
        size += headers[k].size() + 4;
        for (const auto& line : sections[k]) size += line.size() + 2;
    }
    std::string bytes;
    bytes.reserve(size);
    for (std::size_t k = 0; k < kChatCategories; ++k) {
        bytes += headers[k];
        bytes += "\r\n";
        for (const auto& line : sections[k]) {
            bytes += line;
            bytes += "\r\n";
        }
        bytes += "\r\n";
    }
    return bytes;
}

Result<ChatSections> readChatFile(const std::filesystem::path& path) {
    auto bytes = readWholeFile(path);
    if (!bytes) return bytes.error();
    return readChatBytes(bytes.value());
}

Status writeChatFile(const std::filesystem::path& path, const ChatSections& sections) {
    return writeWholeFile(path, chatFileBytes(sections));
}

}  // namespace vexmoor
