#pragma once
// The exit codes of lumitag-cli, one per kind of failure, so that scripts can
// tell them apart. They are part of the command line's contract.

#include <stdexcept>
#include <string>

namespace lumitag::cli {

enum class ExitCode : int {
    Success = 0,
    NoDevice = 1,       // no sign found, or it could not be opened
    BadInput = 2,       // usage error, bad argument, unreadable or unwritable file
    SendFailure = 3,    // a frame could not be written to the sign
    Declined = 4,       // the word-limit question was answered no
    Busy = 5,           // another job is running on this program folder
};

inline int ToInt(ExitCode code) { return static_cast<int>(code); }

// A failure that ends the command: its message goes to stderr and the process
// exits with its code. Thrown only inside the command line layer.
class CliError : public std::runtime_error {
public:
    CliError(ExitCode code, const std::string& message) : std::runtime_error(message), code_(code) {}
    ExitCode code() const { return code_; }

private:
    ExitCode code_;
};

inline CliError BadInput(const std::string& message) { return CliError(ExitCode::BadInput, message); }

// The lines --help prints about exit codes.
inline constexpr const char* kExitCodeHelp =
    "Exit codes:\n"
    "  0  success\n"
    "  1  no device: no sign found, or it could not be opened\n"
    "  2  usage or bad input (arguments, project files, pictures, output paths)\n"
    "  3  send failure: a frame could not be written to the sign\n"
    "  4  declined by the word limit\n"
    "  5  another job is running on this program folder\n";

}  // namespace lumitag::cli
