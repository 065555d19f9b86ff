#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace vexmoor {

// What went wrong, where: the file, the line (0 when not known) and the reason
// in words a user can act on.
struct Error {
    std::string file;
    int line = 0;
    std::string reason;

    // "<file>, line <n>: <reason>" or "<file>: <reason>"
    std::string describe() const;
};

// Success or an error; the common return of every operation that touches a file.
class Status {
public:
    Status() = default;
    Status(Error error) : error_(std::move(error)) {}
    static Status ok() { return {}; }

    bool isOk() const { return !error_.has_value(); }
    explicit operator bool() const { return isOk(); }
    const Error& error() const { return *error_; }

private:
    std::optional<Error> error_;
};

template <class T>
class Result {
public:
    Result(T value) : data_(std::move(value)) {}
    Result(Error error) : data_(std::move(error)) {}

    bool isOk() const { return std::holds_alternative<T>(data_); }
    explicit operator bool() const { return isOk(); }
    const T& value() const& { return std::get<T>(data_); }
    T& value() & { return std::get<T>(data_); }
    T&& value() && { return std::get<T>(std::move(data_)); }
    const Error& error() const { return std::get<Error>(data_); }
    Status status() const { return isOk() ? Status{} : Status{error()}; }

private:
    std::variant<T, Error> data_;
};

}  // namespace vexmoor
