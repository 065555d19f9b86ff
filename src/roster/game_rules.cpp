#include "roster/game_rules.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "core/number_text.h"

namespace vexmoor::game_rules {

namespace {

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string lowered(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return result;
}

// The characters of a name that the game or the engine mishandles.
void characterWarnings(std::string_view what, std::string_view name, std::vector<std::string>& out) {
    static const std::map<char, const char*> why = {
        {'%', "the game uses it as a format and may crash"},
        {';', "the engine refuses it in a player's name"},
        {'\\', "the engine refuses it in a player's name"},
        {'~', "it breaks the game's name look-ups"},
    };
    std::string seen;
    for (const char c : name) {
        const auto found = why.find(c);
        if (found == why.end() || seen.find(c) != std::string::npos) continue;
        seen += c;
        out.push_back(std::string(what) + " holds \"" + c + "\": " + found->second + ".");
    }
    if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) > 127; }))
        out.push_back(std::string(what) +
                      " holds a character outside plain ASCII, which the game shows garbled.");
}

void lengthWarnings(std::string_view what, std::string_view text, std::size_t limit,
                    std::vector<std::string>& out) {
    if (text.size() >= kBufferLength)
        out.push_back(std::string(what) + " is " + std::to_string(text.size()) +
                      " characters long: 128 or more overflow the game's buffer and crash it.");
    else if (text.size() > limit)
        out.push_back(std::string(what) + " is " + std::to_string(text.size()) +
                      " characters long; the game keeps " + std::to_string(limit) + ".");
}

// A whole number as a sentence shows it; also one far beyond any integer type.
std::string wholeText(double number) {
    std::string text = numberText(number);
    if (text.front() == ' ') text.erase(0, 1);
    return text;
}

// A name as the game compares it: cut at its first "[" (where a clan tag
// such as "Name[ABBR]" begins), letter case aside.
std::string comparedName(std::string_view name) { return lowered(name.substr(0, name.find('['))); }

// Two names the game's cut at "[" makes one, though they differ.
bool confusedByCut(std::string_view a, std::string_view b) {
    const bool tagged = a.find('[') != std::string_view::npos || b.find('[') != std::string_view::npos;
    return tagged && comparedName(a) == comparedName(b);
}

const char* const kValueNames[] = {"Firing accuracy", "Aggressiveness", "Combat skills", "Favorite weapon",
                                   "Quad freak",      "Camper",         "Average ping"};

}  // namespace

std::vector<std::string> botNameWarnings(std::string_view name) {
    std::vector<std::string> out;
    lengthWarnings("The name", name, kPlayerNameLength, out);
    characterWarnings("The name", name, out);
    if (lowered(name) == "eraser") out.push_back("The game leaves out a bot named \"Eraser\".");
    return out;
}

std::vector<std::string> botWarnings(const Roster& roster, std::size_t bot, std::string_view modelSkin) {
    std::vector<std::string> out = botNameWarnings(roster.BotNames[bot]);
    const std::string_view own = roster.BotNames[bot];
    const auto bots = std::min(static_cast<std::size_t>(std::max<std::int16_t>(roster.BotCount, 0)),
                               roster.BotNames.size());
    for (std::size_t other = 0; other < bots; ++other)
        if (other != bot && confusedByCut(own, roster.BotNames[other])) {
            out.push_back("The game cuts names at \"[\", so it cannot tell this bot from bot " +
                          std::to_string(other + 1) + ", " + quoted(roster.BotNames[other]) + ".");
            break;
        }
    if (modelSkin.size() >= kBufferLength)
        out.push_back("The model and skin are " + std::to_string(modelSkin.size()) +
                      " characters long: 128 or more overflow the game's buffer and crash it.");
    const RosterValue* values[] = {&roster.BotAccuracy[bot],     &roster.BotAgressiveness[bot],
                                   &roster.BotCombatSkills[bot], &roster.BotFavoriteWeapon[bot],
                                   &roster.BotQuadFreak[bot],    &roster.BotCamper[bot],
                                   &roster.BotPing[bot]};
    for (std::size_t k = 0; k < std::size(values); ++k) {
        const RosterValue& value = *values[k];
        const std::string name = kValueNames[k];
        if (!value.isNumber()) {
            out.push_back(name + " holds " +
                          (value.isEmpty() ? std::string("nothing") : quoted(value.asText())) +
                          ", not a whole number: the game reads this and the later values wrongly.");
            continue;
        }
        const double number = value.asNumber();
        if (number != std::floor(number)) {
            std::string text = numberText(number);
            if (text.front() == ' ') text.erase(0, 1);
            out.push_back(name + " holds the fraction " + text +
                          ", which the game cannot read: this and the later values come out wrongly.");
            continue;
        }
        if (std::fabs(number) > 2147483647.0)
            out.push_back(
                name + " is " + wholeText(number) +
                ", more than the game can read as a whole number: it reads another number instead.");
        if (k == 0 && number < 0)
            out.push_back("The game loses the minus sign of the first value, so it reads " + name + " as " +
                          wholeText(-number) + ".");
        if (k <= 2 && (number < 1 || number > 5))
            out.push_back(name + " is " + wholeText(number) + "; the game keeps skills between 1 and 5.");
        if (k == 3 && number == 1)
            out.push_back(
                "The game gives no bot the pistol as its favourite weapon: it uses the rocket launcher "
                "instead.");
        else if (k == 3 && (number < 0 || number > 9))
            out.push_back("Favorite weapon " + wholeText(number) +
                          " is no weapon of the game: the bot's favourite weapon is undefined.");
    }
    return out;
}

