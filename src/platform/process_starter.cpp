// Starting the game. The only place where starting a process differs
// between systems.
#include "platform/process_starter.h"

#include "core/command_line.h"

#ifdef _WIN32
#include <windows.h>

#include <string_view>
#include <system_error>
#include <vector>

#include "core/code_page.h"
#include "core/ports.h"
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

extern char** environ;
#endif

namespace vexmoor {

namespace fs = std::filesystem;

#ifdef _WIN32

namespace {

std::string systemMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string message = length ? code_page::narrowed(std::wstring_view(buffer, length)) : std::string();
    if (buffer) LocalFree(buffer);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.' ||
                                message.back() == ' '))
        message.pop_back();
    return message.empty() ? "system error " + std::to_string(code) : message;
}

std::optional<std::string> directoryProblem(const fs::path& directory) {
    if (directory.empty()) return std::nullopt;
    const std::string text = pathText(directory);
    std::error_code error;
    const auto status = fs::status(directory, error);
    if (status.type() == fs::file_type::not_found)
        return "The folder to start in, " + text + ", does not exist";
    if (error) return "The folder to start in, " + text + ", cannot be reached (" + error.message() + ")";
    if (status.type() != fs::file_type::directory)
        return "The folder to start in, " + text + ", is not a folder";
    return std::nullopt;
}

}  // namespace

std::optional<std::string> SystemProcessStarter::start(const std::string& commandLine,
                                                       const fs::path& workingDirectory,
                                                       const std::string& knownProgram) {
    const ProgramAndArguments parsed = parseCommandLine(commandLine, knownProgram);
    if (parsed.program.empty())
        return std::string("There is no program to start: the command line is empty.");

    // The program is named to the system rather than left for it to find.
    // Left to itself it would read an unquoted path with blanks as the
    // shortest path that exists ("c:\my" before "c:\my games\quake2.exe"),
    // and look for a program without a folder beside the launcher and along
    // PATH; here that program is the one in the folder where the game is to
    // run, as on other systems. The command line goes to the game unchanged.
    fs::path program = pathFromText(parsed.program);
    if (program.is_relative()) program = workingDirectory / program;
    const std::string programText = pathText(program);
    std::error_code error;
    const auto status = fs::status(program, error);
    if (status.type() == fs::file_type::not_found) return programText + " does not exist";
    if (status.type() == fs::file_type::directory) return programText + " is a folder";
    if (auto problem = directoryProblem(workingDirectory)) return problem;

    std::wstring line = code_page::widened(commandLine);
    std::vector<wchar_t> mutableLine(line.begin(), line.end());
    mutableLine.push_back(L'\0');
    const std::wstring& directory = workingDirectory.native();

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &process)) {
        const DWORD code = GetLastError();
        switch (code) {
            case ERROR_FILE_NOT_FOUND:
            case ERROR_PATH_NOT_FOUND:
                return programText + " does not exist";
            case ERROR_BAD_EXE_FORMAT:
            case ERROR_EXE_MACHINE_TYPE_MISMATCH:
            case ERROR_BAD_FORMAT:
                return programText + " is not a program that can be run (it is not a Windows program)";
            default:
                return programText + " cannot be started (" + systemMessage(code) + ")";
        }
    }
    // Nothing is kept of the game: it runs on its own.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return std::nullopt;
}

#else

