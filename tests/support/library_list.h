#pragma once

#include <string>
#include <vector>

namespace vexmoor::testing {

// Steam's library list (libraryfolders.vdf) as its client writes it today:
// a block per library with its path among other values. Header-only, so
// the fuzz targets use it too.
inline std::string libraryListText(const std::vector<std::string>& folders) {
    const auto quoted = [](const std::string& text) {
        std::string out = "\"";
        for (const char c : text) {
            if (c == '\\' || c == '"') out += '\\';
            if (c == '\n')
                out += "\\n";
            else if (c == '\t')
                out += "\\t";
            else
                out += c;
        }
        return out + '"';
    };
    std::string text = "\"libraryfolders\"\n{\n";
    for (std::size_t i = 0; i < folders.size(); ++i) {
        text += "\t\"" + std::to_string(i) + "\"\n\t{\n";
        text += "\t\t\"path\"\t\t" + quoted(folders[i]) + "\n";
        text += "\t\t\"label\"\t\t\"\"\n\t\t\"contentid\"\t\t\"4127384526790184411\"\n";
        text += "\t\t\"apps\"\n\t\t{\n\t\t\t\"2320\"\t\t\"1209012283\"\n\t\t}\n\t}\n";
    }
    return text + "}\n";
}

}  // namespace vexmoor::testing
