#include "support/fakes.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "core/ports.h"

namespace vexmoor::testing {

namespace fs = std::filesystem;

Answer FakeDialogs::show(const Message& message) {
    shown.push_back(message);
    if (!answers.empty()) {
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    if (respond)
        if (const auto answer = respond(message)) return *answer;
    if (message.defaultAnswer) return *message.defaultAnswer;
    switch (message.buttons) {
    case Buttons::YesNo: return Answer::Yes;
    case Buttons::RetryCancel: return Answer::Retry;
    case Buttons::WriteDiscardCancel:
    case Buttons::WriteReturnCancel:
    case Buttons::WriteLaunchCancel: return Answer::Write;
    case Buttons::Ok: break;
    }
    return Answer::Ok;
}

std::vector<std::string> FakeDialogs::texts() const {
    std::vector<std::string> result;
    for (const auto& message : shown) result.push_back(message.text);
    return result;
}

void FakeWindows::open(WindowModel& window) {
    opened.push_back(window.name());
    openWindows.push_back(&window);
}

void FakeWindows::close(WindowModel& window) {
    closed.push_back(window.name());
    openWindows.erase(std::remove(openWindows.begin(), openWindows.end(), &window), openWindows.end());
}

void FakeWindows::focus(WindowModel& window) { focused.push_back(window.name()); }

bool FakeWindows::isOpen(const std::string& name) const {
    return std::any_of(openWindows.begin(), openWindows.end(),
                       [&](const WindowModel* w) { return w->name() == name; });
}

std::optional<std::string> FakeProcessStarter::start(const std::string& commandLine,
                                                     const fs::path& workingDirectory,
                                                     const std::string& knownProgram) {
    starts.push_back({commandLine, workingDirectory, knownProgram});
    return failWith;
}

TempDir::TempDir(const fs::path& in) {
    std::random_device device;
    const fs::path base = in.empty() ? fs::temp_directory_path() : in;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = base / ("vexmoor-test-" + std::to_string(device()));
        if (fs::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(path_, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(path_, error);
}

std::string TempDir::text() const {
    std::string text = pathText(path_);
#ifdef _WIN32
    text += '\\';
#else
    text += '/';
#endif
    return text;
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void makeReadOnly(const fs::path& path) {
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

}  // namespace vexmoor::testing
