#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/ports.h"

namespace vexmoor {

// The separator that ends the game directory text and joins relative paths.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// A fixed text written with backslashes, shown with this system's separator.
inline std::string nativeSeparators(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c == '\\') c = kPathSeparator;
    return result;
}

// Every file path of the program: the game directory text (which ends in the
// separator) followed by a relative path written with backslashes.
inline std::filesystem::path gamePath(const std::string& gameDirectory, std::string_view relative) {
    return pathFromText(gameDirectory + nativeSeparators(relative));
}

}  // namespace vexmoor
