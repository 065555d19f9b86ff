// Feeds arbitrary bytes to the reader of an earlier version's description.
// Whatever it accepts is written back and read again as the same version,
// the action and summary kept on their lines.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "history/version_store.h"

using vexmoor::fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto version = vexmoor::parseVersionInfo(bytes, 7);
    if (!version) return 0;
    require(version->number == 7);
    const auto again = vexmoor::parseVersionInfo(vexmoor::versionInfoText(*version), 7);
    require(again.has_value());
    // A line end read into a value (a lone CR) is a blank once written.
    vexmoor::KeptVersion expected = *version;
    for (std::string* text : {&expected.action, &expected.summary})
        for (char& c : *text)
            if (c == '\r' || c == '\n') c = ' ';
    require(*again == expected);
    return 0;
}
