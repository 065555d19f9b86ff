// vexmoor_startup_bench <game-directory> [--setup-file <setup.json>] [--recent-game <setup.json>]
//                       [--home <folder>]
//
// Starts the way the program does (src/app/main.cpp) and ends as soon as the
// main window is shown: with a process launcher such as hyperfine around it,
// the time from exec to a window on screen, and with GNU time its peak
// memory. The game directory is the argument, else $VEXMOOR_GAME_DIR. The
// settings file is a fresh one in a temporary folder pointing at that
// directory, so the user's own settings are never read. With --setup-file,
// that setup file is put among that folder's setups and the program
// starts as `vexmoor --setup` does, with it loaded. With --recent-game, that
// setup file is kept ten times as the recent games, the most the program
// keeps, as the home lists them at start. With --home, the settings and
// setups are kept in that folder from run to run: written by the first run
// that finds no settings file there, only read by the runs after it, so that
// the bench's own writing and removing is not timed as the program's start
// (the folder must then stay with one set of options). Other options of
// benchmark runners (arguments starting with "--") are ignored. The platform
// is offscreen unless QT_QPA_PLATFORM names another.
//
// Only the program's own libraries are linked, not the test support: what is
// measured is what the program loads and runs.
//
// On stderr: the milliseconds to the shown window and the window's size, so
// that the bare window (bench/bare_window.cpp) can be shown at the same size.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "core/paths.h"
#include "core/ports.h"
#include "views/application.h"
#include "views/main_window.h"
#include "views/pictures.h"

namespace fs = std::filesystem;

namespace {

struct Arguments {
    std::optional<std::string> gameDirectory;
    std::optional<std::string> setupFile;
    std::optional<std::string> recentGame;
    std::optional<std::string> home;
};

Arguments argumentsOf(int argc, char* argv[]) {
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--setup-file" && i + 1 < argc)
            arguments.setupFile = argv[++i];
        else if (argument == "--recent-game" && i + 1 < argc)
            arguments.recentGame = argv[++i];
        else if (argument == "--home" && i + 1 < argc)
            arguments.home = argv[++i];
        else if (argument.rfind("--", 0) != 0 && !arguments.gameDirectory)
            arguments.gameDirectory = argument;
    }
    if (const char* game = std::getenv("VEXMOOR_GAME_DIR"); !arguments.gameDirectory && game && *game)
        arguments.gameDirectory = std::string(game);
    return arguments;
}

// A whole small file, plainly, or nothing.
std::optional<std::string> contentOf(const fs::path& path) {
    std::FILE* file = std::fopen(path.string().c_str(), "rb");
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, got);
    std::fclose(file);
    return bytes;
}

bool writePlainly(const fs::path& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    return file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fclose(file) == 0;
}

// A folder of its own under the system's temporary folder, removed at the end.
class ScratchFolder {
public:
    ScratchFolder() {
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const fs::path candidate = fs::temp_directory_path() / ("vexmoor-startup-" + std::to_string(random()));
            if (fs::create_directory(candidate)) path_ = candidate;
        }
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (!path_.empty()) fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// The settings the demo maker writes, pointing at the game directory.
std::string settingsBytes(const std::string& gameDirectory) {
    return "\"" + gameDirectory + "\"\r\n" +
           "1,0,0,1,1,1,0,0,1,0,0,0,1,0,0,0\r\n"
           "0\r\n"
           "0,0,\"20\",0,\"20\",0,\"8\",\"0\",\"1\",1,1,0,1,0\r\n";
}

// The settings pointing at the game directory, the recent games and the
// setup asked for, in `home`; false, said on stderr, when one cannot be written.
bool prepareHome(const fs::path& home, const std::string& game, const Arguments& given) {
    std::error_code error;
    fs::create_directories(home, error);
    // Written plainly, without the safe writer's syncs: they would wait for
    // the disk, which is no part of the program's start.
    if (error || !writePlainly(home / "vexmoor.ini", settingsBytes(game))) {
        std::fprintf(stderr, "vexmoor_startup_bench: cannot write the settings file in %s\n", home.string().c_str());
        return false;
    }
    if (given.recentGame) {
        const auto kept = contentOf(*given.recentGame);
        const fs::path recent = home / "vexmoor" / "setups" / "Recent games";
        fs::create_directories(recent, error);
        bool written = kept && !error;
        // Named as the program names them: the second played, then a number.
        for (int i = 0; written && i < 10; ++i)
            written = writePlainly(recent / ("0017650000" + std::to_string(10 + i) + "-00.json"), *kept);
        if (!written) {
            std::fprintf(stderr, "vexmoor_startup_bench: cannot keep the recent games from %s\n",
                         given.recentGame->c_str());
            return false;
        }
    }
    if (given.setupFile) {
        const auto setup = contentOf(*given.setupFile);
        const fs::path setups = home / "vexmoor" / "setups";
        fs::create_directories(setups, error);
        if (!setup || error || !writePlainly(setups / "bench.json", *setup)) {
            std::fprintf(stderr, "vexmoor_startup_bench: cannot copy the setup %s\n", given.setupFile->c_str());
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer clock;
    clock.start();

    const Arguments given = argumentsOf(argc, argv);
    if (!given.gameDirectory) {
        std::fprintf(
            stderr,
            "usage: vexmoor_startup_bench <game-directory> (or $VEXMOOR_GAME_DIR) [--setup-file <file>]\n");
        return 2;
    }
    std::string game = fs::absolute(*given.gameDirectory).string();
    if (game.back() != vexmoor::kPathSeparator) game += vexmoor::kPathSeparator;
    if (!vexmoor::regularFileExists(fs::path(game) / "quake2.exe")) {
        std::fprintf(stderr, "vexmoor_startup_bench: no quake2.exe in %s\n", game.c_str());
        return 2;
    }
    // The folder the program keeps its settings and setups in: with --home
    // one kept from run to run, else a fresh one removed at the end.
    std::optional<ScratchFolder> scratch;
    fs::path home;
    if (given.home) {
        home = fs::absolute(*given.home);
        std::error_code ignored;
        if (!fs::exists(home / "vexmoor.ini", ignored) && !prepareHome(home, game, given)) return 2;
    } else {
        home = scratch.emplace().path();
        if (home.empty()) {
            std::fprintf(stderr, "vexmoor_startup_bench: no temporary folder\n");
            return 2;
        }
        if (!prepareHome(home, game, given)) return 2;
    }
    vexmoor::StartOptions options;
    if (given.setupFile) options.setup = "bench";
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home.string()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((home / "data").string()));

    // The program's own start-up is measured, not a display server's: offscreen unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // From here on as in main.cpp.
    int arguments = argc > 0 ? 1 : 0;
    QApplication app(arguments, argv);
    QApplication::setApplicationName(QStringLiteral("vexmoor"));
    QApplication::setWindowIcon(vexmoor::applicationIcon());
    QApplication::setQuitOnLastWindowClosed(false);

    int shown = 0;
    {
        vexmoor::Application application;
        application.start(options);
        if (!application.mainWindow().isVisible()) {
            std::fprintf(stderr, "vexmoor_startup_bench: the main window did not come up\n");
            return 1;
        }
        const qint64 ready = clock.elapsed();
        const QSize size = application.mainWindow().size();
        QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
        shown = QApplication::exec();
        std::fprintf(stderr, "main window shown after %lld ms, %dx%d\n", static_cast<long long>(ready),
                     size.width(), size.height());
    }
    return shown;
}
