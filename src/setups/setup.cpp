#include "setups/setup.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include <nlohmann/json.hpp>

#include "core/code_page.h"
#include "core/utf8.h"

namespace vexmoor {

namespace {

using Json = nlohmann::json;
// Written in the order of the pages, so a player reading the file finds
// the controls where the window shows them.
using OrderedJson = nlohmann::ordered_json;

constexpr const char* kFormatKey = "VexmoorSetup";
constexpr int kFormatVersion = 1;
constexpr const char* kGameDirectoryKey = "GameDirectory";
constexpr const char* kFlagsTotalKey = "DeathmatchFlagsTotal";
constexpr long long kLargestFlagsTotal = 2'147'483'647;
constexpr const char* kFragmentsKey = "LaunchFragments";

// The game's texts are single bytes of its code page; JSON holds characters.
std::string utf8OfGameText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) utf8::append(text, code_page::toUnicode(c));
    return text;
}

// Nothing when a character has no byte in the code page.
std::optional<std::string> gameTextOfUtf8(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t code = 0;
        const std::size_t length = utf8::characterAt(text, i, code);
        if (length == 0 || code > 0xFFFF) return std::nullopt;
        const auto byte = code_page::byteFor(static_cast<char16_t>(code));
        if (!byte) return std::nullopt;
        bytes.push_back(*byte);
        i += length;
    }
    return bytes;
}

// The game directory is the system's text: on Windows the code page's
// bytes, elsewhere UTF-8, where a byte that begins no character stands for
// its code page character (a name that is no UTF-8 at all still gives the
// same text each time, which is all the comparison of directories needs).
std::string utf8OfSystemText(std::string_view bytes) {
#ifdef _WIN32
    return utf8OfGameText(bytes);
#else
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t code = 0;
        const std::size_t length = utf8::characterAt(bytes, i, code);
        if (length > 0) {
            text.append(bytes.substr(i, length));
            i += length;
        } else {
            utf8::append(text, code_page::toUnicode(bytes[i]));
            ++i;
        }
    }
    return text;
#endif
}

std::optional<std::string> systemTextOfUtf8(std::string_view text) {
#ifdef _WIN32
    return gameTextOfUtf8(text);
#else
    return std::string(text);
#endif
}

// A whole number, whichever way the file wrote it (1, 1.0, 1e0).
std::optional<long long> wholeNumber(const Json& value) {
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        if (number > static_cast<std::uint64_t>(std::numeric_limits<long long>::max())) return std::nullopt;
        return static_cast<long long>(number);
    }
    if (value.is_number_integer()) return value.get<std::int64_t>();
    if (value.is_number_float()) {
        const double number = value.get<double>();
        if (std::isfinite(number) && number == std::floor(number) && std::fabs(number) < 1e15)
            return static_cast<long long>(number);
    }
    return std::nullopt;
}

std::string shown(const Json& value) {
    std::string text = value.dump(-1, ' ', false, Json::error_handler_t::replace);
    if (text.size() > 40) text = text.substr(0, 37) + "...";
    return text;
}

const char* kindWord(SetupKind kind) {
    switch (kind) {
        case SetupKind::State:
            return "a check box state (0, 1 or 2)";
        case SetupKind::Position:
            return "a whole number";
        case SetupKind::Text:
            return "a text";
        case SetupKind::Choice:
            return "true or false";
        case SetupKind::Entry:
            return "an entry's text or null";
        case SetupKind::Entries:
            return "a list of entries' texts";
    }
    return "";
}

constexpr const char* kOutsideCodePage =
    "holds a character that the game's code page (Windows-1252) cannot hold";

