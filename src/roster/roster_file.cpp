#include "roster/roster_file.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <utility>

#include "core/file_io.h"
#include "core/item_reader.h"
#include "core/number_text.h"
#include "core/paths.h"

namespace vexmoor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kLineEnd = "\r\n";

enum class Section { None, Bots, Teams, ViewWeapons };

RosterValue rosterValueOf(ItemReader::Item item) {
    // A quoted item stays text even when it looks like a number: that is what
    // the file said, and the writer puts it back bare.
    if (item.quoted) return RosterValue::text(std::move(item.text));
    if (item.text.empty()) return RosterValue{};
    if (const auto number = parseNumber(item.text)) return RosterValue::number(*number);
    return RosterValue::text(std::move(item.text));
}

// Reads the records of a roster file into a roster.
class RecordReader {
public:
    RecordReader(std::string_view bytes, const std::string& fileName, Roster& roster)
        : items_(bytes, true), fileName_(fileName), roster_(roster) {}

    Status readAll() {
        Section section = Section::None;
        while (!items_.atEnd()) {
            auto first = items_.readText();
            if (!first) break;
            recordLine_ = items_.line();
            std::string& s = first->text;
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
                    status = readBot(std::move(s));
                    break;
                case Section::Teams:
                    status = readTeam(std::move(s));
                    break;
                case Section::ViewWeapons:
                    status = readViewWeapon(std::move(s));
                    break;
                case Section::None:
                    break;
            }
            if (!status) return status;
        }
        return {};
    }

