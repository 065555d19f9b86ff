#include "roster/roster_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <utility>

#include "core/item_reader.h"
#include "core/number_text.h"
#include "core/paths.h"
#include "core/ports.h"

namespace vexmoor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kLineEnd = "\r\n";

enum class Section { None, Bots, Teams, ViewWeapons };

RosterValue rosterValueOf(const ItemReader::ItemView& item) {
    // A quoted item stays text even when it looks like a number: that is what
    // the file said, and the writer puts it back bare.
    if (item.quoted) return RosterValue::text(item.text);
    if (item.text.empty()) return RosterValue{};
    if (double number = 0; parseShortNumber(item.text, number)) return RosterValue::number(number);
    return RosterValue::text(item.text);
}

// How many records each section seems to hold, from the lines alone: enough
// to size the lists once instead of growing them record by record. Records
// spread over lines or sharing one make it an estimate, never a limit.
struct SectionSizes {
    std::size_t bots = 0, teams = 0, viewWeapons = 0;
};

SectionSizes estimatedSectionSizes(std::string_view bytes) {
    SectionSizes sizes;
    std::size_t* current = nullptr;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        const char first = bytes[start];
        if (first == '[' && end - start > 1) {
            const char second = bytes[start + 1];
            if (second == 'b')
                current = &sizes.bots;
            else if (second == 't')
                current = &sizes.teams;
            else if (second == 'v')
                current = &sizes.viewWeapons;
        } else if (current && first != '[' && first != '\r' && first != '\n') {
            ++*current;
        }
        start = end + 1;
    }
    return sizes;
}

// Room for a group's lists: the estimate and the spare slot, within the count limit.
std::size_t slotsFor(std::size_t estimate) {
    return std::min(estimate, static_cast<std::size_t>(kMaxRosterCount)) + 1;
}

// Reads the records of a roster file into a roster, in one pass over the
// bytes: items are looked at in place and only what the roster keeps is copied.
class RecordReader {
public:
    RecordReader(std::string_view bytes, const std::string& fileName, Roster& roster)
        : items_(bytes, true), fileName_(fileName), roster_(roster) {
        const SectionSizes sizes = estimatedSectionSizes(bytes);
        if (sizes.bots > 0) {
            // The texts' bytes grow as they come and are trimmed at the end.
            roster_.BotNames.reserve(slotsFor(sizes.bots), 0);
            roster_.BotModelSkins.reserve(slotsFor(sizes.bots), 0);
            reserveAll(botValues(), slotsFor(sizes.bots));
        }
        if (sizes.teams > 0) reserveAll(teamLists(), slotsFor(sizes.teams));
        if (sizes.viewWeapons > 0) roster_.ViewWeaponLines.reserve(slotsFor(sizes.viewWeapons));
    }

    Status readAll() {
        const Status status = readRecords();
        roster_.BotNames.shrinkToFit();
        roster_.BotModelSkins.shrinkToFit();
        return status;
    }

private:
    Status readRecords() {
        Section section = Section::None;
        while (!items_.atEnd()) {
            ItemReader::ItemView first;
            if (!items_.nextText(first)) break;
            recordLine_ = items_.line();
            const std::string_view s = first.text;
            if (s.starts_with("[b"))
                section = Section::Bots;
            else if (s.starts_with("[t"))
                section = Section::Teams;
            else if (s.starts_with("[v"))
                section = Section::ViewWeapons;
            if (s.starts_with('[')) continue;

            Status status;
            switch (section) {
                case Section::Bots:
                    status = readBot(s);
                    break;
                case Section::Teams:
                    status = readTeam(s);
                    break;
                case Section::ViewWeapons:
                    status = readViewWeapon(s);
                    break;
                case Section::None:
                    break;
            }
            if (!status) return status;
        }
        return {};
    }

