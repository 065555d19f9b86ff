// Feeds arbitrary bytes to the setup reader. Beyond "no crash": whatever it
// takes as a setup writes back to a file that reads as the very same setup,
// with nothing passed over, and writes the same bytes again. The same bytes
// as a setup's name are judged without a crash, and a name taken cannot lead
// out of the setups folder.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "setups/setup.h"
#include "setups/setup_store.h"

using vexmoor::fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string_view name = bytes.substr(0, 256);
    if (!vexmoor::setupNameRefusal(name)) {
        const vexmoor::SetupStore store("setups");
        require(store.fileOf(std::string(name)).parent_path() == store.folder());
    }

    const auto read = vexmoor::readSetupBytes(bytes, "fuzz.json");
    if (!read) return 0;
    const std::string written = vexmoor::setupFileBytes(read.value().setup);
    const auto again = vexmoor::readSetupBytes(written, "fuzz.json");
    require(again.isOk());
    require(again.value().skipped.empty());
    require(again.value().setup == read.value().setup);
    require(vexmoor::setupFileBytes(again.value().setup) == written);
    return 0;
}
