#pragma once

#include <filesystem>

#include "core/ports.h"

namespace vexmoor {

#ifndef _WIN32
// The user's home folder: $HOME, else the user database's, else "/".
std::filesystem::path homeDirectory();
#endif

// The chooser's drive list: the drives on Windows; the file system root, the
// home directory and the mounted media elsewhere.
class SystemDrives : public Drives {
public:
    std::vector<Drive> list() const override;
    // Drive c on Windows, the home directory elsewhere.
    std::size_t startIndex() const override;
};

}  // namespace vexmoor
