#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/ports.h"
#include "core/result.h"
#include "roster/roster.h"

namespace vexmoor {

// Which text the second field of every written bot line carries.
enum class ModelSkinSource {
    Halves,  // BotModels and BotSkins joined by "/"
    AsRead,  // BotModelSkins
};

// The roster file under a game directory text.
std::filesystem::path rosterPath(const std::string& gameDirectory);

// Start-up tidy step: keeps only the lines that begin with a double quote or
// "[", creating the file empty (and saying so) when it is missing. A file that
// exists but cannot be read is left untouched and the error returned; a
// rewrite that would change nothing is skipped.
Status CheckRosterFile(const std::filesystem::path& path, Dialogs& dialogs);

// The same, handing back what the file holds afterwards, so that start-up
// can read the roster from it without reading the file a second time.
// beforeRewrite, when given, sees the bytes a rewrite is about to replace;
// when it says no, the file stays as it is and the tidied bytes come back all
// the same.
Result<std::string> tidyRosterFile(const std::filesystem::path& path, Dialogs& dialogs,
                                   const std::function<bool(std::string_view)>& beforeRewrite = {});

// The tidy step without its message, for a thread that may not show one:
// the tidied bytes, and whether the file had to be created (the caller then
// says so with kRosterCreatedMessage). beforeRewrite as above.
struct TidiedRoster {
    std::string bytes;
    bool created = false;
};
Result<TidiedRoster> tidyRosterFileQuietly(const std::filesystem::path& path,
                                           const std::function<bool(std::string_view)>& beforeRewrite = {});
inline constexpr const char* kRosterCreatedMessage = "No bots.cfg file found. One has been created.";

// What the tidy step leaves of a file's bytes: the lines (ended by CR LF, CR CR LF or a
// bare LF) that begin with a double quote or "[", in order, each ended by CR LF.
std::string tidiedRosterBytes(std::string_view bytes);

// Resets the counts and reads the file into the roster. On failure the roster
// keeps what was read before it, and the error names the file, line and reason.
Status ReadRoster(const std::filesystem::path& path, Roster& roster);

// The reading itself, on bytes already in memory; fileName only labels errors.
Status readRosterBytes(std::string_view bytes, const std::string& fileName, Roster& roster);

// The roster a file holds now, read the way start-up reads it (its lines
// tidied in memory only; the file is not touched): what the game will find
// in it, and what the editors compare their changes with.
Status readRosterAsHeld(const std::filesystem::path& path, Roster& roster);

// Why the roster cannot be written so that it reads back the same (a count
// its lists cannot hold, a double quote where the file has no room for one,
// a line feed that the next start's tidy step would cut a record at), or
// nothing when it can.
std::optional<std::string> unwritableRosterReason(const Roster& roster, ModelSkinSource source);

// The bytes WriteRoster writes: one line per record, quoted texts, values in
// the number format; a value or member list that would not read back bare is
// written in quotes. Entries past the shortest list of a group are
// left out; WriteRoster refuses such a roster instead of writing it.
std::string rosterFileBytes(const Roster& roster, ModelSkinSource source);

// Rewrites the whole file (safely: a failure leaves the old file intact) and
// then shows "Bots.cfg file written."; on failure, or for a roster that
// cannot be written faithfully, shows what went wrong instead. The in-memory
// roster is never changed.
Status WriteRoster(const std::filesystem::path& path, const Roster& roster, ModelSkinSource source,
                   Dialogs& dialogs);

}  // namespace vexmoor
