#include "chat/chat_file.h"

#include <cstring>
#include <iterator>
#include <optional>
#include <utility>

#include "core/paths.h"
#include "core/ports.h"

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

std::vector<std::vector<std::string>>& ChatComments::of(std::size_t category, std::size_t lines) {
    auto& list = blocks[category];
    if (list.size() != lines + 1) list.resize(lines + 1);
    return list;
}

void ChatComments::lineAppended(std::size_t category, std::size_t linesBefore) {
    auto& list = of(category, linesBefore);
    list.insert(list.end() - 1, std::vector<std::string>{});
}

void ChatComments::lineRemoved(std::size_t category, std::size_t index, std::size_t linesBefore) {
    auto& list = of(category, linesBefore);
    if (index >= linesBefore) return;
    std::vector<std::string> moved = std::move(list[index]);
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
    auto& after = list.back();
    after.insert(after.begin(), std::make_move_iterator(moved.begin()), std::make_move_iterator(moved.end()));
}

ChatFile readChatFileBytes(std::string_view bytes) {
    ChatFile file;
    const auto& headers = chatHeaders();
    std::vector<std::string>* current = nullptr;
    // Where comments go that stand before no chat line: after the lines of
    // the last category read, or at the top before any.
    std::optional<std::size_t> lastCategory;
    std::vector<std::string> block;
    std::size_t emptyLinesInBlock = 0;
    const auto closeBlock = [&]() -> std::vector<std::string> {
        // Empty lines after the block's last comment are no part of it.
        block.resize(block.size() - emptyLinesInBlock);
        emptyLinesInBlock = 0;
        return std::exchange(block, {});
    };
    const auto blockAfterLines = [&] {
        std::vector<std::string> ended = closeBlock();
        if (ended.empty()) return;
        std::vector<std::string>& to =
            lastCategory ? file.comments.of(*lastCategory, file.sections[*lastCategory].size()).back()
                         : file.comments.top;
        to.insert(to.end(), ended.begin(), ended.end());
    };

    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const void* found = std::memchr(bytes.data() + pos, '\n', bytes.size() - pos);
        const std::size_t end =
            found ? static_cast<std::size_t>(static_cast<const char*>(found) - bytes.data()) : bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        // The CRs that end a line belong to its line end (CR LF, and the CR
        // CR LF of a file converted twice); a lone CR inside it is text.
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos = found ? end + 1 : end;

        if (line.empty()) {
            if (!block.empty()) {
                block.emplace_back();
                ++emptyLinesInBlock;
            }
            continue;
        }
        if (line.front() == '#') {
            block.emplace_back(line);
            emptyLinesInBlock = 0;
            continue;
        }
        if (line.starts_with("--")) {
            blockAfterLines();
            current = nullptr;
            for (std::size_t k = 0; k < kChatCategories; ++k)
                if (line == headers[k]) {
                    current = &file.sections[k];
                    lastCategory = k;
                }
            continue;
        }
        if (!current) continue;
        const auto k = static_cast<std::size_t>(current - file.sections.data());
        auto& blocks = file.comments.of(k, current->size());
        blocks.insert(blocks.end() - 1, closeBlock());
        current->emplace_back(line);
    }
    blockAfterLines();
    return file;
}

ChatSections readChatBytes(std::string_view bytes) { return readChatFileBytes(bytes).sections; }

std::string chatFileBytes(const ChatSections& sections, const ChatComments& comments) {
    const auto& headers = chatHeaders();
    std::size_t size = 0;
    const auto blockSize = [](const std::vector<std::string>& block) {
        std::size_t n = 0;
        for (const auto& line : block) n += line.size() + 2;
        return n;
    };
    size += blockSize(comments.top) + 2;
    for (std::size_t k = 0; k < kChatCategories; ++k) {
        size += headers[k].size() + 4;
        for (const auto& line : sections[k]) size += line.size() + 2;
        for (const auto& block : comments.blocks[k]) size += blockSize(block);
    }
    std::string bytes;
    bytes.reserve(size);
    const auto put = [&bytes](std::string_view line) {
        bytes += line;
        bytes += "\r\n";
    };
    const auto putBlock = [&](const std::vector<std::vector<std::string>>& blocks, std::size_t i) {
        if (i < blocks.size())
            for (const auto& line : blocks[i]) put(line);
    };
    for (const auto& line : comments.top) put(line);
    if (!comments.top.empty()) put({});
    for (std::size_t k = 0; k < kChatCategories; ++k) {
        const auto& blocks = comments.blocks[k];
        // Blocks that do not match the lines (none kept) stand nowhere.
        const bool matched = blocks.size() == sections[k].size() + 1;
        put(headers[k]);
        for (std::size_t i = 0; i < sections[k].size(); ++i) {
            if (matched) putBlock(blocks, i);
            put(sections[k][i]);
        }
        if (matched) putBlock(blocks, sections[k].size());
        put({});
    }
    return bytes;
}

Result<ChatSections> readChatFile(const std::filesystem::path& path) {
    auto bytes = readWholeFile(path);
    if (!bytes) return bytes.error();
    return readChatBytes(bytes.value());
}

Status writeChatFile(const std::filesystem::path& path, const ChatSections& sections,
                     const ChatComments& comments) {
    return writeWholeFile(path, chatFileBytes(sections, comments));
}

}  // namespace vexmoor
