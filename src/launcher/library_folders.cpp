#include "launcher/library_folders.h"

#include <algorithm>
#include <optional>

namespace vexmoor {

namespace {

bool sameWord(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

bool isNumber(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// What a block's pairs mean to the list: the file's top, the
// "libraryfolders" block, one library's block (newer format), or anything else.
enum class Role { Top, Libraries, Library, Other };

class Reader {
public:
    Reader(std::string_view bytes, const std::string& fileName) : bytes_(bytes), fileName_(fileName) {}

    Result<std::vector<std::string>> read() {
        if (bytes_.size() > kMaxLibraryListBytes)
            return Error{fileName_, 0,
                         "it is larger than 1 MiB, far more than a list of library folders holds"};
        if (Status read = pairs(0, Role::Top, 0); !read) return read.error();
        if (!sawLibraries_) return Error{fileName_, 0, "it holds no \"libraryfolders\" block"};
        return std::move(folders_);
    }

private:
    enum class Kind { Text, Open, Close, End };
    struct Token {
        Kind kind = Kind::End;
        std::string text;
        int line = 1;
    };

    Error error(int line, std::string reason) const { return Error{fileName_, line, std::move(reason)}; }

    static bool blank(char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
    }

    // The next token; an error only for a quoted text that is never closed.
    Result<Token> next() {
        for (;;) {
            while (at_ < bytes_.size() && blank(bytes_[at_])) {
                if (bytes_[at_] == '\n') ++line_;
                ++at_;
            }
            if (at_ + 1 < bytes_.size() && bytes_[at_] == '/' && bytes_[at_ + 1] == '/') {
                while (at_ < bytes_.size() && bytes_[at_] != '\n') ++at_;
                continue;
            }
            break;
        }
        Token token;
        token.line = line_;
        if (at_ >= bytes_.size()) return token;
        const char c = bytes_[at_];
        if (c == '{' || c == '}') {
            ++at_;
            token.kind = c == '{' ? Kind::Open : Kind::Close;
            return token;
        }
        token.kind = Kind::Text;
        if (c != '"') {
            while (at_ < bytes_.size() && !blank(bytes_[at_]) && bytes_[at_] != '"' && bytes_[at_] != '{' &&
                   bytes_[at_] != '}')
                token.text += bytes_[at_++];
            return token;
        }
        ++at_;
        for (;;) {
            if (at_ >= bytes_.size())
                return error(token.line, "a quoted text begins here and is never closed");
            const char b = bytes_[at_++];
            if (b == '"') return token;
            if (b == '\n') ++line_;
            if (b == '\\' && at_ < bytes_.size()) {
                const char escaped = bytes_[at_];
                const std::optional<char> meant = escaped == 'n'    ? std::optional<char>('\n')
                                                  : escaped == 't'  ? std::optional<char>('\t')
                                                  : escaped == '\\' ? std::optional<char>('\\')
                                                  : escaped == '"'  ? std::optional<char>('"')
                                                                    : std::nullopt;
                if (meant) {
                    token.text += *meant;
                    ++at_;
                    continue;
                }
            }
            token.text += b;
        }
    }

    void take(std::string folder) {
        if (!folder.empty() && folders_.size() < kMaxLibraries) folders_.push_back(std::move(folder));
    }

    // The pairs of one block up to its closing brace (the file's end at the top).
    Status pairs(int depth, Role role, int openedOn) {
        bool pathTaken = false;
        for (;;) {
            auto key = next();
            if (!key) return key.error();
            const Token& k = key.value();
            if (k.kind == Kind::End) {
                if (depth == 0) return {};
                return error(openedOn, "the block that opens here is never closed");
            }
            if (k.kind == Kind::Close) {
                if (depth == 0) return error(k.line, "a closing brace without its opening one");
                return {};
            }
            if (k.kind == Kind::Open) return error(k.line, "a block without a name before it");

            auto value = next();
            if (!value) return value.error();
            const Token& v = value.value();
            if (v.kind == Kind::Text) {
                if (role == Role::Libraries && isNumber(k.text)) take(v.text);
                if (role == Role::Library && !pathTaken && sameWord(k.text, "path")) {
                    pathTaken = true;
                    take(v.text);
                }
                continue;
            }
            if (v.kind != Kind::Open) return error(k.line, "\"" + k.text + "\" has no value");
            if (depth + 1 > kMaxLibraryListDepth)
                return error(v.line, "its blocks are nested more than 16 deep");
            Role inner = Role::Other;
            if (role == Role::Top && !sawLibraries_ && sameWord(k.text, "libraryfolders")) {
                sawLibraries_ = true;
                inner = Role::Libraries;
            } else if (role == Role::Libraries && isNumber(k.text)) {
                inner = Role::Library;
            }
            if (Status inside = pairs(depth + 1, inner, v.line); !inside) return inside;
        }
    }

    std::string_view bytes_;
    const std::string& fileName_;
    std::size_t at_ = 0;
    int line_ = 1;
    bool sawLibraries_ = false;
    std::vector<std::string> folders_;
};

}  // namespace

Result<std::vector<std::string>> readLibraryFolders(std::string_view bytes, const std::string& fileName) {
    return Reader(bytes, fileName).read();
}

}  // namespace vexmoor
