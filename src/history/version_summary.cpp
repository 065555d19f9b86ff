#include "history/version_summary.h"

#include <algorithm>
#include <array>

#include "chat/chat_file.h"
#include "core/item_reader.h"
#include "history/line_diff.h"
#include "options/map_cycle_file.h"
#include "roster/game_rules.h"
#include "roster/roster.h"
#include "roster/roster_file.h"

namespace vexmoor {

namespace {

std::string counted(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string rosterSummary(std::string_view bytes) {
    Roster roster;
    if (const Status read = readRosterBytes(tidiedRosterBytes(bytes), {}, roster); !read) {
        const Error& error = read.error();
        const std::string where = error.line > 0 ? "line " + std::to_string(error.line) + ": " : "";
        return "a roster Vexmoor cannot read (" + where + error.reason + ")";
    }
    return counted(static_cast<std::size_t>(roster.BotCount), "bot", "bots") + ", " +
           counted(static_cast<std::size_t>(roster.TeamCount), "team", "teams");
}

std::string chatSummary(std::string_view bytes) {
    const ChatSections sections = readChatBytes(bytes);
    std::size_t lines = 0;
    for (const auto& section : sections) lines += section.size();
    // The sections are the headers the file holds, whether or not lines follow them.
    std::array<bool, kChatCategories> held{};
    for (std::string_view line : splitLines(bytes)) {
        if (line.ends_with("\r\n"))
            line.remove_suffix(2);
        else if (line.ends_with('\n'))
            line.remove_suffix(1);
        for (std::size_t k = 0; k < kChatCategories; ++k)
            if (line == chatHeaders()[k]) held[k] = true;
    }
    const auto headers = static_cast<std::size_t>(std::count(held.begin(), held.end(), true));
    return counted(headers, "section", "sections") + ", " + counted(lines, "line", "lines");
}

std::string mapCycleSummary(std::string_view bytes) {
    const std::vector<std::string> entries = readMapCycleBytes(bytes);
    const auto maps =
        static_cast<std::size_t>(std::count_if(entries.begin(), entries.end(), [](const std::string& entry) {
            return !game_rules::isMapCycleComment(entry);
        }));
    return counted(maps, "map", "maps");
}

std::string settingsSummary(std::string_view bytes) {
    ItemReader fields(bytes, false);
    const auto directory = fields.readText();
    if (!directory) return "no game directory";
    return directory->text.empty() ? "an empty game directory" : directory->text;
}

}  // namespace

std::string versionSummary(KeptFile file, std::string_view bytes) {
    std::string summary;
    switch (file) {
        case KeptFile::Roster:
            summary = rosterSummary(bytes);
            break;
        case KeptFile::Chat:
            summary = chatSummary(bytes);
            break;
        case KeptFile::MapCycle:
            summary = mapCycleSummary(bytes);
            break;
        case KeptFile::Settings:
            summary = settingsSummary(bytes);
            break;
    }
    // One line, whatever the file held.
    std::replace_if(
        summary.begin(), summary.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return summary;
}

}  // namespace vexmoor