// The value of one control as the file holds it, or why it is skipped.
std::variant<SetupValue, std::string> readValue(const SetupControl& control, const Json& value) {
    const std::string wrongKind = std::string(kindWord(control.kind)) + " was expected, not " + shown(value);
    switch (control.kind) {
        case SetupKind::State: {
            const auto state = wholeNumber(value);
            if (!state || *state < 0 || *state > 2) return wrongKind;
            return SetupValue(static_cast<int>(*state));
        }
        case SetupKind::Position: {
            const auto position = wholeNumber(value);
            if (!position) return wrongKind;
            if (*position < control.minimum || *position > control.maximum)
                return shown(value) + " is outside " + std::to_string(control.minimum) + " to " +
                       std::to_string(control.maximum);
            return SetupValue(static_cast<int>(*position));
        }
        case SetupKind::Text: {
            if (!value.is_string()) return wrongKind;
            auto text = gameTextOfUtf8(value.get_ref<const std::string&>());
            if (!text) return std::string(kOutsideCodePage);
            return SetupValue(std::move(*text));
        }
        case SetupKind::Choice:
            if (!value.is_boolean()) return wrongKind;
            return SetupValue(value.get<bool>());
        case SetupKind::Entry: {
            if (value.is_null()) return SetupValue(std::optional<std::string>());
            if (!value.is_string()) return wrongKind;
            auto text = gameTextOfUtf8(value.get_ref<const std::string&>());
            if (!text) return std::string(kOutsideCodePage);
            return SetupValue(std::optional<std::string>(std::move(*text)));
        }
        case SetupKind::Entries: {
            if (!value.is_array()) return wrongKind;
            std::vector<std::string> entries;
            entries.reserve(value.size());
            for (const Json& entry : value) {
                if (!entry.is_string()) return wrongKind;
                auto text = gameTextOfUtf8(entry.get_ref<const std::string&>());
                if (!text) return std::string(kOutsideCodePage);
                entries.push_back(std::move(*text));
            }
            return SetupValue(std::move(entries));
        }
    }
    return wrongKind;
}

OrderedJson jsonOf(const SetupValue& value) {
    return std::visit(
        [](const auto& v) -> OrderedJson {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::string>) {
                return utf8OfGameText(v);
            } else if constexpr (std::is_same_v<T, std::optional<std::string>>) {
                return v ? OrderedJson(utf8OfGameText(*v)) : OrderedJson(nullptr);
            } else if constexpr (std::is_same_v<T, std::vector<std::string>>) {
                OrderedJson entries = OrderedJson::array();
                for (const std::string& entry : v) entries.push_back(utf8OfGameText(entry));
                return entries;
            } else {
                return v;
            }
        },
        value);
}

// The deathmatch flags total is a whole number whenever the boxes made it;
// it is written as one, so the file reads as the settings file does.
OrderedJson jsonOfTotal(double total) {
    if (std::isfinite(total) && total == std::floor(total) && std::fabs(total) < 9007199254740992.0)
        return static_cast<std::int64_t>(total);
    return total;
}

}  // namespace

const std::vector<SetupControl>& setupControls() {
    using K = SetupKind;
    static const std::vector<SetupControl> controls = {
        // Gameplay: the general settings, then the server settings, each
        // limit box before its text.
        {"FallingDamageCheckBox", K::State},
        {"WeaponsStayCheckBox", K::State},
        {"InstantPowerupsCheckBox", K::State},
        {"AllowPowerupsCheckBox", K::State},
        {"AllowHealthCheckBox", K::State},
        {"AllowArmorCheckBox", K::State},
        {"SpawnFarthestCheckBox", K::State},
        {"SameMapCheckBox", K::State},
        {"ForceRespawnCheckBox", K::State},
        {"AllowExitCheckBox", K::State},
        {"InfiniteAmmoCheckBox", K::State},
        {"QuadDropCheckBox", K::State},
        {"FriendlyFireCheckBox", K::State},
        {"FixedFOVCheckBox", K::State},
        {"ViewableWeaponsCheckBox", K::State},
        {"CloseOnExitCheckBox", K::State},
        {"CommandLineEditCheck", K::State},
        {"DedicatedCheckBox", K::State},
        {"BotCalcNodesCheck", K::State},
        {"AllowCheatsCheckBox", K::State},
        {"BotConnectInfoCheckBox", K::State},
        {"ClientCommandsCheckBox", K::State},
        {"TimelimitCheckBox", K::State},
        {"TimeLimitText", K::Text},
        {"FraglimitCheckBox", K::State},
        {"FragLimitText", K::Text},
        {"ClientLatencyText", K::Text},
        {"MaxPlayersCheckBox", K::State},
        {"MaxPlayersText", K::Text},
        {"BotFreeClientsText", K::Text},
        // Bots.
        {"SpawnSpecificBotsOption", K::Choice},
        {"SpawnRandomBotsOption", K::Choice},
        {"BotNumScroll", K::Position, 0, 30},
        {"BotNumText", K::Text},
        {"BotSkillSlider", K::Position, 0, 3},
        {"BotAutoskillCheck", K::State},
        {"SpecificBotList", K::Entries},
        // Maps.
        {"InternalMapOption", K::Choice},
        {"ExternalMapOption", K::Choice},
        {"CTFMapOption", K::Choice},
        {"MapList", K::Entry},
        {"MapFile", K::Entry},
        {"CTFList", K::Entry},
        {"NoTechPowerupsCheckBox", K::State},
        {"ArmorProtectCheckBox", K::State},
        {"ForceJoinCheckBox", K::State},
        // Teamplay.
        {"TeamplayCheckBox", K::State},
        {"YourTeamList", K::Entry},
        {"BotTeamList", K::Entries},
        {"PlayersPerTeamText", K::Text},
    };
    return controls;
}

