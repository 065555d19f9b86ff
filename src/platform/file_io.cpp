// Reading files and listing folders; the safe writer is in file_writing.cpp.
// With it, the only place where system calls for files differ between systems.
#include "core/ports.h"

#include "core/code_page.h"
#include "platform/system_reason.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vexmoor {

namespace fs = std::filesystem;

#ifdef _WIN32
std::string pathText(const fs::path& path) { return code_page::narrowed(path.native()); }
fs::path pathFromText(std::string_view text) { return fs::path(code_page::widened(text)); }
#else
std::string pathText(const fs::path& path) { return path.string(); }
fs::path pathFromText(std::string_view text) { return fs::path(std::string(text)); }
#endif

bool regularFileExists(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool sameFile(const fs::path& a, const fs::path& b) {
    if (a.empty() || b.empty()) return false;
    std::error_code error;
    const bool same = fs::equivalent(a, b, error);
    return same && !error;
}

bool isPlainFolder(const fs::directory_entry& entry) {
    std::error_code error;
    if (!entry.is_directory(error)) return false;
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(entry.path().c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    constexpr DWORD excluded =
        FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    return (attributes & excluded) == 0;
#else
    const std::string name = entry.path().filename().string();
    return !name.empty() && name.front() != '.';
#endif
}

Result<std::string> readWholeFile(const fs::path& path) {
    std::error_code error;
    const auto status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) return Error{pathText(path), 0, kMissingFileReason};
    if (status.type() == fs::file_type::directory)
        return Error{pathText(path), 0, "it is a folder, not a file"};
    // Read straight into a string of the file's size: no stream buffers, no
    // copy, and a roster of tens of thousands of bots costs its bytes once.
    const auto openFailed = [&](int code) {
        return Error{pathText(path), 0,
                     std::string("the file cannot be opened (") +
                         (code ? std::strerror(code) : "unknown reason") + ")"};
    };
    const auto readFailed = [&] {
        return Error{pathText(path), 0, "the file cannot be read (input/output error)"};
    };
    std::string content;
#ifdef _WIN32
    errno = 0;
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file) return openFailed(errno);
    const auto size = fs::file_size(path, error);
    if (!error) content.reserve(static_cast<std::size_t>(size));
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) content.append(buffer, n);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return readFailed();
#else
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return openFailed(errno);
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        content.resize(static_cast<std::size_t>(info.st_size));
    // The size fstat gave, then whatever the file grew by since.
    std::size_t done = 0;
    char buffer[4096];
    for (;;) {
        const bool sized = done < content.size();
        char* const into = sized ? content.data() + done : buffer;
        const std::size_t room = sized ? content.size() - done : sizeof buffer;
        const ssize_t n = ::read(fd, into, room);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return readFailed();
        }
        if (n == 0) break;
        if (sized) {
            done += static_cast<std::size_t>(n);
        } else {
            content.resize(done);
            content.append(buffer, static_cast<std::size_t>(n));
            done = content.size();
        }
    }
    ::close(fd);
    content.resize(done);
#endif
    return content;
}

Result<std::string> readFilePart(const fs::path& path, std::uint64_t offset, std::size_t length) {
    std::error_code error;
    const auto status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) return Error{pathText(path), 0, kMissingFileReason};
    if (status.type() != fs::file_type::regular)
        return Error{pathText(path), 0, "it is not an ordinary file"};
    const auto failed = [&](int code) {
        return Error{
            pathText(path), 0,
            std::string("the file cannot be read (") + (code ? std::strerror(code) : "unknown reason") + ")"};
    };
    const auto shortened = [&] {
        return Error{pathText(path), 0, "the file ends earlier than it did a moment ago (it was changed)"};
    };
    std::string part(length, '\0');
    std::size_t done = 0;
#ifdef _WIN32
    errno = 0;
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file) return failed(errno);
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<__int64>::max()) ||
        _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) != 0) {
        std::fclose(file);
        return failed(EINVAL);
    }
    while (done < length) {
        const std::size_t n = std::fread(part.data() + done, 1, length - done, file);
        if (n == 0) break;
        done += n;
    }
    const bool broken = std::ferror(file) != 0;
    std::fclose(file);
    if (broken) return failed(EIO);
