#include "setups/game_summary.h"

#include <mutex>
#include <optional>
#include <variant>
#include <vector>

namespace vexmoor {

namespace {

template <class T>
const T* valueOf(const Setup& setup, const char* control) {
    const auto found = setup.controls.find(control);
    return found == setup.controls.end() ? nullptr : std::get_if<T>(&found->second);
}

bool chosen(const Setup& setup, const char* option) {
    const bool* value = valueOf<bool>(setup, option);
    return value && *value;
}

bool checked(const Setup& setup, const char* box) {
    const int* state = valueOf<int>(setup, box);
    return state && *state == 1;
}

std::string textOf(const Setup& setup, const char* box) {
    const std::string* text = valueOf<std::string>(setup, box);
    return text ? *text : std::string();
}

std::vector<std::string> entriesOf(const Setup& setup, const char* list) {
    const auto* entries = valueOf<std::vector<std::string>>(setup, list);
    return entries ? *entries : std::vector<std::string>();
}

// The map the game starts on: the launch's own " +map NAME".
std::string mapOf(const Setup& setup) {
    const auto found = setup.fragments.find("MapFrame");
    if (found == setup.fragments.end()) return {};
    constexpr std::string_view piece = " +map ";
    const std::string& fragment = found->second;
    return fragment.starts_with(piece) ? fragment.substr(piece.size()) : std::string();
}

std::string joined(const std::vector<std::string>& parts, const std::string& between) {
    std::string text;
    for (const std::string& part : parts) {
        if (!text.empty()) text += between;
        text += part;
    }
    return text;
}

// A few names in full; beyond that, how many more there are.
std::string namesText(const std::vector<std::string>& names) {
    constexpr std::size_t shown = 4;
    if (names.size() <= shown) return joined(names, ", ");
    return joined({names.begin(), names.begin() + shown}, ", ") + " and " + std::to_string(names.size() - shown) +
           " more";
}

std::string skillText(const Setup& setup) {
    if (checked(setup, "BotAutoskillCheck")) return "auto skill";
    const int* skill = valueOf<int>(setup, "BotSkillSlider");
    return skill ? "skill " + std::to_string(*skill) : std::string();
}

}  // namespace

std::string gameSummary(const Setup& setup, const std::function<std::string(const std::string&)>& title) {
    std::vector<std::string> parts;
    const bool ctf = chosen(setup, "CTFMapOption");
    const bool teamplay = !ctf && checked(setup, "TeamplayCheckBox");
    std::string head = ctf ? "CTF" : teamplay ? "Teamplay" : "Deathmatch";
    if (const std::string map = mapOf(setup); !map.empty()) {
        head += " on " + map;
        if (const std::string mapTitle = title ? title(map) : std::string(); !mapTitle.empty())
            head += " (" + mapTitle + ")";
    }
    parts.push_back(head);

    const std::string skill = skillText(setup);
    const std::vector<std::string> teams = entriesOf(setup, "BotTeamList");
    if (teamplay && !teams.empty()) {
        parts.push_back((teams.size() == 1 ? "team " : "teams ") + joined(teams, " vs "));
    } else if (chosen(setup, "SpawnSpecificBotsOption")) {
        const std::vector<std::string> bots = entriesOf(setup, "SpecificBotList");
        parts.push_back(bots.empty() ? "no bots chosen" : namesText(bots));
        if (!bots.empty() && !skill.empty()) parts.push_back(skill);
    } else {
        const int* count = valueOf<int>(setup, "BotNumScroll");
        if (!count || *count == 0)
            parts.push_back("no bots");
        else
            parts.push_back(std::to_string(*count) + (*count == 1 ? " random bot" : " random bots") +
                            (skill.empty() ? std::string() : ", " + skill));
    }
    if (checked(setup, "TimelimitCheckBox")) parts.push_back("time " + textOf(setup, "TimeLimitText"));
    if (checked(setup, "FraglimitCheckBox")) parts.push_back("frags " + textOf(setup, "FragLimitText"));
    return joined(parts, kSummarySeparator);
}

namespace {

// The local calendar time of a moment; std::localtime shares one buffer.
std::tm localTime(std::time_t when) {
    static std::mutex mutex;
    const std::lock_guard lock(mutex);
    const std::tm* local = std::localtime(&when);
    return local ? *local : std::tm{};
}

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

}  // namespace

std::string playedText(std::time_t when, std::time_t now) {
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::tm played = localTime(when);
    const std::tm today = localTime(now);
    std::tm dayBefore = today;
    dayBefore.tm_mday -= 1;
    dayBefore.tm_isdst = -1;
    const std::time_t yesterdayTime = std::mktime(&dayBefore);
    const std::tm yesterday = localTime(yesterdayTime);
    const auto sameDay = [&](const std::tm& a, const std::tm& b) {
        return a.tm_year == b.tm_year && a.tm_yday == b.tm_yday;
    };
    const std::string clock = twoDigits(played.tm_hour) + ":" + twoDigits(played.tm_min);
    if (sameDay(played, today)) return "today " + clock;
    if (sameDay(played, yesterday)) return "yesterday " + clock;
    const std::string day =
        std::to_string(played.tm_mday) + " " + months[static_cast<std::size_t>(played.tm_mon) % 12];
    if (played.tm_year == today.tm_year) return day + " " + clock;
    return day + " " + std::to_string(played.tm_year + 1900);
}

}  // namespace vexmoor