const std::vector<std::string>& setupFragmentHolders() {
    static const std::vector<std::string> holders = {
        "BotSkillFrame",          "TeamplayFrame",           "MapFrame",
        "BotConnectInfoCheckBox", "ClientCommandsCheckBox",  "BotAutoskillCheck",
        "BotNumberFrame",         "ViewableWeaponsCheckBox", "AllowCheatsCheckBox",
        "BotCalcNodesCheck",      "SpawnSpecificBotsFrame",  "TimelimitCheckBox",
        "FraglimitCheckBox",      "DedicatedCheckBox"};
    return holders;
}

std::string setupFileBytes(const Setup& setup) {
    OrderedJson file = OrderedJson::object();
    file[kFormatKey] = kFormatVersion;
    file[kGameDirectoryKey] = utf8OfSystemText(setup.gameDirectory);
    for (const SetupControl& control : setupControls()) {
        const auto value = setup.controls.find(control.name);
        if (value != setup.controls.end()) file[control.name] = jsonOf(value->second);
    }
    if (setup.flagsTotal) file[kFlagsTotalKey] = jsonOfTotal(*setup.flagsTotal);
    if (!setup.fragments.empty()) {
        OrderedJson fragments = OrderedJson::object();
        for (const std::string& holder : setupFragmentHolders()) {
            const auto fragment = setup.fragments.find(holder);
            if (fragment != setup.fragments.end()) fragments[holder] = utf8OfGameText(fragment->second);
        }
        file[kFragmentsKey] = std::move(fragments);
    }
    // Every text went in as well-formed UTF-8, so the dump cannot fail.
    const std::string text = file.dump(2);
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16 + 2);
    for (const char c : text) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    return bytes + "\r\n";
}