#else
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return failed(errno);
    while (done < length) {
        const auto at = offset + done;
        if (at > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) break;
        const ssize_t n = ::pread(fd, part.data() + done, length - done, static_cast<off_t>(at));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int code = errno;
            ::close(fd);
            return failed(code);
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
#endif
    if (done < length) return shortened();
    return part;
}

#ifdef _WIN32
std::string windowsReason(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = length ? code_page::narrowed(std::wstring_view(buffer, length)) : std::string();
    if (buffer) LocalFree(buffer);
    while (!text.empty() &&
           (text.back() == '\n' || text.back() == '\r' || text.back() == '.' || text.back() == ' '))
        text.pop_back();
    if (text.empty()) return "system error " + std::to_string(code);
    if (text[0] >= 'A' && text[0] <= 'Z' && !(text.size() > 1 && text[1] >= 'A' && text[1] <= 'Z'))
        text[0] = static_cast<char>(text[0] - 'A' + 'a');
    return text;
}
#endif

namespace {

bool endsWithIgnoringCase(std::string_view name, std::string_view extension) {
    if (name.size() < extension.size()) return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    const std::string_view tail = name.substr(name.size() - extension.size());
    return std::equal(tail.begin(), tail.end(), extension.begin(),
                      [&](char a, char b) { return lower(a) == lower(b); });
}

// The ordinary files of a folder whose names end in the extension (with
// more before it), in no particular order: regular files (a link to one
// counts), less hidden ones (and on Windows system ones), handed to visit
// until it returns false. Names are matched before any type is looked up. A map folder may hold thousands of files:
// the entries' names, types and marks come straight from the directory,
// without building a path for each (on POSIX systems a link or an unknown
// type still asks the file system).
template <class Visit>
Status visitOrdinaryFiles(const fs::path& folder, std::string_view extension, Visit visit) {
    const auto wanted = [&](std::string_view name) {
        return name.front() != '.' && name.size() > extension.size() && endsWithIgnoringCase(name, extension);
    };
#ifdef _WIN32
    WIN32_FIND_DATAW entry{};
    const HANDLE search = FindFirstFileExW((folder / L"*").c_str(), FindExInfoBasic, &entry,
                                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND) return {};
        return Error{pathText(folder), 0, windowsReason(code)};
    }
    const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    DWORD code = ERROR_NO_MORE_FILES;
    for (;;) {
        if ((entry.dwFileAttributes & skipped) == 0) {
            const std::string name = code_page::narrowed(std::wstring_view(entry.cFileName));
            if (!name.empty() && wanted(name) && !visit(name)) break;
        }
        if (!FindNextFileW(search, &entry)) {
            code = GetLastError();
            break;
        }
    }
    FindClose(search);
    if (code != ERROR_NO_MORE_FILES) return Error{pathText(folder), 0, windowsReason(code)};
#else
    DIR* directory = ::opendir(folder.c_str());
    if (!directory) return Error{pathText(folder), 0, std::strerror(errno)};
    const int descriptor = ::dirfd(directory);
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(directory);
        if (!entry) break;
        const std::string_view name = entry->d_name;
        if (name.empty() || !wanted(name)) continue;
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            regular = ::fstatat(descriptor, entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
        }
        if (regular && !visit(name)) {
            errno = 0;
            break;
        }
    }
    const int code = errno;
    ::closedir(directory);
    if (code != 0) return Error{pathText(folder), 0, std::strerror(code)};
#endif
    return {};
}

}  // namespace

Result<std::vector<std::string>> listFiles(const fs::path& folder, std::string_view extension) {
    std::vector<std::string> names;
    const Status listed = visitOrdinaryFiles(folder, extension, [&](std::string_view name) {
        names.emplace_back(name);
        return true;
    });
    if (!listed) return listed.error();
    return names;
}

bool holdsOrdinaryFile(const fs::path& folder) {
    bool found = false;
    static_cast<void>(visitOrdinaryFiles(folder, "", [&](std::string_view) {
        found = true;
        return false;
    }));
    return found;
}

}  // namespace vexmoor
