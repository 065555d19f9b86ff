#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "core/ports.h"
#include "core/result.h"
#include "history/version_store.h"

namespace vexmoor {

// The actions an earlier version is kept for, as the Earlier Versions
// window names them.
inline constexpr const char* kStartUpTidy = "start-up tidy";
inline constexpr const char* kChangedOutside = "changed outside Vexmoor";
inline constexpr const char* kRestore = "restore";

// What every rewrite of the roster, the chat file, the map cycle and the
// settings file goes through first, and the one place that remembers what
// Vexmoor last read from each of those files or wrote to it (its size and a
// hash of its content). Every rewrite is tied to the file that was read: a
// game's file goes back only to the game directory it came from, and only
// while that is still the game directory in force; its versions go to that
// directory's folder. A file whose bytes another program changed since is
// replaced only when the user says so; what is about to be replaced is kept
// as an earlier version first, and when that cannot be done the user is told
// why and asked whether to go on without it. Both questions default to No,
// which leaves everything as it was. A file that is gone has nothing to
// protect and is written without a question.
class RewriteGuard {
public:
    // The one line the Earlier Versions window shows for a version.
    using Summary = std::function<std::string(KeptFile, std::string_view bytes)>;

    // gameDirectory: the game directory in force, asked afresh at each use.
    RewriteGuard(VersionStore& store, Dialogs& dialogs, std::function<std::string()> gameDirectory,
                 Summary summary = {});

    VersionStore& store() { return store_; }

    // What the versions of a file are filed under in the store: the settings
    // file's own path, or the game directory text a game's file was found
    // under (the text its path was made from).
    static std::string filedUnder(KeptFile which, const std::filesystem::path& file);

    // What Vexmoor read from a file or wrote to it: remembered until the
    // next read or write of the same file.
    void remember(const std::filesystem::path& file, std::string_view bytes);
    void remember(const std::filesystem::path& file, const ContentPrint& print);
    void rememberMissing(const std::filesystem::path& file);
    std::optional<ContentPrint> remembered(const std::filesystem::path& file) const;

    // Before an action rewrites the file: refuses a game's file when the
    // game directory in force is another one now (telling both), compares
    // the file with what was remembered of it, asks when its bytes changed,
    // keeps it as an earlier version. True when the rewrite may go on. A
    // file nothing was remembered of is kept without comparing.
    bool mayRewrite(KeptFile which, const std::filesystem::path& file, std::string_view action);

    // Before an earlier version is written back: keeps the file as it is
    // (as kRestore, or the action given), so the restore can be undone; asks
    // before going on without. Whether the file is still what the user saw
    // is the caller's to compare.
    bool mayRestore(KeptFile which, const std::filesystem::path& file, std::string_view action = kRestore);

    // Keeps the bytes as an earlier version of the file, asking nothing.
    Status keep(KeptFile which, const std::filesystem::path& file, std::string_view bytes,
                std::string_view action);

    // What a file holds now, to compare with what was read: its print; an
    // empty print when there is no file; nothing when it cannot be read.
    static std::optional<ContentPrint> printOnDisk(const std::filesystem::path& file);

    // The questions, for the windows that tell the same in their own words.
    static Message changedOutsideQuestion(const std::filesystem::path& file);
    static Message notKeptQuestion(const std::filesystem::path& file, const Error& why);
    // Why a file read from one game directory is not written while another is in force.
    static Message otherDirectoryRefusal(const std::filesystem::path& file, const std::string& readFrom,
                                         const std::string& inForce);

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
