#include "gamefiles/skin_faces.h"

#include <algorithm>
#include <filesystem>

#include "core/paths.h"
#include "core/ports.h"

namespace vexmoor {

namespace {

std::string lowered(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

}  // namespace

Result<Picture> readSkinFace(const std::string& gameDirectory, const std::string& model,
                             const std::string& skin) {
    const std::filesystem::path folder = gamePath(gameDirectory, "baseq2\\players\\") / pathFromText(model);
    const std::string wanted = skin + "_i.pcx";
    const auto shown = [&](const std::string& name) {
        return nativeSeparators("baseq2\\players\\") + model + kPathSeparator + name;
    };
    const auto read = [&](const std::string& name) -> Result<Picture> {
        auto face = readPcxFile(folder / pathFromText(name));
        if (face) return face;
        return Error{shown(name), 0, face.error().reason};
    };
    if (model.empty() || skin.empty()) return Error{shown(wanted), 0, kMissingFileReason};
    if (regularFileExists(folder / pathFromText(wanted))) return read(wanted);
    auto names = listFiles(folder, ".pcx");
    if (names) {
        std::sort(names.value().begin(), names.value().end());
        for (const std::string& name : names.value())
            if (lowered(name) == lowered(wanted)) return read(name);
    }
    return Error{shown(wanted), 0, kMissingFileReason};
}

}  // namespace vexmoor
