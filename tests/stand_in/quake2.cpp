// The stand-in game for Windows: copied into test game directories as
// quake2.exe, it writes down how it was started and ends.
//
// Beside itself it appends one record per start to quake2-starts.log (the
// working directory, then each argument as its C runtime split the command
// line, then a line "--") and to quake2-command-lines.log the command line as
// the system handed it over, followed by a line "--". Both in UTF-8 with LF
// line ends, each record written at once, so a reader never sees half of one.
//
// When VEXMOOR_STAND_IN_HOLD names a file, it first waits (ten seconds at
// most) until that file exists, so a test can tell a starter that waits for
// the game from one that does not.
#include <windows.h>

#include <string>

namespace {

std::string utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    bytes.pop_back();
    return bytes;
}

std::wstring besideMe(const wchar_t* name) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.erase(path.find_last_of(L'\\') + 1);
    return path + name;
}

bool append(const std::wstring& file, const std::string& record) {
    const HANDLE handle = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(handle, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(handle);
    return ok && written == record.size();
}

void holdWhileAsked() {
    wchar_t release[32768];
    if (GetEnvironmentVariableW(L"VEXMOOR_STAND_IN_HOLD", release, 32768) == 0) return;
    for (int i = 0; i < 100 && GetFileAttributesW(release) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    holdWhileAsked();

    wchar_t directory[32768];
    if (GetCurrentDirectoryW(32768, directory) == 0) return 1;
    std::string record = utf8(directory) + "\n";
    for (int i = 1; i < argc; ++i) record += utf8(argv[i]) + "\n";
    record += "--\n";

    const bool recorded = append(besideMe(L"quake2-command-lines.log"), utf8(GetCommandLineW()) + "\n--\n") &&
                          append(besideMe(L"quake2-starts.log"), record);
    return recorded ? 0 : 1;
}
