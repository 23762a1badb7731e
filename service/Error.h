#pragma once
// Failures of the services as values: one error type with a code and a UTF-8
// message in the user's words. The front ends decide what a code becomes: the
// desktop program a message box, the command line an exit code and a line
// on stderr. Nothing here throws across a service call.

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace lumitag::service {

enum class ErrorCode {
    NoDevice,          // no sign found, none open, or it could not be opened
    BadInput,          // a value the user gave is out of range or malformed
    NotOffered,        // the model or the slot's kind does not offer this (a disabled control)
    FileRead,          // a program, project or settings file could not be read
    FileWrite,         // a file could not be written; the old one is whole
    SendFailure,       // a report or frame could not be written to the sign
    WordLimitDeclined, // the word-limit question was answered no
    PictureDeclined,   // "picture cannot be loaded; send anyway?" was answered no
    NothingSelected,   // an RS-485 series or group job without any ID
    Busy,              // another job runs (in this process or on this program folder)
};

struct Error {
    ErrorCode code;
    std::string message;  // UTF-8, ready to show
};

// A service call that returns nothing but may fail.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Error error) : error_(std::move(error)) {}

    bool ok() const { return !error_; }
    explicit operator bool() const { return ok(); }
    // Only when !ok().
    const Error& error() const { return *error_; }
    ErrorCode code() const { return error_->code; }
    const std::string& message() const { return error_->message; }

private:
    std::optional<Error> error_;
};

// A value or an error.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(Error error) : state_(std::move(error)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }
    // Only when ok().
    T& value() { return std::get<0>(state_); }
    const T& value() const { return std::get<0>(state_); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    // Only when !ok().
    const Error& error() const { return std::get<1>(state_); }
    ErrorCode code() const { return error().code; }
    const std::string& message() const { return error().message; }
    Status status() const { return ok() ? Status() : Status(error()); }

private:
    std::variant<T, Error> state_;
};

inline Error MakeError(ErrorCode code, std::string message) { return Error{code, std::move(message)}; }

// A short English name of the code, for logs and tests.
const char* CodeName(ErrorCode code);

}  // namespace lumitag::service
