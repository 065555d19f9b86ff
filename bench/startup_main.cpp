// vexmoor_startup_bench [<game-directory>]
//
// Brings up the real main window, the way the program does at start, and
// ends as soon as the window is shown: with a process launcher such as
// hyperfine around it, the time from exec to a window on screen. The game
// directory is the argument, else $VEXMOOR_GAME_DIR, else one generated for
// the run. The settings file is always a fresh one in a temporary folder
// pointing at that directory, so the user's own settings are never read.
// Options of benchmark runners (arguments starting with "--") are ignored.
// The platform is offscreen unless QT_QPA_PLATFORM names another.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "support/fakes.h"
#include "support/game_directory.h"
#include "support/main_fixture.h"
#include "views/application.h"
#include "views/main_window.h"

namespace fs = std::filesystem;
using vexmoor::testing::GameDirectoryBuilder;

namespace {

std::optional<std::string> gameDirectoryArgument(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--", 0) != 0) return argument;
    }
    if (const char* game = std::getenv("VEXMOOR_GAME_DIR"); game && *game) return std::string(game);
    return std::nullopt;
}

// A game directory as a player might have it: a full roster, a few maps.
std::string generateGame(const fs::path& root) {
    GameDirectoryBuilder game(root);
    game.withEraserFolder()
        .withRoster(GameDirectoryBuilder::generatedRoster(64, 8))
        .withChat("")
        .withMapCycle("q2dm1\r\nq2dm2\r\n")
        .withMaps({"arena.bsp", "canyon.bsp", "depot.bsp", "fortress.bsp"})
        .withModel("rook", {"slate.pcx", "slate_i.pcx"})
        .withGame();
    return game.text();
}

}  // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer clock;
    clock.start();

    vexmoor::testing::TempDir temp;
    std::string game;
    if (const auto given = gameDirectoryArgument(argc, argv)) {
        game = fs::absolute(*given).string();
        if (game.back() != '/') game += '/';
        if (!fs::exists(fs::path(game) / "quake2.exe")) {
            std::fprintf(stderr, "vexmoor_startup_bench: no quake2.exe in %s\n", game.c_str());
            return 2;
        }
    } else {
        game = generateGame(temp.path() / "game");
    }
    const fs::path config = temp.path() / "config";
    fs::create_directories(config);
    vexmoor::testing::writeBytes(
        config / "vexmoor.ini", "\"" + game + "\"\r\n" + vexmoor::testing::MainFixture::kDefaultSettingsTail);
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.string()));

    // The program's own start-up is measured, not a display server's: offscreen unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int arguments = argc > 0 ? 1 : 0;
    QApplication app(arguments, argv);
    QApplication::setApplicationName(QStringLiteral("vexmoor"));
    QApplication::setQuitOnLastWindowClosed(false);

    int shown = 0;
    {
        vexmoor::Application application;
        application.start();
        if (!application.mainWindow().isVisible()) {
            std::fprintf(stderr, "vexmoor_startup_bench: the main window did not come up\n");
            return 1;
        }
        const qint64 ready = clock.elapsed();
        QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
        shown = QApplication::exec();
        std::fprintf(stderr, "main window shown after %lld ms\n", static_cast<long long>(ready));
    }
    return shown;
}
