#include "views/start_options.h"

#include <variant>
#include <vector>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

#include "core/ports.h"
#include "launcher/game_finder.h"
#include "launcher/settings_file.h"
#include "platform/codec.h"
#include "setups/setup_store.h"

namespace vexmoor {

namespace {

std::string bytesOf(const QString& text) { return text.toLocal8Bit().toStdString(); }

CommandLineRequest ending(int status, std::string errors) {
    CommandLineRequest request;
    request.exitStatus = status;
    request.errors = "vexmoor: " + std::move(errors) + "\n";
    return request;
}

// The game directory the settings store, or the request that ends the start.
std::variant<std::string, CommandLineRequest> storedGameDirectory(const SettingsLocation& settings) {
    const auto file = settings.settingsFile();
    auto directory = readStoredGameDirectory(file);
    if (directory) return std::move(directory).value();
    if (directory.error().reason == kMissingFileReason)
        return ending(kFailureStatus, "no game directory is chosen yet (there is no settings file " +
                                          pathText(file) + "); start Vexmoor without options to choose it");
    return ending(kFailureStatus, "the settings cannot be read: " + directory.error().describe());
}

// The arguments less the options the parser did not know ("-x", "--name",
// "--name=value").
QStringList withoutUnknownOptions(const QStringList& arguments, const QStringList& unknown) {
    QStringList kept;
    for (const QString& argument : arguments) {
        QString name = argument;
        while (name.startsWith(QLatin1Char('-'))) name.remove(0, 1);
        name = name.section(QLatin1Char('='), 0, 0);
        if (argument.startsWith(QLatin1Char('-')) && unknown.contains(name)) continue;
        kept << argument;
    }
    return kept;
}

std::string listed(const std::vector<std::string>& names) {
    std::string lines;
    for (const std::string& name : names) lines += name + "\n";
    return lines;
}

// The game directories Vexmoor can use, one a line; what the search could
// not use or did not finish is told on standard error.
CommandLineRequest foundGames(const GamePlaces& places) {
    const FoundGames found = findGames(places);
    CommandLineRequest request;
    request.exitStatus = 0;
    for (const FoundGame& game : found.games) {
        if (game.ready())
            request.output += game.directoryText() + "\n";
        else
            request.errors += "vexmoor: " + game.directoryText() + ": " + game.note() + "\n";
    }
    for (const Error& problem : found.problems)
        request.errors += "vexmoor: Steam's library list is not used: " + problem.describe() + "\n";
    if (!found.complete)
        request.errors +=
            "vexmoor: the search stopped after 2 seconds; these are the games found until then\n";
    return request;
}

}  // namespace

CommandLineRequest readCommandLine(const QStringList& arguments, const SettingsLocation& settings,
                                   const GamePlaces& places) {
    QCommandLineParser parser;
    // "-abc" is one option, as "--abc" is, so that an unknown one is passed over whole.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("A launcher for Quake 2 with the Eraser bot modification.\n"
                       "Started without options, it opens its window; it keeps its settings in "
                       "$XDG_CONFIG_HOME/vexmoor.ini (~/.config/vexmoor.ini) and its game setups in "
                       "$XDG_CONFIG_HOME/vexmoor/setups/.\n"
                       "A Windows quake2.exe is started through Wine: the program VEXMOOR_WINE names, "
                       "or wine from PATH."));
    // Not addHelpOption(): it offers --help-all for the toolkit's options,
    // which the program does not take.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help and ends."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption setup(
        QStringLiteral("setup"),
        QStringLiteral("Starts with the game setup of that name loaded (File, Game Setups; \"Last game\" is "
                       "the game launched last)."),
        QStringLiteral("name"));
    const QCommandLineOption launch(
        QStringLiteral("launch"),
        QStringLiteral("With --setup: launches its game at once, as Launch! does."));
    const QCommandLineOption list(
        QStringLiteral("list-setups"),
        QStringLiteral(
            "Prints the names of the setups saved for the stored game directory, one a line, and ends."));
    const QCommandLineOption find(
        QStringLiteral("find-games"),
        QStringLiteral(
            "Prints the game directories found on this computer (Steam's libraries, GOG, Wine "
            "prefixes, ~/Games and the system's game folders), one a line, and ends. Games without "
            "the bot modification are named on standard error. The search takes at most 2 seconds."));
    parser.addOptions({setup, launch, list, find});

    // Options it does not know are ignored, as the program has always done;
    // an option of its own without its value is not.
    if (!parser.parse(arguments) &&
        !parser.parse(withoutUnknownOptions(arguments, parser.unknownOptionNames())))
        return ending(kUsageStatus, bytesOf(parser.errorText()) + " (vexmoor --help lists the options)");
    CommandLineRequest request;
    if (parser.isSet(help)) {
        request.exitStatus = 0;
        request.output = bytesOf(parser.helpText());
        return request;
    }
    if (parser.isSet(version)) {
        request.exitStatus = 0;
        request.output = bytesOf(QCoreApplication::applicationName() + QLatin1Char(' ') +
                                 QCoreApplication::applicationVersion() + QLatin1Char('\n'));
        return request;
    }
    if (parser.isSet(find)) return foundGames(places);
    if (!parser.isSet(list) && !parser.isSet(setup)) {
        if (parser.isSet(launch))
            return ending(kUsageStatus, "--launch needs --setup NAME: the setup to launch");
        return request;
    }

    auto directory = storedGameDirectory(settings);
    if (auto* ended = std::get_if<CommandLineRequest>(&directory)) return std::move(*ended);
    const std::string& game = std::get<std::string>(directory);
    const SetupStore store(settings.setupsFolder());
    if (parser.isSet(list)) {
        request.exitStatus = 0;
        request.output = listed(store.names(game));
        return request;
    }

    // A setup's name is the name of its file: the system's text.
    const std::string name = fromQString(parser.value(setup), TextKind::System).value_or(std::string());
    std::string otherDirectory;
    const auto found = store.load(name, game, &otherDirectory);
    if (!found && found.error().reason == kNoSuchSetupReason) {
        std::string why = "there is no setup \"" + name + "\" for the game in " + game;
        if (!otherDirectory.empty())
            why += " (the setup of that name is for the game in " + otherDirectory + ")";
        const auto names = store.names(game);
        why += names.empty() ? "; it has no setups yet" : "; its setups are:\n" + listed(names);
        if (!why.empty() && why.back() == '\n') why.pop_back();
        return ending(kUsageStatus, why);
    }
    if (!found)
        return ending(kFailureStatus,
                      "the setup \"" + name + "\" cannot be loaded: " + found.error().describe());
    request.start.setup = name;
    request.start.launch = parser.isSet(launch);
    return request;
}

}  // namespace vexmoor
