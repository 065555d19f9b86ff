#include "roster/roster_file.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>

#include "core/number_text.h"
#include "core/ports.h"

namespace vexmoor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kLineEnd = "\r\n";

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
    const auto plain = [](std::string_view text) {
        for (const char c : text)
            if (c == '"' || c == '\n') return false;
        return true;
    };
    const std::string_view name = r.BotNames[i];
    if ((!name.empty() && name.front() == '[') || !plain(name)) return false;
    if (!(halves ? plain(r.BotModels[i]) && plain(r.BotSkins[i]) : plain(r.BotModelSkins[i]))) return false;
    for (const auto* list : {&r.BotAccuracy, &r.BotAgressiveness, &r.BotCombatSkills, &r.BotFavoriteWeapon,
                             &r.BotQuadFreak, &r.BotCamper, &r.BotPing})
        if ((*list)[i].isText()) return false;
    return true;
}

std::string botLabel(const Roster& r, std::size_t i) {
    return "bot " + std::to_string(i + 1) + " (\"" + std::string(r.BotNames[i]) + "\")";
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
    const auto onOneLine = [](std::initializer_list<std::string_view> texts) {
        return std::all_of(texts.begin(), texts.end(), staysOnItsLine);
    };
    // The first item of a record that begins with "[" reads back as a header.
    const std::string header = " begins with \"[\", which the roster file reads as a section header";
    const auto opensHeader = [](std::string_view text) { return !text.empty() && text.front() == '['; };
    const bool halves = source == ModelSkinSource::Halves;
    for (std::size_t i = 0; i < static_cast<std::size_t>(r.BotCount); ++i) {
        if (usualBot(r, i, halves)) continue;
        if (!fitsInQuotes(r.BotNames[i])) return botLabel(r, i) + ": the name" + noQuote;
        if (opensHeader(r.BotNames[i])) return botLabel(r, i) + ": the name" + header;
        if (!(halves ? fitsInQuotes(r.BotModels[i]) && fitsInQuotes(r.BotSkins[i])
                     : fitsInQuotes(r.BotModelSkins[i])))
            return botLabel(r, i) + ": the model/skin" + noQuote;
        if (!onOneLine({r.BotNames[i]})) return botLabel(r, i) + ": the name" + noLineFeed;
        if (!(halves ? onOneLine({r.BotModels[i], r.BotSkins[i]}) : onOneLine({r.BotModelSkins[i]})))
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
        if (!onOneLine({r.TeamNames[t], r.TeamShortNames[t], r.TeamModelSkins[t], r.TeamMembers[t]}))
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
