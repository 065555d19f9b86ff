#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace vexmoor {

// Reads a whole file as bytes. A missing file gives an error whose reason is
// kMissingFileReason, so callers can tell it from an unreadable one.
Result<std::string> readWholeFile(const std::filesystem::path& path);

inline constexpr const char* kMissingFileReason = "the file does not exist";

// Reads `length` bytes of a file from `offset`: the part of an archive or a
// map that is needed, without the rest. An error when the file is missing,
// cannot be read or ends before that part does.
Result<std::string> readFilePart(const std::filesystem::path& path, std::uint64_t offset, std::size_t length);

// Replaces a file's whole content safely: a temporary file in the same folder
// is written, synced and renamed over the old one, keeping the old file's
// permissions (on Windows its hidden, system and archive marks). On any
// failure the old file is left exactly as it was. A file or folder that
// carries no write permission at all counts as read-only and is refused even
// for a user the system would let through; on Windows only a file, since a
// folder's read-only mark does not keep files from being written there.
Status writeWholeFile(const std::filesystem::path& path, std::string_view bytes);

// Makes a file that must not exist yet and writes the bytes into it, synced.
// It is made exclusively: of two programs making the same file at once, one
// succeeds and the other gets an error whose reason is kFileExistsReason, and
// the file stays the first one's. Readers may see the file before its bytes
// are all there, so it suits files that something written later completes.
// On a failure after it was made, the file is removed again.
Status writeNewFile(const std::filesystem::path& path, std::string_view bytes);

inline constexpr const char* kFileExistsReason = "the file exists already";

// The names of the ordinary files in a folder whose names end in the given
// extension, compared without regard to ASCII case. Ordinary files are
// regular files (a link to one counts) that are not hidden: no name beginning
// with a dot and, on Windows, no hidden or system mark. In no particular
// order. An error when the folder cannot be listed.
Result<std::vector<std::string>> listFiles(const std::filesystem::path& folder, std::string_view extension);

// Whether a folder holds at least one ordinary file (as listFiles counts
// them); false as well when it cannot be listed.
bool holdsOrdinaryFile(const std::filesystem::path& folder);

// Whether a regular file of that exact name exists.
bool regularFileExists(const std::filesystem::path& path);

// Whether two names reach the same existing file, however they are written
// (letter case where the system ignores it, "..", links). False when either
// is missing.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// Whether a folder entry is a player model's folder: a folder (a link to one
// counts) that is not hidden. On Windows: the directory attribute and none of
// read-only, hidden, system and archive; elsewhere a name not beginning with ".".
bool isPlainFolder(const std::filesystem::directory_entry& entry);

// A path's text as the program keeps texts: on Windows the Windows-1252
// bytes of its name (a character that code page cannot hold becomes "?"),
// elsewhere the name's bytes as they are. pathFromText is the way back; every
// path the program builds from a text (the game directory, a file name in a
// list) goes through it, so a folder named with accented letters is found
// from the settings file's bytes.
std::string pathText(const std::filesystem::path& path);
std::filesystem::path pathFromText(std::string_view text);

}  // namespace vexmoor
