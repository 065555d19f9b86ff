// Feeds arbitrary bytes to the reader of Steam's library list
// (libraryfolders.vdf). Beyond "no crash": a list it reads holds at most 256
// folders, none empty and none longer than the input; damage is told with a
// reason and a line the input has; and the folders read, written again as
// Steam writes the list, read back the same.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "launcher/library_folders.h"
#include "support/library_list.h"

using vexmoor::fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto read = vexmoor::readLibraryFolders(bytes, "libraryfolders.vdf");
    if (!read) {
        require(!read.error().reason.empty() && read.error().file == "libraryfolders.vdf");
        const auto lines = std::count(bytes.begin(), bytes.end(), '\n') + 1;
        require(read.error().line >= 0 && read.error().line <= lines);
        return 0;
    }
    const std::vector<std::string>& folders = read.value();
    require(folders.size() <= vexmoor::kMaxLibraries);
    for (const std::string& folder : folders) require(!folder.empty() && folder.size() <= size);

    const std::string written = vexmoor::testing::libraryListText(folders);
    if (written.size() > vexmoor::kMaxLibraryListBytes) return 0;
    const auto again = vexmoor::readLibraryFolders(written, "written");
    require(again && again.value() == folders);
    return 0;
}
