#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "core/ports.h"
#include "core/result.h"
#include "core/version_store.h"

namespace vexmoor {

// The actions an earlier version is kept for, as the Earlier Versions
// window names them.
inline constexpr const char* kStartUpTidy = "start-up tidy";
inline constexpr const char* kChangedOutside = "changed outside Vexmoor";
inline constexpr const char* kRestore = "restore";

// What every rewrite of the roster, the chat file, the map cycle and the
// settings file goes through first, and the one place that remembers what
// Vexmoor last read from each of those files or wrote to it (its size and a
// hash of its content). A file that another program changed or removed
// since is replaced only when the user says so; what is about to be
// replaced is kept as an earlier version first, and when that cannot be
// done the user is told why and asked whether to go on without it. Both
// questions default to No, which leaves everything as it was.
class RewriteGuard {
public:
    // The one line the Earlier Versions window shows for a version.
    using Summary = std::function<std::string(KeptFile, std::string_view bytes)>;

    RewriteGuard(VersionStore& store, Dialogs& dialogs, std::function<std::string()> gameDirectory,
                 Summary summary = {});

    VersionStore& store() { return store_; }
    std::string gameDirectory() const { return gameDirectory_(); }

    // What Vexmoor read from a file or wrote to it: remembered until the
    // next read or write of the same file.
    void remember(const std::filesystem::path& file, std::string_view bytes);
    void remember(const std::filesystem::path& file, const ContentPrint& print);
    void rememberMissing(const std::filesystem::path& file);
    std::optional<ContentPrint> remembered(const std::filesystem::path& file) const;

    // Before an action rewrites the file: compares the file with what was
    // remembered of it, asks when it changed, keeps it as an earlier version.
    // True when the rewrite may go on. A file nothing was remembered of is
    // not compared.
    bool mayRewrite(KeptFile which, const std::filesystem::path& file, std::string_view action);

    // Before an earlier version is written back: keeps the file as it is
    // ("restore"), so the restore can be undone; asks before going on
    // without. The user has just seen the file as it is, so nothing is compared.
    bool mayRestore(KeptFile which, const std::filesystem::path& file);

    // Keeps the bytes as an earlier version, asking nothing.
    Status keep(KeptFile which, std::string_view bytes, std::string_view action);

    // The questions, for the windows that tell the same in their own words.
    static Message changedOutsideQuestion(const std::filesystem::path& file);
    static Message notKeptQuestion(const std::filesystem::path& file, const Error& why);

private:
    bool keepOrAsk(KeptFile which, const std::filesystem::path& file, std::string_view bytes,
                   std::string_view action);

    VersionStore& store_;
    Dialogs& dialogs_;
    std::function<std::string()> gameDirectory_;
    Summary summary_;
    std::map<std::string, ContentPrint> known_;
};

}  // namespace vexmoor
