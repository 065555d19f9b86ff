#pragma once

// The system's reason for a failure on Windows, shared by the file functions.
#ifdef _WIN32
#include <windows.h>

#include <string>

namespace vexmoor {

// The system's own words for a failure, lowercased at the start and without
// the full stop, to stand inside a sentence of ours.
std::string windowsReason(DWORD code);

}  // namespace vexmoor
#endif