    std::array<std::vector<RosterValue>*, 7> botValues() {
        return {&roster_.BotAccuracy,     &roster_.BotAgressiveness,
                &roster_.BotCombatSkills, &roster_.BotFavoriteWeapon,
                &roster_.BotQuadFreak,    &roster_.BotCamper,
                &roster_.BotPing};
    }
    std::array<std::vector<std::string>*, 6> teamLists() {
        return {&roster_.TeamNames,  &roster_.TeamShortNames, &roster_.TeamModelSkins,
                &roster_.TeamModels, &roster_.TeamSkins,      &roster_.TeamMembers};
    }
    template <class Lists>
    static void reserveAll(const Lists& lists, std::size_t slots) {
        for (auto* list : lists) list->reserve(slots);
    }
    // Without the model and skin halves: the bot editor makes them.
    void resizeBots(std::size_t slots) {
        roster_.BotNames.resize(slots);
        roster_.BotModelSkins.resize(slots);
        for (auto* list : botValues()) list->resize(slots);
    }

    Error error(std::string reason) const { return Error{fileName_, recordLine_, std::move(reason)}; }

    Error cutShort(const char* record) const {
        return error(std::string("the file ends inside a ") + record + " record");
    }

    // A 16-bit count cannot take one more entry; what was read so far stays.
    static bool full(std::int16_t count) { return count >= kMaxRosterCount; }
    Error tooMany(const char* what) const {
        return error("the file holds more than " + std::to_string(kMaxRosterCount) + " " + what);
    }

    Status readBot(std::string_view name) {
        if (full(roster_.BotCount)) return tooMany("bots");
        const auto i = static_cast<std::size_t>(roster_.BotCount);
        const std::size_t slotsBefore = roster_.BotNames.size();
        if (slotsBefore == i + 1) {
            // The spare slot takes this bot; one new spare slot after it
            // (for the model/skin text once it is read: a text list is
            // quickest filled at its end).
            roster_.BotNames.set(i, name);
            roster_.BotNames.push_back({});
            for (auto* list : botValues()) list->emplace_back();
        } else {
            resizeBots(i + 2);
            roster_.BotNames.set(i, name);
        }

        // A record cut short leaves nothing behind, not even in the spare slot.
        const auto abandon = [&] {
            resizeBots(i);
            resizeBots(slotsBefore);
            return cutShort("bot");
        };
        ItemReader::ItemView item;
        if (!items_.nextText(item)) return abandon();
        roster_.BotModelSkins.set(i, item.text);
        if (roster_.BotModelSkins.size() == i + 1) roster_.BotModelSkins.push_back({});

        for (auto* list : botValues()) {
            if (double number = 0; items_.nextShortNumber(number)) {
                (*list)[i] = RosterValue::number(number);
                continue;
            }
            if (!items_.nextValue(item)) return abandon();
            (*list)[i] = rosterValueOf(item);
        }
        ++roster_.BotCount;
        return {};
    }

    Status readTeam(std::string_view name) {
        if (full(roster_.TeamCount)) return tooMany("teams");
        const auto i = static_cast<std::size_t>(roster_.TeamCount);
        const std::size_t slotsBefore = roster_.TeamNames.size();
        roster_.resizeTeams(i + 2);
        roster_.TeamNames[i].assign(name);
        ItemReader::ItemView item;
        for (auto* list : {&roster_.TeamShortNames, &roster_.TeamModelSkins, &roster_.TeamMembers}) {
            if (!items_.nextText(item)) {
                roster_.resizeTeams(i);
                roster_.resizeTeams(slotsBefore);
                return cutShort("team");
            }
            (*list)[i].assign(item.text);
        }
        ++roster_.TeamCount;
        return {};
    }

    Status readViewWeapon(std::string_view line) {
        if (full(roster_.ViewWeaponCount)) return tooMany("view weapons");
        const auto i = static_cast<std::size_t>(roster_.ViewWeaponCount);
        roster_.resizeViewWeapons(i + 2);
        roster_.ViewWeaponLines[i].assign(line);
        ++roster_.ViewWeaponCount;
        return {};
    }

    ItemReader items_;
    const std::string& fileName_;
    Roster& roster_;
    int recordLine_ = 0;
};

}  // namespace

fs::path rosterPath(const std::string& gameDirectory) { return gamePath(gameDirectory, "eraser\\bots.cfg"); }