std::vector<std::string> teamWarnings(std::size_t index, std::string_view name, std::string_view abbreviation,
                                      const std::vector<std::string>& members) {
    std::vector<std::string> out;
    if (index >= kTeamLimit)
        out.push_back("This is team " + std::to_string(index + 1) +
                      ": the game reads only the first 64 teams.");
    if (members.size() > kMemberLimit)
        out.push_back(std::to_string(members.size()) +
                      " members are checked: the game takes 32 and the rest spoil the next team.");
    if (name.size() > kPlayerNameLength)
        out.push_back("The team name is " + std::to_string(name.size()) +
                      " characters long: over 15 crash the game's \"teams\" command.");
    if (abbreviation.size() > kAbbreviationLength)
        out.push_back("The abbreviation is " + std::to_string(abbreviation.size()) +
                      " characters long: over 4 crash the game's \"teams\" command.");
    characterWarnings("The team name", name, out);
    characterWarnings("The abbreviation", abbreviation, out);
    for (std::size_t i = 0; i < members.size(); ++i)
        for (std::size_t j = i + 1; j < members.size(); ++j)
            if (confusedByCut(members[i], members[j]))
                out.push_back("The game cuts names at \"[\", so it takes the members " + quoted(members[i]) +
                              " and " + quoted(members[j]) + " for one bot.");
    for (const std::string& member : members)
        if (member.size() + abbreviation.size() + 2 > kPlayerNameLength)
            out.push_back(
                "In the game the member " + quoted(member) + " is named with the abbreviation, which makes " +
                std::to_string(member.size() + abbreviation.size() + 2) + " characters; it keeps 15.");
    return out;
}

std::vector<std::string> chatLineWarnings(std::size_t section, std::string_view line) {
    std::vector<std::string> out;
    if (line.empty()) {
        out.push_back("An empty line is dropped when the file is read again.");
        return out;
    }
    if (line.find('\n') != std::string_view::npos)
        out.push_back("The line holds a line break: it comes back as two lines when the file is read again.");
    if (line.starts_with("--"))
        out.push_back(
            "A line beginning with \"--\" is read as a section header when the editor opens the file again.");
    else if (line.front() == '#')
        out.push_back("A line beginning with \"#\" is a comment: it is dropped when the file is read again.");
    if (line.front() == '-')
        out.push_back(
            "The game takes a line beginning with \"-\" as the start of its next section, which shifts every "
            "later section.");
    // The game reads the "Drop Item" lines but never says one: what only
    // matters when a line is said does not apply to them.
    const bool said = section != kDropItemSection;
    const auto start = std::find_if(line.begin(), line.end(), [](char c) { return isLetter(c) || c == '%'; });
    if (start == line.end())
        out.push_back("The game drops a line without a letter or \"%\".");
    else if (said && start != line.begin() && line.front() != '-')
        out.push_back("The game skips \"" + std::string(line.begin(), start) +
                      "\" and starts the line at its first letter.");
    if (line.size() >= kChatLineLength)
        out.push_back("The line is " + std::to_string(line.size()) +
                      " characters long: 256 or more overflow the game's buffer and crash it.");
    // Greetings get no argument; the other sections get one name.
    std::size_t formats = 0;
    bool stray = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '%') continue;
        if (i + 1 < line.size() && line[i + 1] == 's') {
            ++formats;
            ++i;
        } else {
            stray = true;
        }
    }
    const std::size_t allowed = section == 0 ? 0 : 1;
    if (said && (stray || formats > allowed))
        out.push_back(section == 0
                          ? "Greetings get no name to fill in: a \"%\" here may crash the game."
                          : "The game fills in one name for one \"%s\"; any other \"%\" may crash it.");
    return out;
}