namespace {

std::string reason(int code) { return std::strerror(code); }

// Why a path is not a file that could be started, or nothing when it is a
// regular file. The system's own refusal ("Permission denied") says less.
std::optional<std::string> fileProblem(const std::string& program) {
    struct stat info {};
    if (::stat(program.c_str(), &info) != 0) {
        const int code = errno;
        if (code == ENOENT || code == ENOTDIR) return program + " does not exist";
        return program + " cannot be reached (" + reason(code) + ")";
    }
    if (S_ISDIR(info.st_mode)) return program + " is a folder";
    if (!S_ISREG(info.st_mode))
        return program + " is not a program that can be run (it is not a regular file)";
    return std::nullopt;
}

std::optional<std::string> programProblem(const std::string& program) {
    if (auto problem = fileProblem(program)) return problem;
    if (::access(program.c_str(), X_OK) != 0)
        return program + " is not a program that can be run (it is not executable)";
    return std::nullopt;
}

std::optional<std::string> directoryProblem(const fs::path& directory) {
    if (directory.empty()) return std::nullopt;
    const std::string text = directory.string();
    struct stat info {};
    if (::stat(text.c_str(), &info) != 0) {
        const int code = errno;
        if (code == ENOENT || code == ENOTDIR) return "The folder to start in, " + text + ", does not exist";
        return "The folder to start in, " + text + ", cannot be reached (" + reason(code) + ")";
    }
    if (!S_ISDIR(info.st_mode)) return "The folder to start in, " + text + ", is not a folder";
    return std::nullopt;
}

// Nearly every copy of the game is the Windows one. A Windows program
// begins with the two bytes "MZ" of its DOS header; the kernel cannot run
// it, Wine can. The file need not be executable for that, and often is not
// when it was copied from a Windows disk.
bool isWindowsProgram(const std::string& program) {
    const int file = ::open(program.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) return false;
    char head[2] = {};
    ssize_t got = 0;
    do {
        got = ::read(file, head, sizeof head);
    } while (got == -1 && errno == EINTR);
    ::close(file);
    return got == 2 && head[0] == 'M' && head[1] == 'Z';
}

// A command as the shell would find it in PATH, but only in absolute
// folders: an empty or relative entry would mean the game directory.
std::optional<std::string> inPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    const std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t begin = 0;
    while (begin <= folders.size()) {
        std::size_t end = folders.find(':', begin);
        if (end == std::string::npos) end = folders.size();
        const std::string folder = folders.substr(begin, end - begin);
        begin = end + 1;
        if (folder.empty() || folder.front() != '/') continue;
        const std::string candidate = folder + "/" + name;
        if (!programProblem(candidate)) return candidate;
    }
    return std::nullopt;
}

struct WineLookup {
    std::string program;  // empty when there is none
    std::string problem;  // why there is none
};

// The Wine to start Windows programs with: the program VEXMOOR_WINE names
// (a path, or a command looked up in PATH), otherwise `wine` from PATH.
WineLookup findWine(const std::string& windowsProgram) {
    const std::string head = windowsProgram + " is a Windows program";
    if (const char* chosen = std::getenv("VEXMOOR_WINE"); chosen && *chosen) {
        std::string wine = chosen;
        const std::string named = head + ", to be started through the Wine that VEXMOOR_WINE names, but ";
        if (wine.find('/') == std::string::npos) {
            const auto found = inPath(wine);
            if (!found) return {{}, named + "there is no program " + wine + " in PATH."};
            wine = *found;
        } else if (wine.front() != '/') {
            // Relative to where the launcher runs, not to the game directory
            // the child moves to before it starts Wine.
            std::error_code ignored;
            if (const fs::path absolute = fs::absolute(wine, ignored); !absolute.empty())
                wine = absolute.string();
        }
        if (auto problem = programProblem(wine)) return {{}, named + *problem + "."};
        return {wine, {}};
    }
    if (auto found = inPath("wine")) return {*found, {}};
    return {{},
            head +
                ". Vexmoor starts Windows programs through Wine, but Wine was not found (there is no wine in "
                "PATH). Installing Wine (Debian package \"wine\") lets Vexmoor start it."};
}

// Owners of the spawn settings, so that every way out releases them.
struct FileActions {
    posix_spawn_file_actions_t value;
    int error = posix_spawn_file_actions_init(&value);
    ~FileActions() {
        if (error == 0) posix_spawn_file_actions_destroy(&value);
    }
};

struct Attributes {
    posix_spawnattr_t value;
    int error = posix_spawnattr_init(&value);
    ~Attributes() {
        if (error == 0) posix_spawnattr_destroy(&value);
    }
};

// The launcher never waits for the game, but an ended child that nobody
// waits for stays behind as a zombie for as long as the launcher runs. A
// small detached thread waits for this one child only: ignoring SIGCHLD or
// reaping every child would take the exit statuses away from anything else
// in the program that starts processes (the toolkit does). When the
// launcher ends first, the game passes to init, which reaps it.
void reapWhenEnded(pid_t child) {
    try {
        std::thread([child] {
            int status = 0;
            while (::waitpid(child, &status, 0) == -1 && errno == EINTR) {
            }
        }).detach();
    } catch (const std::system_error&) {
        // Without a thread the game still runs; it only lingers as a zombie
        // once it ends, until the launcher does.
    }
}

