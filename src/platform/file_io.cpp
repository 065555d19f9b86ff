// Whole-file reading and the safe whole-file writer. The only place where
// system calls for files differ between systems.
#include "core/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vexmoor {

namespace fs = std::filesystem;

std::string pathText(const fs::path& path) { return path.string(); }

bool regularFileExists(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
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

namespace {

bool endsWithIgnoringCase(std::string_view name, std::string_view extension) {
    if (name.size() < extension.size()) return false;
    const std::string_view tail = name.substr(name.size() - extension.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(tail[i]) != lower(extension[i])) return false;
    }
    return true;
}

}  // namespace

// A map folder may hold thousands of files: on POSIX systems the entries'
// names and types come straight from the directory, without building a path
// for each (a link or an unknown type still asks the file system).
Result<std::vector<std::string>> listFiles(const fs::path& folder, std::string_view extension) {
    std::vector<std::string> names;
    const auto wanted = [&](std::string_view name) {
        return !name.empty() && name.front() != '.' && name.size() > extension.size() &&
               endsWithIgnoringCase(name, extension);
    };
#ifdef _WIN32
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error) return Error{pathText(folder), 0, error.message()};
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error) return Error{pathText(folder), 0, error.message()};
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        std::string name = pathText(it->path().filename());
        if (wanted(name)) names.push_back(std::move(name));
    }
#else
    DIR* directory = ::opendir(folder.c_str());
    if (!directory) return Error{pathText(folder), 0, std::strerror(errno)};
    const int descriptor = ::dirfd(directory);
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(directory);
        if (!entry) break;
        const std::string_view name = entry->d_name;
        if (!wanted(name)) continue;
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            regular = ::fstatat(descriptor, entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
        }
        if (regular) names.emplace_back(name);
    }
    const int code = errno;
    ::closedir(directory);
    if (code != 0) return Error{pathText(folder), 0, std::strerror(code)};
#endif
    return names;
}

namespace {

std::string systemReason(int code) { return std::strerror(code); }

std::string temporaryName(const fs::path& target) {
    static std::mt19937_64 generator{std::random_device{}()};
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(generator()));
    return target.filename().string() + suffix;
}

bool noWritePermission(fs::perms perms) {
    return (perms & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) ==
           fs::perms::none;
}

}  // namespace

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
    if (noWritePermission(folderStatus.permissions()))
        return Error{shown, 0, "the folder " + pathText(folder) + " is read-only"};

    const auto targetStatus = fs::status(path, error);
    const bool exists = targetStatus.type() != fs::file_type::not_found && !error;
    if (exists && targetStatus.type() == fs::file_type::directory)
        return Error{shown, 0, "it is a folder, not a file"};
    if (exists && noWritePermission(targetStatus.permissions()))
        return Error{shown, 0, "the file is read-only"};

    const fs::path temporary = folder / temporaryName(path);
#ifdef _WIN32
    FILE* file = _wfopen(temporary.c_str(), L"wb");
    if (!file) return Error{shown, 0, systemReason(errno)};
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
                         std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        _wremove(temporary.c_str());
        return Error{shown, 0, systemReason(writeError)};
    }
    if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        _wremove(temporary.c_str());
        return Error{shown, 0, "the file cannot be replaced"};
    }
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