std::vector<std::string> chatFileWarnings(const std::vector<std::vector<std::string>>& sections) {
    static const char* const names[] = {
        "Greetings",  "Insults (general)", "Insults (kicking ass)", "Insults (losing, coming back)",
        "Come-backs", "TEAMPLAY: Help!",   "TEAMPLAY: Drop Item",   "TEAMPLAY: Let's Group!"};
    std::vector<std::string> out;
    for (std::size_t k = 0; k < sections.size() && k < kChatSections; ++k) {
        if (sections[k].empty() && k != kDropItemSection)
            out.push_back(std::string("\"") + names[k] +
                          "\" is empty: the game crashes when a bot wants to say one of these.");
        if (sections[k].size() > kChatLinesPerSection)
            out.push_back(std::string("\"") + names[k] + "\" holds " + std::to_string(sections[k].size()) +
                          " lines: the game reads 64 and the rest spill into the next section.");
    }
    return out;
}

bool isMapCycleComment(std::string_view entry) {
    const std::size_t first = entry.find_first_not_of(" \t\v\f");
    return first != std::string_view::npos && entry[first] == '#';
}

std::vector<std::string> mapCycleWarnings(const std::vector<std::string>& maps) {
    std::vector<std::string> out;
    const auto names = static_cast<std::size_t>(
        std::count_if(maps.begin(), maps.end(), [](const std::string& map) { return !isMapCycleComment(map); }));
    if (names > kMapCycleLimit)
        out.push_back("The cycle holds " + std::to_string(names) + " maps: the game reads the first 256.");
    std::map<std::string, int> seen;
    for (const std::string& map : maps) {
        if (isMapCycleComment(map)) continue;
        const bool plain = !map.empty() && std::all_of(map.begin(), map.end(), [](char c) {
            return isLetter(c) || (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '/' || c == '\\';
        });
        if (!plain)
            out.push_back(quoted(map) +
                          " holds characters other than letters, digits, \"_\", \"-\", \"/\" and \"\\\": "
                          "the game splits it or skips it.");
        if (map.size() >= kMapNameLength)
            out.push_back(quoted(map) + " is " + std::to_string(map.size()) +
                          " characters long: the game takes up to 63.");
        if (++seen[map] == 2)
            out.push_back(quoted(map) +
                          " is listed more than once: the game goes on from its last place in the cycle.");
    }
    return out;
}

std::vector<std::string> latencyWarnings(std::string_view text) {
    // Read as C's atoi reads a command's argument: blanks, a sign, digits.
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos) i = text.size();
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    double number = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) number = number * 10 + (text[i] - '0');
    if (negative) number = -number;
    if (number >= 1000)
        return {"The game answers a latency of 1000 or more with \"lag must be lower than 1000\" and keeps its "
                "old value."};
    if (number < 1) return {"The game takes a latency of 1 to 999 only."};
    return {};
}

std::string warningText(const std::vector<std::string>& warnings, std::size_t limit) {
    std::string text;
    const std::size_t shown = std::min(warnings.size(), limit);
    for (std::size_t i = 0; i < shown; ++i) {
        if (i > 0) text += '\n';
        text += warnings[i];
    }
    if (const std::size_t more = warnings.size() - shown; more > 0) {
        if (!text.empty()) text += '\n';
        text += more == 1 ? std::string("One more warning.") : std::to_string(more) + " more warnings.";
    }
    return text;
}

}  // namespace vexmoor::game_rules
