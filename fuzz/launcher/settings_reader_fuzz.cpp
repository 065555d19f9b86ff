// Feeds arbitrary bytes to the settings reader. Whatever it accepts must
// write back and read again to the very same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "launcher/settings_file.h"
#include "launcher/vexmoor_main.h"
#include "roster/roster.h"

namespace {

using namespace vexmoor;

struct QuietDialogs : Dialogs {
    Answer show(const Message& message) override {
        return message.buttons == Buttons::RetryCancel ? Answer::Cancel : Answer::Ok;
    }
};

struct NoAlert : Alert {
    void beep() override {}
};

struct NoProcesses : ProcessStarter {
    std::optional<std::string> start(const std::string&, const std::filesystem::path&,
                                     const std::string&) override {
        return std::string("not started");
    }
};

struct NowhereSettings : SettingsLocation {
    std::filesystem::path settingsFile() const override { return "/nonexistent/vexmoor-fuzz/vexmoor.ini"; }
    std::filesystem::path versionsFolder() const override { return "/nonexistent/vexmoor-fuzz/versions"; }
};

struct NoDrives : Drives {
    std::vector<Drive> list() const override { return {}; }
    std::size_t startIndex() const override { return 0; }
};

struct Main {
    QuietDialogs dialogs;
    fuzzing::NoWindows windows;
    NoAlert alert;
    NoProcesses processes;
    NowhereSettings settings;
    NoDrives drives;
    Roster roster;
    VexmoorMain main{Services{dialogs, windows, alert, processes, settings, drives}, roster};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Main first;
    if (!applySettingsBytes(bytes, "vexmoor.ini", first.main)) return 0;
    if (!fieldWithDoubleQuote(first.main).empty()) return 0;  // refused by the writer

    const std::string written = settingsFileBytes(first.main, first.main.flags.total);
    Main second;
    if (!applySettingsBytes(written, "vexmoor.ini", second.main)) std::abort();
    if (settingsFileBytes(second.main, second.main.flags.total) != written) std::abort();
    return 0;
}