Result<SetupRead> readSetupBytes(std::string_view bytes, const std::string& fileName) {
    if (bytes.size() > kLargestSetupFile)
        return Error{fileName, 0, "it is larger than any setup file (more than 1 MiB), so it is not read"};
    Json file;
    try {
        file = Json::parse(bytes.begin(), bytes.end());
    } catch (const Json::exception& error) {
        std::string reason = error.what();
        // The library's own numbering says nothing to a player.
        if (const std::size_t end = reason.find("] ");
            reason.rfind("[json.", 0) == 0 && end != std::string::npos)
            reason.erase(0, end + 2);
        return Error{fileName, 0, "it is not JSON text (" + reason + ")"};
    }
    if (!file.is_object())
        return Error{fileName, 0, "it is not a Vexmoor game setup (it holds no JSON object)"};
    const auto format = file.find(kFormatKey);
    if (format == file.end() || !wholeNumber(*format) || *wholeNumber(*format) < 1)
        return Error{fileName, 0,
                     std::string("it is not a Vexmoor game setup (it has no \"") + kFormatKey + "\" key)"};
    const auto directory = file.find(kGameDirectoryKey);
    if (directory == file.end() || !directory->is_string())
        return Error{fileName, 0, std::string("it names no game directory (\"") + kGameDirectoryKey + "\")"};
    auto directoryText = systemTextOfUtf8(directory->get_ref<const std::string&>());
    if (!directoryText) return Error{fileName, 0, "its game directory cannot be a directory on this system"};

    SetupRead read;
    read.setup.gameDirectory = std::move(*directoryText);
    for (const SetupControl& control : setupControls()) {
        const auto value = file.find(control.name);
        if (value == file.end()) continue;
        auto result = readValue(control, *value);
        if (auto* skipped = std::get_if<std::string>(&result))
            read.skipped.push_back(std::string(control.name) + " is passed over: " + *skipped + ".");
        else
            read.setup.controls.emplace(control.name, std::move(std::get<SetupValue>(result)));
    }
    // The game reads the flags as a whole number of 32 bits, and the boxes
    // make only whole numbers that are not negative.
    if (const auto total = file.find(kFlagsTotalKey); total != file.end()) {
        const auto whole = wholeNumber(*total);
        if (whole && *whole >= 0 && *whole <= kLargestFlagsTotal)
            read.setup.flagsTotal = static_cast<double>(*whole);
        else
            read.skipped.push_back(
                std::string(kFlagsTotalKey) + " is passed over: a whole number from 0 to " +
                std::to_string(kLargestFlagsTotal) + " was expected, not " + shown(*total) + ".");
    }
    if (const auto fragments = file.find(kFragmentsKey); fragments != file.end() && fragments->is_object()) {
        for (const std::string& holder : setupFragmentHolders()) {
            const auto fragment = fragments->find(holder);
            if (fragment == fragments->end()) continue;
            std::optional<std::string> text;
            if (fragment->is_string()) text = gameTextOfUtf8(fragment->get_ref<const std::string&>());
            if (text)
                read.setup.fragments.emplace(holder, std::move(*text));
            else
                read.skipped.push_back(std::string(kFragmentsKey) + " " + holder +
                                       " is passed over: it is no launch fragment.");
        }
    }
    return read;
}

std::string gameDirectoryAsStored(const std::string& gameDirectory) {
    return systemTextOfUtf8(utf8OfSystemText(gameDirectory)).value_or(gameDirectory);
}

std::optional<std::string> setupNameRefusal(std::string_view name) {
    if (name.empty()) return std::string("A setup needs a name.");
    // Counted as characters of UTF-8 text; each byte of any other text is one.
    const auto characters = static_cast<std::size_t>(std::count_if(
        name.begin(), name.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
    if (characters > kLongestSetupName || name.size() > 4 * kLongestSetupName)
        return "A setup name holds at most " + std::to_string(kLongestSetupName) + " characters.";
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20)
            return std::string("A setup name cannot hold control characters (such as tabs or line breaks).");
        if (c != '\0' && std::strchr("<>:\"/\\|?*", c))
            return std::string("A setup name cannot hold \"") + c +
                   "\": file names on Windows cannot hold any of < > : \" / \\ | ? *.";
    }
    if (name.front() == '.')
        return std::string("A setup name cannot begin with a dot: its file would be hidden.");
    if (name.back() == '.' || name.back() == ' ')
        return std::string(
            "A setup name cannot end in a dot or a blank: Windows drops them from file names.");

    // Windows keeps these names for devices, with any extension and with
    // blanks before it.
    std::string device(name.substr(0, name.find('.')));
    while (!device.empty() && device.back() == ' ') device.pop_back();
    std::transform(device.begin(), device.end(), device.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    static const std::vector<std::string> devices = [] {
        std::vector<std::string> names = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
        // Digits, and the superscript digits one to three as UTF-8 and as the code page writes them.
        for (const char* port : {"COM", "LPT"}) {
            for (char digit = '0'; digit <= '9'; ++digit) names.push_back(std::string(port) + digit);
            for (const char* superscript : {"\xC2\xB9", "\xC2\xB2", "\xC2\xB3", "\xB9", "\xB2", "\xB3"})
                names.push_back(std::string(port) + superscript);
        }
        return names;
    }();
    if (std::find(devices.begin(), devices.end(), device) != devices.end())
        return "A setup cannot be called " + std::string(name) + ": Windows keeps the name " + device +
               " for a device, so no file can have it.";
    return std::nullopt;
}

}  // namespace vexmoor
