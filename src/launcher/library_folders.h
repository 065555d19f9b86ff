#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace vexmoor {

// Steam's list of its library folders (steamapps/libraryfolders.vdf), a file
// of Valve's key-value text. It comes in two formats: the older one gives each
// library as a value ("1" "D:\\SteamLibrary"), the newer one as a block
// holding a "path" value among others. The file is read as untrusted: any
// damage (a text or block not closed, a brace too many, blocks nested too
// deep, a file too large) is an error naming the line, and none of its
// folders are taken.

// The file sizes and nesting depths a library list never comes near.
inline constexpr std::size_t kMaxLibraryListBytes = 1 << 20;
inline constexpr int kMaxLibraryListDepth = 16;
// Libraries past this many are left out.
inline constexpr std::size_t kMaxLibraries = 256;

// The library folders, in the file's order, as UTF-8 bytes with the
// file's escapes (\\ \" \n \t) undone; empty ones are left out. fileName
// only labels errors.
Result<std::vector<std::string>> readLibraryFolders(std::string_view bytes, const std::string& fileName);

}  // namespace vexmoor
