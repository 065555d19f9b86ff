#include "launcher/settings_file.h"

#include <variant>
#include <vector>

#include "core/item_reader.h"
#include "core/number_text.h"
#include "core/ports.h"
#include "launcher/vexmoor_main.h"

namespace vexmoor {

namespace {

using Field = std::variant<CheckBox*, TextBox*>;

// Line 2: sixteen check boxes.
std::vector<CheckBox*> lineTwo(VexmoorMain& main) {
    auto& g = main.gameplay;
    return {&g.FallingDamageCheckBox, &g.WeaponsStayCheckBox,     &g.InstantPowerupsCheckBox,
            &g.AllowPowerupsCheckBox, &g.AllowHealthCheckBox,     &g.AllowArmorCheckBox,
            &g.SpawnFarthestCheckBox, &g.SameMapCheckBox,         &g.ForceRespawnCheckBox,
            &g.AllowExitCheckBox,     &g.InfiniteAmmoCheckBox,    &g.QuadDropCheckBox,
            &g.FriendlyFireCheckBox,  &g.FixedFOVCheckBox,        &g.ViewableWeaponsCheckBox,
            &g.CloseOnExitCheckBox};
}

// Line 4: fourteen server fields; each limit box comes before its text.
std::vector<Field> lineFour(VexmoorMain& main) {
    auto& g = main.gameplay;
    return {&g.DedicatedCheckBox,      &g.TimelimitCheckBox,  &g.TimeLimitText,       &g.FraglimitCheckBox,
            &g.FragLimitText,          &g.MaxPlayersCheckBox, &g.MaxPlayersText,      &g.BotFreeClientsText,
            &g.ClientLatencyText,      &g.ClientCommandsCheckBox, &g.BotConnectInfoCheckBox,
            &g.AllowCheatsCheckBox,    &g.BotCalcNodesCheck,  &g.CommandLineEditCheck};
}

std::string quoted(const std::string& text) { return '"' + text + '"'; }

std::string fieldText(const Field& field) {
    if (const auto* box = std::get_if<CheckBox*>(&field)) return std::to_string((*box)->state());
    return quoted(std::get<TextBox*>(field)->text());
}

std::string fieldName(const Field& field) {
    if (const auto* box = std::get_if<CheckBox*>(&field)) return (*box)->caption();
    return std::get<TextBox*>(field)->name();
}

// Whole numbers only, as plain digits with a sign when negative.
std::string totalText(double total) {
    const double rounded = roundHalfEven(total);
    const std::string text = numberText(rounded);
    if (text.find_first_of("E.") != std::string::npos) {
        char buffer[400];
        std::snprintf(buffer, sizeof buffer, "%.0f", rounded);
        return buffer;
    }
    return text[0] == ' ' ? text.substr(1) : text;
}

class FieldApplier {
public:
    FieldApplier(std::string_view bytes, std::string fileName) : reader_(bytes, false), file_(std::move(fileName)) {}

    // The next field's text, or an error naming the field that is missing.
    Result<std::string> next(int number, const std::string& name) {
        auto item = reader_.readText();
        if (!item) return fail(number, name, "the file ends before it");
        return std::move(item->text);
    }

    Status applyState(int number, CheckBox& box) {
        auto text = next(number, box.caption());
        if (!text) return text.status();
        const auto state = parseInt16(text.value());
        if (!state) return fail(number, box.caption(), "\"" + text.value() + "\" is not a number");
        if (*state < 0 || *state > 2)
            return fail(number, box.caption(),
                        "\"" + text.value() + "\" is not a check box state (0, 1 or 2)");
        box.setState(*state);
        return {};
    }

    Error fail(int number, const std::string& name, const std::string& what) const {
        return Error{file_, reader_.line(), "field " + std::to_string(number) + " (" + name + "): " + what};
    }

private:
    ItemReader reader_;
    std::string file_;
};

}  // namespace

std::string settingsFileBytes(const VexmoorMain& main, double flagsTotal) {
    auto& editable = const_cast<VexmoorMain&>(main);  // the field lists are shared with the reader
    std::string bytes = quoted(main.gameDirectory()) + "\r\n";
    std::string separator;
    for (CheckBox* box : lineTwo(editable)) {
        bytes += separator + std::to_string(box->state());
        separator = ",";
    }
    bytes += "\r\n" + totalText(flagsTotal) + "\r\n";
    separator.clear();
    for (const Field& field : lineFour(editable)) {
        bytes += separator + fieldText(field);
        separator = ",";
    }
    return bytes + "\r\n";
}

std::string fieldWithDoubleQuote(const VexmoorMain& main) {
    if (main.gameDirectory().find('"') != std::string::npos) return "the game directory";
    for (const Field& field : lineFour(const_cast<VexmoorMain&>(main))) {
        if (const auto* text = std::get_if<TextBox*>(&field))
            if ((*text)->text().find('"') != std::string::npos) return fieldName(field);
    }
    return {};
}

Status writeSettingsFile(const std::filesystem::path& path, const VexmoorMain& main, double flagsTotal) {
    const std::string offending = fieldWithDoubleQuote(main);
    if (!offending.empty())
        return Error{pathText(path), 0, offending + " holds a double quote, which the settings file cannot store"};
    // A fresh account may not have its configuration folder yet.
    std::error_code error;
    if (path.has_parent_path() && !std::filesystem::exists(path.parent_path(), error)) {
        std::filesystem::create_directories(path.parent_path(), error);
        if (error) return Error{pathText(path), 0, "its folder cannot be created (" + error.message() + ")"};
    }
    return writeWholeFile(path, settingsFileBytes(main, flagsTotal));
}

Status applySettingsBytes(std::string_view bytes, const std::string& fileName, VexmoorMain& main) {
    FieldApplier fields(bytes, fileName);
    main.flags.total = 0;

    auto directory = fields.next(1, "game directory");
    if (!directory) return directory.status();

    int number = 2;
    for (CheckBox* box : lineTwo(main))
        if (auto status = fields.applyState(number++, *box); !status) return status;

    // The stored total replaces whatever the boxes above added or removed.
    auto total = fields.next(18, "deathmatch flags");
    if (!total) return total.status();
    std::string trimmed = total.value();
    while (!trimmed.empty() && trimmed.front() == ' ') trimmed.erase(0, 1);
    while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
    const auto value = parseNumber(trimmed);
    if (!value) return fields.fail(18, "deathmatch flags", "\"" + total.value() + "\" is not a number");
    main.flags.total = *value;

    number = 19;
    for (const Field& field : lineFour(main)) {
        if (auto* const* box = std::get_if<CheckBox*>(&field)) {
            if (auto status = fields.applyState(number, **box); !status) return status;
        } else {
            auto text = fields.next(number, fieldName(field));
            if (!text) return text.status();
            std::get<TextBox*>(field)->setText(std::move(text.value()));
        }
        ++number;
    }

    main.preferences.ExePathText.setText(std::move(directory.value()));
    return {};
}

Result<std::string> readStoredGameDirectory(const std::filesystem::path& path) {
    auto bytes = readWholeFile(path);
    if (!bytes) return bytes.error();
    FieldApplier fields(bytes.value(), pathText(path));
    return fields.next(1, "game directory");
}

Status readSettingsFile(const std::filesystem::path& path, VexmoorMain& main) {
    auto bytes = readWholeFile(path);
    if (!bytes) return bytes.status();
    return applySettingsBytes(bytes.value(), pathText(path), main);
}

}  // namespace vexmoor
