// Feeds arbitrary bytes to the chat file reader. Beyond "no crash": no line
// read is one the reader itself would skip or take for a header, and what
// the writer makes of the lists reads back as the same lists and writes the
// same bytes again. The editor's warnings take every line and the whole file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "chat/chat_file.h"
#include "roster/game_rules.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vexmoor::ChatSections sections = vexmoor::readChatBytes(bytes);
    std::size_t lines = 0;
    std::vector<std::vector<std::string>> all;
    for (std::size_t k = 0; k < sections.size(); ++k) {
        all.push_back(sections[k]);
        for (const std::string& line : sections[k]) {
            static_cast<void>(vexmoor::game_rules::chatLineWarnings(k, line));
            require(!line.empty() && line.front() != '#' && !line.starts_with("--"));
            require(line.find('\n') == std::string::npos);
            lines += line.size();
        }
    }
    require(lines <= size);
    static_cast<void>(vexmoor::game_rules::warningText(vexmoor::game_rules::chatFileWarnings(all)));

    const std::string written = vexmoor::chatFileBytes(sections);
    const vexmoor::ChatSections again = vexmoor::readChatBytes(written);
    require(again == sections);
    require(vexmoor::chatFileBytes(again) == written);

    // With its comments the file reads back as itself too, comments and all.
    const vexmoor::ChatFile file = vexmoor::readChatFileBytes(bytes);
    require(file.sections == sections);
    const std::string kept = vexmoor::chatFileBytes(file.sections, file.comments);
    const vexmoor::ChatFile keptAgain = vexmoor::readChatFileBytes(kept);
    require(keptAgain.sections == sections && keptAgain.comments == file.comments);
    require(vexmoor::chatFileBytes(keptAgain.sections, keptAgain.comments) == kept);
    return 0;
}
