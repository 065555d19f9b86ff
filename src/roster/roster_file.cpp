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
        if (sizes.bots > 0) reserveAll(botLists(), slotsFor(sizes.bots));
        if (sizes.bots > 0) reserveAll(botValues(), slotsFor(sizes.bots));
        if (sizes.teams > 0) reserveAll(teamLists(), slotsFor(sizes.teams));
        if (sizes.viewWeapons > 0) roster_.ViewWeaponLines.reserve(slotsFor(sizes.viewWeapons));
    }

    Status readAll() {
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

private:
    // Without the model and skin halves: the bot editor makes them.
    std::array<std::vector<std::string>*, 2> botLists() {
        return {&roster_.BotNames, &roster_.BotModelSkins};
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
    void resizeBots(std::size_t slots) {
        for (auto* list : botLists()) list->resize(slots);
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
            // The spare slot takes this bot; one new spare slot after it.
            for (auto* list : botLists()) list->emplace_back();
            for (auto* list : botValues()) list->emplace_back();
        } else {
            resizeBots(i + 2);
        }
        roster_.BotNames[i].assign(name);

        // A record cut short leaves nothing behind, not even in the spare slot.
        const auto abandon = [&] {
            resizeBots(i);
            resizeBots(slotsBefore);
            return cutShort("bot");
        };
        ItemReader::ItemView item;
        if (!items_.nextText(item)) return abandon();
        roster_.BotModelSkins[i].assign(item.text);

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

// How many entries of a group can be written: the count, unless a list of
// the group is too short to hold them.
std::size_t writableEntries(std::int16_t count, std::initializer_list<std::size_t> listSizes) {
    if (count <= 0) return 0;
    return std::min(static_cast<std::size_t>(count), std::min(listSizes));
}

std::size_t writableBots(const Roster& r, ModelSkinSource source) {
    // The halves count only where they are written: a roster as read has none.
    const std::size_t modelSkins = source == ModelSkinSource::Halves
                                       ? std::min(r.BotModels.size(), r.BotSkins.size())
                                       : r.BotModelSkins.size();
    return writableEntries(r.BotCount,
                           {r.BotNames.size(), modelSkins, r.BotAccuracy.size(), r.BotAgressiveness.size(),
                            r.BotCombatSkills.size(), r.BotFavoriteWeapon.size(), r.BotQuadFreak.size(),
                            r.BotCamper.size(), r.BotPing.size()});
}

std::size_t writableTeams(const Roster& r) {
    return writableEntries(r.TeamCount, {r.TeamNames.size(), r.TeamShortNames.size(), r.TeamModelSkins.size(),
                                         r.TeamMembers.size()});
}

std::size_t writableViewWeapons(const Roster& r) {
    return writableEntries(r.ViewWeaponCount, {r.ViewWeaponLines.size()});
}

bool fitsInQuotes(std::string_view text) { return text.find('"') == std::string_view::npos; }

// A record is one line: the start-up tidy step keeps only lines that begin
// with a double quote or "[", so a line feed inside a text would cut the
// record there at the next start.
bool staysOnItsLine(std::string_view text) { return text.find('\n') == std::string_view::npos; }

// A member list is written bare, as the game expects it, unless that would
// not read back: then it goes in quotes, which the reader takes off again.
bool memberListIsBare(std::string_view members) {
    return !members.empty() && members.front() != '"' &&
           std::string_view(" \t\v\f").find(members.front()) == std::string_view::npos &&
           members.find_first_of(",\r\n") == std::string_view::npos;
}

// The usual bot, written as it is held: texts without a double quote or a
// line feed, a name that opens no section, values that are numbers or empty.
// One look at each text, so that the checks below run only for the rare bot
// that needs them to say what is wrong.
bool usualBot(const Roster& r, std::size_t i, bool halves) {
    const auto plain = [](const std::string& text) {
        for (const char c : text)
            if (c == '"' || c == '\n') return false;
        return true;
    };
    const std::string& name = r.BotNames[i];
    if ((!name.empty() && name.front() == '[') || !plain(name)) return false;
    if (!(halves ? plain(r.BotModels[i]) && plain(r.BotSkins[i]) : plain(r.BotModelSkins[i]))) return false;
    for (const auto* list : {&r.BotAccuracy, &r.BotAgressiveness, &r.BotCombatSkills, &r.BotFavoriteWeapon,
                             &r.BotQuadFreak, &r.BotCamper, &r.BotPing})
        if ((*list)[i].isText()) return false;
    return true;
}

std::string botLabel(const Roster& r, std::size_t i) {
    return "bot " + std::to_string(i + 1) + " (\"" + r.BotNames[i] + "\")";
}
std::string teamLabel(const Roster& r, std::size_t t) {
    return "team " + std::to_string(t + 1) + " (\"" + r.TeamNames[t] + "\")";
}

}  // namespace

std::optional<std::string> unwritableRosterReason(const Roster& r, ModelSkinSource source) {
    const struct {
        std::int16_t count;
        std::size_t writable;
        const char* what;
    } groups[] = {{r.BotCount, writableBots(r, source), "bots"},
                  {r.TeamCount, writableTeams(r), "teams"},
                  {r.ViewWeaponCount, writableViewWeapons(r), "view weapons"}};
    for (const auto& group : groups) {
        if (group.count < 0)
            return "the roster holds a negative number of " + std::string(group.what) + " (" +
                   std::to_string(group.count) + ")";
        if (group.writable < static_cast<std::size_t>(group.count))
            return "the roster's lists of " + std::string(group.what) + " are shorter than its count (" +
                   std::to_string(group.count) + ")";
    }
    const std::string noQuote = " holds a double quote, which the roster file cannot hold";
    const std::string noLineFeed =
        " holds a line break, which the roster file cannot keep: the next start would cut the line there";
    const auto onOneLine = [](std::initializer_list<const std::string*> texts) {
        return std::all_of(texts.begin(), texts.end(),
                           [](const std::string* text) { return staysOnItsLine(*text); });
    };
    // The first item of a record that begins with "[" reads back as a header.
    const std::string header = " begins with \"[\", which the roster file reads as a section header";
    const auto opensHeader = [](const std::string& text) { return !text.empty() && text.front() == '['; };
    const bool halves = source == ModelSkinSource::Halves;
    for (std::size_t i = 0; i < static_cast<std::size_t>(r.BotCount); ++i) {
        if (usualBot(r, i, halves)) continue;
        if (!fitsInQuotes(r.BotNames[i])) return botLabel(r, i) + ": the name" + noQuote;
        if (opensHeader(r.BotNames[i])) return botLabel(r, i) + ": the name" + header;
        if (!(halves ? fitsInQuotes(r.BotModels[i]) && fitsInQuotes(r.BotSkins[i])
                     : fitsInQuotes(r.BotModelSkins[i])))
            return botLabel(r, i) + ": the model/skin" + noQuote;
        if (!onOneLine({&r.BotNames[i]})) return botLabel(r, i) + ": the name" + noLineFeed;
        if (!(halves ? onOneLine({&r.BotModels[i], &r.BotSkins[i]}) : onOneLine({&r.BotModelSkins[i]})))
            return botLabel(r, i) + ": the model/skin" + noLineFeed;
        for (const auto* list : {&r.BotAccuracy, &r.BotAgressiveness, &r.BotCombatSkills,
                                 &r.BotFavoriteWeapon, &r.BotQuadFreak, &r.BotCamper, &r.BotPing}) {
            if (!(*list)[i].fitsInFile())
                return botLabel(r, i) + ": the value \"" + (*list)[i].asText() + "\"" + noQuote +
                       " together with a blank or comma";
            if ((*list)[i].isText() && !staysOnItsLine((*list)[i].asText())) return botLabel(r, i) + ": a value" + noLineFeed;
        }
    }
    for (std::size_t t = 0; t < static_cast<std::size_t>(r.TeamCount); ++t) {
        if (!fitsInQuotes(r.TeamNames[t]) || !fitsInQuotes(r.TeamShortNames[t]) ||
            !fitsInQuotes(r.TeamModelSkins[t]))
            return teamLabel(r, t) + ": the name, abbreviation or model/skin" + noQuote;
        if (opensHeader(r.TeamNames[t])) return teamLabel(r, t) + ": the name" + header;
        if (!onOneLine({&r.TeamNames[t], &r.TeamShortNames[t], &r.TeamModelSkins[t], &r.TeamMembers[t]}))
            return teamLabel(r, t) + ": the name, abbreviation, model/skin or member list" + noLineFeed;
        const std::string& members = r.TeamMembers[t];
        if (!memberListIsBare(members) && !fitsInQuotes(members))
            return teamLabel(r, t) +
                   ": the member list holds a comma or line end together with double quotes";
    }
    for (std::size_t v = 0; v < static_cast<std::size_t>(r.ViewWeaponCount); ++v)
        if (!fitsInQuotes(r.ViewWeaponLines[v]))
            return "view weapon " + std::to_string(v + 1) + noQuote;
        else if (opensHeader(r.ViewWeaponLines[v]))
            return "view weapon " + std::to_string(v + 1) + header;
        else if (!staysOnItsLine(r.ViewWeaponLines[v]))
            return "view weapon " + std::to_string(v + 1) + noLineFeed;
    return std::nullopt;
}

namespace {

void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    out += text;
    out += '"';
}

// The seven values of a bot line. A number carries its own blanks; a bare
// word is kept apart from a next field that would otherwise run into it.
void appendValues(std::string& out, const Roster& r, std::size_t i) {
    bool afterBareWord = false;
    for (const auto* list : {&r.BotAccuracy, &r.BotAgressiveness, &r.BotCombatSkills, &r.BotFavoriteWeapon,
                             &r.BotQuadFreak, &r.BotCamper, &r.BotPing}) {
        const RosterValue& value = (*list)[i];
        const std::size_t start = out.size();
        if (!value.appendFileText(out)) continue;  // refused before writing
        const char first = out[start];
        if (afterBareWord && first != ' ') out.insert(start, 1, ' ');
        afterBareWord = value.isText() && first != '"';
    }
}

// The usual bot line, written straight into a buffer and appended in one
// go: quoted texts of ordinary length and values that are whole numbers or
// empty. False (nothing appended) for any other line, which appendValues
// then writes piece by piece.
bool appendUsualBotLine(std::string& out, const Roster& r, std::size_t i, ModelSkinSource source) {
    constexpr std::size_t kRoom = 512;
    constexpr std::size_t kValueRoom = 20;  // a whole number, its blanks; or ""
    const bool halves = source == ModelSkinSource::Halves;
    const std::size_t texts =
        r.BotNames[i].size() +
        (halves ? r.BotModels[i].size() + 1 + r.BotSkins[i].size() : r.BotModelSkins[i].size());
    if (texts + 4 + 7 * kValueRoom + 2 > kRoom) return false;

    char line[kRoom];
    char* p = line;
    const auto put = [&p](std::string_view text) {
        std::memcpy(p, text.data(), text.size());
        p += text.size();
    };
    *p++ = '"';
    put(r.BotNames[i]);
    *p++ = '"';
    *p++ = '"';
    if (halves) {
        put(r.BotModels[i]);
        *p++ = '/';
        put(r.BotSkins[i]);
    } else {
        put(r.BotModelSkins[i]);
    }
    *p++ = '"';
    for (const auto* list : {&r.BotAccuracy, &r.BotAgressiveness, &r.BotCombatSkills, &r.BotFavoriteWeapon,
                             &r.BotQuadFreak, &r.BotCamper, &r.BotPing}) {
        const RosterValue& value = (*list)[i];
        if (value.isEmpty()) {
            *p++ = '"';
            *p++ = '"';
            continue;
        }
        if (!value.isNumber() || !(p = writeWholeNumberText(p, value.asNumber()))) return false;
        *p++ = ' ';
    }
    *p++ = '\r';
    *p++ = '\n';
    out.append(line, static_cast<std::size_t>(p - line));
    return true;
}

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

std::string rosterFileBytes(const Roster& roster, ModelSkinSource source) {
    const std::size_t bots = writableBots(roster, source);
    const std::size_t teams = writableTeams(roster);
    const std::size_t viewWeapons = writableViewWeapons(roster);
    std::string out;
    out.reserve(64 + bots * 64 + teams * 64 + viewWeapons * 32);

    out += "[bots]";
    out += kLineEnd;
    for (std::size_t i = 0; i < bots; ++i) {
        if (appendUsualBotLine(out, roster, i, source)) continue;
        appendQuoted(out, roster.BotNames[i]);
        if (source == ModelSkinSource::Halves) {
            out += '"';
            out += roster.BotModels[i];
            out += '/';
            out += roster.BotSkins[i];
            out += '"';
        } else {
            appendQuoted(out, roster.BotModelSkins[i]);
        }
        appendValues(out, roster, i);
        out += kLineEnd;
    }

    out += "[teams]";
    out += kLineEnd;
    for (std::size_t t = 0; t < teams; ++t) {
        appendQuoted(out, roster.TeamNames[t]);
        appendQuoted(out, roster.TeamShortNames[t]);
        appendQuoted(out, roster.TeamModelSkins[t]);
        if (memberListIsBare(roster.TeamMembers[t]))
            out += roster.TeamMembers[t];
        else
            appendQuoted(out, roster.TeamMembers[t]);
        out += kLineEnd;
    }

    out += "[view weapons]";
    out += kLineEnd;
    for (std::size_t v = 0; v < viewWeapons; ++v) {
        appendQuoted(out, roster.ViewWeaponLines[v]);
        out += kLineEnd;
    }
    return out;
}

Status WriteRoster(const fs::path& path, const Roster& roster, ModelSkinSource source, Dialogs& dialogs) {
    Status status;
    if (const auto reason = unwritableRosterReason(roster, source))
        status = Error{pathText(path), 0, *reason};
    else
        status = writeWholeFile(path, rosterFileBytes(roster, source));

    if (status) {
        dialogs.inform("Bots.cfg file written.");
        return status;
    }
    dialogs.inform(
        "Bots.cfg was not written: " + status.error().describe() + ". The file on disk is unchanged.",
        kApplicationTitle, Icon::Critical);
    return status;
}

}  // namespace vexmoor
