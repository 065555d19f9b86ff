#include "roster/catalogue.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/paths.h"
#include "core/ports.h"

namespace vexmoor {

namespace fs = std::filesystem;

namespace {

std::string lowered(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// The names of a folder's entries that pass a test, sorted; nothing when the
// folder cannot be listed.
template <class Keep>
std::vector<std::string> namesIn(const fs::path& folder, Keep keep) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (keep(*it)) names.push_back(pathText(it->path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

std::vector<std::string> ListModels(const std::string& gameDirectory) {
    return namesIn(gamePath(gameDirectory, "baseq2\\players\\"),
                   [](const fs::directory_entry& entry) { return isPlainFolder(entry); });
}

std::vector<std::string> ListSkins(const std::string& gameDirectory, const std::string& model) {
    // The model's name is a folder name as it stands, separators and all.
    std::vector<std::string> skins = namesIn(
        gamePath(gameDirectory, "baseq2\\players\\") / pathFromText(model),
        [](const fs::directory_entry& entry) {
            const std::string name = lowered(pathText(entry.path().filename()));
            if (name.size() < 4 || !name.ends_with(".pcx")) return false;
            return !name.ends_with("_i.pcx") && !name.starts_with("weapon") && !name.ends_with(".txt");
        });
    for (std::string& skin : skins) skin.resize(skin.size() - 4);
    std::sort(skins.begin(), skins.end());
    return skins;
}

}  // namespace vexmoor
