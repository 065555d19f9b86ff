#include "platform/console.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdio>
#endif

namespace vexmoor {

void useParentConsole() {
#ifdef _WIN32
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output != nullptr && output != INVALID_HANDLE_VALUE) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    FILE* reopened = nullptr;
    freopen_s(&reopened, "CONOUT$", "w", stdout);
    freopen_s(&reopened, "CONOUT$", "w", stderr);
#endif
}

}  // namespace vexmoor
