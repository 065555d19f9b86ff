// The safe whole-file writer, and making a new file exclusively.
#include "core/ports.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/system_reason.h"

namespace vexmoor {

namespace fs = std::filesystem;

namespace {

#ifndef _WIN32
std::string systemReason(int code) { return std::strerror(code); }
#endif

// The temporary file's name: the target's name and a random suffix, so that
// two programs rewriting the same file never share one.
fs::path temporaryName(const fs::path& target) {
    static std::mt19937_64 generator{std::random_device{}()};
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(generator()));
    fs::path name = target.filename();
    name += suffix;
    return name;
}

bool noWritePermission(fs::perms perms) {
    return (perms & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) ==
           fs::perms::none;
}

}  // namespace

Status writeNewFile(const fs::path& path, std::string_view bytes) {
    const std::string shown = pathText(path);
#ifdef _WIN32
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS)
            return Error{shown, 0, kFileExistsReason};
        return Error{shown, 0, windowsReason(code)};
    }
    const auto fail = [&](DWORD code) {
        CloseHandle(file);
        DeleteFileW(path.c_str());
        return Error{shown, 0, windowsReason(code)};
    };
    for (std::size_t done = 0; done < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return fail(GetLastError());
        done += written;
    }
    if (!FlushFileBuffers(file)) return fail(GetLastError());
    if (!CloseHandle(file)) {
        const DWORD code = GetLastError();
        DeleteFileW(path.c_str());
        return Error{shown, 0, windowsReason(code)};
    }
#else
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int code = errno;
        return Error{shown, 0, code == EEXIST ? std::string(kFileExistsReason) : systemReason(code)};
    }
    const auto fail = [&](int code) {
        ::close(fd);
        ::unlink(path.c_str());
        return Error{shown, 0, systemReason(code)};
    };
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(errno);
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) return fail(errno);
    if (::close(fd) != 0) {
        const int code = errno;
        ::unlink(path.c_str());
        return Error{shown, 0, systemReason(code)};
    }
#endif
    return {};
}

Status writeWholeFile(const fs::path& requested, std::string_view bytes) {
    const std::string shown = pathText(requested);
    std::error_code error;
    // A link is written through, so the user's link stays a link.
    fs::path path = requested;
    if (fs::is_symlink(requested, error)) {
        const fs::path target = fs::weakly_canonical(requested, error);
        if (error) return Error{shown, 0, "the link cannot be followed (" + error.message() + ")"};
        path = target;
    }
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");

    const auto folderStatus = fs::status(folder, error);
    if (folderStatus.type() == fs::file_type::not_found)
        return Error{shown, 0, "the folder " + pathText(folder) + " does not exist"};
    if (folderStatus.type() != fs::file_type::directory)
        return Error{shown, 0, pathText(folder) + " is not a folder"};
#ifndef _WIN32
    // Windows keeps a folder's read-only mark for the shell's own use and lets
    // files be written there all the same; a folder the user may not write to
    // fails when the temporary file is made, with the system's reason.
    if (noWritePermission(folderStatus.permissions()))
        return Error{shown, 0, "the folder " + pathText(folder) + " is read-only"};
#endif

    const auto targetStatus = fs::status(path, error);
    const bool exists = targetStatus.type() != fs::file_type::not_found && !error;
    if (exists && targetStatus.type() == fs::file_type::directory)
        return Error{shown, 0, "it is a folder, not a file"};
    if (exists && noWritePermission(targetStatus.permissions()))
        return Error{shown, 0, "the file is read-only"};

    const fs::path temporary = folder / temporaryName(path);
#ifdef _WIN32
    // Opened without sharing: nobody reads the new content before it is whole.
    const HANDLE file =
        CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Error{shown, 0, windowsReason(GetLastError())};
    const auto fail = [&](DWORD code, std::string reason) {
        DeleteFileW(temporary.c_str());
        return Error{
            shown, 0,
            reason.empty() ? windowsReason(code) : std::move(reason) + " (" + windowsReason(code) + ")"};
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            const DWORD code = GetLastError();
            CloseHandle(file);
            return fail(code, {});
        }
        done += written;
    }
    if (!FlushFileBuffers(file)) {
        const DWORD code = GetLastError();
        CloseHandle(file);
        return fail(code, {});
    }
    if (!CloseHandle(file)) return fail(GetLastError(), {});
    // What Windows keeps with a file besides its content: a hidden or system
    // roster stays hidden or system. (A read-only one was refused above.)
    if (exists) {
        constexpr DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                               FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        const DWORD old = GetFileAttributesW(path.c_str());
        if (old != INVALID_FILE_ATTRIBUTES && (old & kept) != 0 &&
            !SetFileAttributesW(temporary.c_str(), old & kept))
            return fail(GetLastError(), {});
    }
    // One rename: a reader sees the old file or the new one, never a part.
    if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail(GetLastError(), "the file cannot be replaced");
#else
    // A new file gets the usual mode less the user's umask; a replaced one keeps its own.
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666);
    if (fd < 0) return Error{shown, 0, systemReason(errno)};
    const auto fail = [&](int code) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return Error{shown, 0, systemReason(code)};
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        done += static_cast<std::size_t>(n);
    }
    if (exists && ::fchmod(fd, static_cast<mode_t>(targetStatus.permissions()) & 07777) != 0)
        return fail(errno);
    if (::fsync(fd) != 0) return fail(errno);
    if (::close(fd) != 0) {
        const int code = errno;
        ::unlink(temporary.c_str());
        return Error{shown, 0, systemReason(code)};
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int code = errno;
        ::unlink(temporary.c_str());
        return Error{shown, 0, systemReason(code)};
    }
    // Make the rename itself durable.
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
#endif
    return {};
}

}  // namespace vexmoor
