#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/result.h"
#include "setups/setup.h"

namespace vexmoor {

// The folder of saved setups: one file "<name>.json" each. A setup is
// offered only for the game directory it was saved for.
class SetupStore {
public:
    explicit SetupStore(std::filesystem::path folder) : folder_(std::move(folder)) {}

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path fileOf(const std::string& name) const;

    // The names of the setups saved for this game directory: "Last game"
    // first, the others by name, letter case aside. Files that cannot be
    // read as setups are left out.
    std::vector<std::string> names(const std::string& gameDirectory) const;

    // Whether a setup of that name is saved, for whichever game directory.
    bool exists(const std::string& name) const;

    // The setup of that name for this game directory. A name that cannot be
    // a setup's, a missing file and a setup of another game directory give
    // kNoSuchSetupReason (the last with the directory it belongs to in
    // `otherDirectory`); a file that cannot be read, or is no setup, an
    // error naming it and the reason.
    Result<SetupRead> load(const std::string& name, const std::string& gameDirectory,
                           std::string* otherDirectory = nullptr) const;

    // Writes the setup under that name through the safe writer, making the
    // folder when it is missing; an earlier setup of the name is replaced.
    Status save(const std::string& name, const Setup& setup) const;

    // Deletes the setup's file; one already gone is no error.
    Status remove(const std::string& name) const;

    // Gives a setup another name, or saves a copy of it under another name.
    // A name a setup cannot have, or one a setup is saved under already, is
    // refused with the reason; the setup stays as it was.
    Status rename(const std::string& from, const std::string& to) const;
    Status duplicate(const std::string& from, const std::string& to) const;

private:
    std::filesystem::path folder_;
};

inline constexpr const char* kNoSuchSetupReason = "there is no setup of that name";

// Whether a setup saved for one game directory text belongs to another:
// the same text, or two texts naming the same existing folder (letter case
// where the system ignores it, links).
bool sameGameDirectory(const std::string& saved, const std::string& current);

// Reads one setup file, refusing one too large to be a setup before reading it.
Result<SetupRead> readSetupFile(const std::filesystem::path& file);

}  // namespace vexmoor