private:
    Error error(std::string reason) const { return Error{fileName_, recordLine_, std::move(reason)}; }

    Error cutShort(const char* record) const {
        return error(std::string("the file ends inside a ") + record + " record");
    }

    // A 16-bit count cannot take one more entry; what was read so far stays.
    std::optional<Error> refusedWhenFull(std::int16_t count, const char* what) const {
        if (count < kMaxRosterCount) return std::nullopt;
        return error("the file holds more than " + std::to_string(kMaxRosterCount) + " " + what);
    }

    Status readBot(std::string name) {
        if (auto refused = refusedWhenFull(roster_.BotCount, "bots")) return *refused;
        const auto i = static_cast<std::size_t>(roster_.BotCount);
        const std::size_t slotsBefore = roster_.BotNames.size();
        roster_.resizeBots(i + 2);
        roster_.BotNames[i] = std::move(name);

        // A record cut short leaves nothing behind, not even in the spare slot.
        const auto abandon = [&] {
            roster_.resizeBots(i);
            roster_.resizeBots(slotsBefore);
            return cutShort("bot");
        };
        auto modelSkin = items_.readText();
        if (!modelSkin) return abandon();
        roster_.BotModelSkins[i] = std::move(modelSkin->text);

        for (auto* list :
             {&roster_.BotAccuracy, &roster_.BotAgressiveness, &roster_.BotCombatSkills,
              &roster_.BotFavoriteWeapon, &roster_.BotQuadFreak, &roster_.BotCamper, &roster_.BotPing}) {
            auto value = items_.readValue();
            if (!value) return abandon();
            (*list)[i] = rosterValueOf(std::move(*value));
        }
        ++roster_.BotCount;
        return {};
    }

    Status readTeam(std::string name) {
        if (auto refused = refusedWhenFull(roster_.TeamCount, "teams")) return *refused;
        const auto i = static_cast<std::size_t>(roster_.TeamCount);
        const std::size_t slotsBefore = roster_.TeamNames.size();
        roster_.resizeTeams(i + 2);
        roster_.TeamNames[i] = std::move(name);
        for (auto* list : {&roster_.TeamShortNames, &roster_.TeamModelSkins, &roster_.TeamMembers}) {
            auto item = items_.readText();
            if (!item) {
                roster_.resizeTeams(i);
                roster_.resizeTeams(slotsBefore);
                return cutShort("team");
            }
            (*list)[i] = std::move(item->text);
        }
        ++roster_.TeamCount;
        return {};
    }

    Status readViewWeapon(std::string line) {
        if (auto refused = refusedWhenFull(roster_.ViewWeaponCount, "view weapons")) return *refused;
        const auto i = static_cast<std::size_t>(roster_.ViewWeaponCount);
        roster_.resizeViewWeapons(i + 2);
        roster_.ViewWeaponLines[i] = std::move(line);
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

std::size_t writableBots(const Roster& r) {
    return writableEntries(r.BotCount, {r.BotNames.size(), r.BotModelSkins.size(), r.BotModels.size(),
                                        r.BotSkins.size(), r.BotAccuracy.size(), r.BotAgressiveness.size(),
                                        r.BotCombatSkills.size(), r.BotFavoriteWeapon.size(),
                                        r.BotQuadFreak.size(), r.BotCamper.size(), r.BotPing.size()});
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
    return !members.empty() && members.front() != '"' && members.front() != ' ' &&
           members.find_first_of(",\r\n") == std::string_view::npos;
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
    } groups[] = {{r.BotCount, writableBots(r), "bots"},
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
    std::string scratch;
    for (std::size_t i = 0; i < static_cast<std::size_t>(r.BotCount); ++i) {
        if (!fitsInQuotes(r.BotNames[i])) return botLabel(r, i) + ": the name" + noQuote;
        if (opensHeader(r.BotNames[i])) return botLabel(r, i) + ": the name" + header;
        const bool halves = source == ModelSkinSource::Halves;
        if (!(halves ? fitsInQuotes(r.BotModels[i]) && fitsInQuotes(r.BotSkins[i])
                     : fitsInQuotes(r.BotModelSkins[i])))
            return botLabel(r, i) + ": the model/skin" + noQuote;
        if (!onOneLine({&r.BotNames[i]})) return botLabel(r, i) + ": the name" + noLineFeed;
        if (!(halves ? onOneLine({&r.BotModels[i], &r.BotSkins[i]}) : onOneLine({&r.BotModelSkins[i]})))
            return botLabel(r, i) + ": the model/skin" + noLineFeed;
        for (const auto* list : {&r.BotAccuracy, &r.BotAgressiveness, &r.BotCombatSkills,
                                 &r.BotFavoriteWeapon, &r.BotQuadFreak, &r.BotCamper, &r.BotPing}) {
            scratch.clear();
            if (!(*list)[i].appendFileText(scratch))
                return botLabel(r, i) + ": the value \"" + (*list)[i].asText() + "\"" + noQuote +
                       " together with a blank or comma";
            if (!staysOnItsLine(scratch)) return botLabel(r, i) + ": a value" + noLineFeed;
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

}  // namespace

fs::path rosterPath(const std::string& gameDirectory) { return gamePath(gameDirectory, "eraser\\bots.cfg"); }

std::string tidiedRosterBytes(std::string_view bytes) {
    std::string kept;
    kept.reserve(bytes.size());
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos)
            end = bytes.size();
        else if (end > start && bytes[end - 1] == '\r')
            --end;
        const std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && (line.front() == '"' || line.front() == '[')) {
            kept += line;
            kept += kLineEnd;
        }
        start = next;
    }
    return kept;
}

Status CheckRosterFile(const fs::path& path, Dialogs& dialogs) {
    const auto content = readWholeFile(path);
    if (!content) {
        // Only a missing file is ours to create. A file that is there but
        // cannot be read must not be replaced by an empty one.
        if (content.error().reason != kMissingFileReason) return content.status();
        if (Status created = writeWholeFile(path, {}); !created) return created;
        dialogs.inform("No bots.cfg file found. One has been created.", kApplicationTitle, Icon::Exclamation);
        return {};
    }
    const std::string tidied = tidiedRosterBytes(content.value());
    // Skipping a rewrite that changes nothing lets a read-only roster that is
    // already tidy start without complaint.
    if (tidied == content.value()) return {};
    return writeWholeFile(path, tidied);
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

std::string rosterFileBytes(const Roster& roster, ModelSkinSource source) {
    const std::size_t bots = writableBots(roster);
    const std::size_t teams = writableTeams(roster);
    const std::size_t viewWeapons = writableViewWeapons(roster);
    std::string out;
    out.reserve(64 + bots * 64 + teams * 64 + viewWeapons * 32);

    out += "[bots]";
    out += kLineEnd;
    for (std::size_t i = 0; i < bots; ++i) {
        appendQuoted(out, roster.BotNames[i]);
        if (source == ModelSkinSource::Halves)
            appendQuoted(out, roster.BotModels[i] + "/" + roster.BotSkins[i]);
        else
            appendQuoted(out, roster.BotModelSkins[i]);
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