namespace {

// Calls keep(line) for every line of the bytes (ended by an LF after any
// number of CRs, or by the end) that the tidy step keeps; stops early when keep says so.
template <class Keep>
void forEachKeptLine(std::string_view bytes, Keep keep) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos) end = bytes.size();
        // Every CR before the LF belongs to the line end (CR CR LF too), and
        // so do CRs that end the file.
        while (end > start && bytes[end - 1] == '\r') --end;
        const std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && (line.front() == '"' || line.front() == '[') && !keep(line, start, next)) return;
        start = next;
    }
}

// Whether the tidy step would give the bytes back unchanged: every line is
// kept and ends with CR LF. Nothing is copied to find out.
bool isTidy(std::string_view bytes) {
    std::size_t keptUpTo = 0;
    bool tidy = true;
    forEachKeptLine(bytes, [&](std::string_view line, std::size_t start, std::size_t next) {
        tidy = start == keptUpTo && next - start == line.size() + kLineEnd.size() &&
               bytes.substr(start + line.size(), kLineEnd.size()) == kLineEnd;
        keptUpTo = next;
        return tidy;
    });
    return tidy && keptUpTo == bytes.size();
}

}  // namespace

std::string tidiedRosterBytes(std::string_view bytes) {
    std::string kept;
    kept.reserve(bytes.size());
    forEachKeptLine(bytes, [&](std::string_view line, std::size_t, std::size_t) {
        kept += line;
        kept += kLineEnd;
        return true;
    });
    return kept;
}

Result<TidiedRoster> tidyRosterFileQuietly(const fs::path& path,
                                           const std::function<bool(std::string_view)>& beforeRewrite) {
    auto content = readWholeFile(path);
    if (!content) {
        // Only a missing file is ours to create. A file that is there but
        // cannot be read must not be replaced by an empty one.
        if (content.error().reason != kMissingFileReason) return content.error();
        if (Status created = writeWholeFile(path, {}); !created) return created.error();
        return TidiedRoster{{}, true};
    }
    // Skipping a rewrite that changes nothing lets a read-only roster that is
    // already tidy start without complaint.
    if (isTidy(content.value())) return TidiedRoster{std::move(content).value(), false};
    std::string tidied = tidiedRosterBytes(content.value());
    if (beforeRewrite && !beforeRewrite(content.value())) return TidiedRoster{std::move(tidied), false};
    if (Status written = writeWholeFile(path, tidied); !written) return written.error();
    return TidiedRoster{std::move(tidied), false};
}

Result<std::string> tidyRosterFile(const fs::path& path, Dialogs& dialogs,
                                   const std::function<bool(std::string_view)>& beforeRewrite) {
    auto tidied = tidyRosterFileQuietly(path, beforeRewrite);
    if (!tidied) return tidied.error();
    if (tidied.value().created) dialogs.inform(kRosterCreatedMessage, kApplicationTitle, Icon::Exclamation);
    return std::move(tidied.value().bytes);
}

Status CheckRosterFile(const fs::path& path, Dialogs& dialogs) {
    return tidyRosterFile(path, dialogs).status();
}

Status readRosterBytes(std::string_view bytes, const std::string& fileName, Roster& roster) {
    roster.clear();
    // The bots' texts share one buffer, which cannot pass 4 GiB; they cannot
    // pass the file's own size either.
    if (bytes.size() > TextList::kMaxBytes) return Error{fileName, 0, "the file is larger than 4 GiB"};
    return RecordReader(bytes, fileName, roster).readAll();
}

Status ReadRoster(const fs::path& path, Roster& roster) {
    roster.clear();
    const auto content = readWholeFile(path);
    if (!content) return content.status();
    return readRosterBytes(content.value(), pathText(path), roster);
}

Status readRosterAsHeld(const fs::path& path, Roster& roster) {
    roster.clear();
    const auto content = readWholeFile(path);
    if (!content) return content.status();
    return readRosterBytes(tidiedRosterBytes(content.value()), pathText(path), roster);
}

}  // namespace vexmoor
