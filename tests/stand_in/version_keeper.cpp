// A second Vexmoor, as far as earlier versions go: it keeps versions of one
// game directory's roster into a versions folder, for the test of two
// programs keeping versions of the same file at the same moment.
//
//   vexmoor_version_keeper ROOT FILED-UNDER NAME COUNT LIMIT GO DONE
//
// It waits (a minute at most) until the file GO exists, so that both
// programs start keeping together; then keeps COUNT versions whose bytes are
// "NAME 1" to "NAME COUNT", each line its own, into a store that keeps LIMIT
// versions a file; then writes DONE, whole: "kept COUNT", or what failed.
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "core/ports.h"
#include "history/version_store.h"

namespace {

bool waitFor(const std::filesystem::path& file) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!vexmoor::regularFileExists(file)) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vexmoor;
    if (argc != 8) return 2;
    const std::string name = argv[3];
    const int count = std::stoi(argv[4]);
    VersionStore store(pathFromText(argv[1]), {}, static_cast<std::size_t>(std::stoul(argv[5])));
    const std::filesystem::path done = pathFromText(argv[7]);
    std::string outcome = "kept " + std::to_string(count);
    if (!waitFor(pathFromText(argv[6]))) outcome = "the start was never given";
    for (int i = 1; i <= count && outcome.starts_with("kept"); ++i) {
        const auto kept =
            store.keep(argv[2], KeptFile::Roster, name + " " + std::to_string(i) + "\r\n", name, "");
        if (!kept)
            outcome = kept.error().describe();
        else if (!kept.value())
            outcome = "version " + std::to_string(i) + " was taken for the one before";
    }
    return writeWholeFile(done, outcome) ? 0 : 1;
}