// Starts `file` with `arguments` (the first is the program's own name) in
// `workingDirectory`, without waiting for it. `shown` names it in failures.
std::optional<std::string> spawnDetached(const fs::path& file, std::vector<std::string> arguments,
                                         const fs::path& workingDirectory, const std::string& shown) {
    std::vector<char*> argv;
    for (auto& text : arguments) argv.push_back(text.data());
    argv.push_back(nullptr);

    FileActions actions;
    Attributes attributes;
    if (actions.error != 0 || attributes.error != 0)
        return shown + " cannot be started (" + reason(actions.error ? actions.error : attributes.error) +
               ")";

    // The game reads no input from the launcher, and should not inherit
    // whatever the launcher has open beyond its output.
    int error = posix_spawn_file_actions_addopen(&actions.value, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (error == 0 && !workingDirectory.empty())
        error = posix_spawn_file_actions_addchdir_np(&actions.value, workingDirectory.c_str());
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    if (error == 0) error = posix_spawn_file_actions_addclosefrom_np(&actions.value, STDERR_FILENO + 1);
#endif

    // A session of its own, so a hang-up or Ctrl+C meant for the launcher's
    // terminal does not end the game; signals as a fresh program has them.
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
#ifdef POSIX_SPAWN_SETSID
    flags |= POSIX_SPAWN_SETSID;
#endif
    sigset_t noSignals;
    sigset_t allSignals;
    sigemptyset(&noSignals);
    sigfillset(&allSignals);
    if (error == 0) error = posix_spawnattr_setflags(&attributes.value, flags);
    if (error == 0) error = posix_spawnattr_setsigmask(&attributes.value, &noSignals);
    if (error == 0) error = posix_spawnattr_setsigdefault(&attributes.value, &allSignals);
    if (error != 0) return shown + " cannot be started (" + reason(error) + ")";

    // posix_spawn, unlike fork, is sound in a program with threads, and it
    // reports a failed exec (a file that is no program, a denied start) as
    // its result rather than as a child that ends at once.
    pid_t child = 0;
    error = ::posix_spawn(&child, file.c_str(), &actions.value, &attributes.value, argv.data(), environ);
    if (error == ENOEXEC) return shown + " is not a program that can be run (" + reason(error) + ")";
    if (error != 0) return shown + " cannot be started (" + reason(error) + ")";
    reapWhenEnded(child);
    return std::nullopt;
}

}  // namespace

std::optional<std::string> SystemProcessStarter::start(const std::string& commandLine,
                                                       const fs::path& workingDirectory,
                                                       const std::string& knownProgram) {
    const ProgramAndArguments parsed = parseCommandLine(commandLine, knownProgram);
    if (parsed.program.empty())
        return std::string("There is no program to start: the command line is empty.");

    // A program named without a folder is looked for where it will run, as
    // Windows looks in the current folder, which the launch has made the
    // game directory. Never in PATH: the game is not an installed command.
    fs::path program(parsed.program);
    if (program.is_relative()) program = workingDirectory / program;
    // Made absolute here because the child changes its folder before it
    // looks the program up.
    std::error_code ignored;
    fs::path absolute = fs::absolute(program, ignored);
    if (absolute.empty()) absolute = program;
    const std::string programText = program.string();
    if (auto problem = fileProblem(programText)) return problem;
    if (auto problem = directoryProblem(workingDirectory)) return problem;

    // The game sees the same arguments either way; through Wine it comes
    // after Wine's own name, as Wine expects.
    std::vector<std::string> arguments{parsed.program};
    if (isWindowsProgram(programText)) {
        const WineLookup wine = findWine(programText);
        if (wine.program.empty()) return wine.problem;
        arguments = {wine.program, absolute.string()};
        arguments.insert(arguments.end(), parsed.arguments.begin(), parsed.arguments.end());
        return spawnDetached(wine.program, std::move(arguments), workingDirectory,
                             "Wine (" + wine.program + ")");
    }
    if (auto problem = programProblem(programText)) return problem;
    arguments.insert(arguments.end(), parsed.arguments.begin(), parsed.arguments.end());
    return spawnDetached(absolute, std::move(arguments), workingDirectory, programText);
}

#endif

}  // namespace vexmoor
