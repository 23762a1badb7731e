#pragma once
// What every command shares: the terminal reporter and the session of this
// run, with the options most commands take (--model, --project, --device)
// applied to it, and the mapping of service errors to exit codes.

#include <filesystem>
#include <string>

#include "cli/Arguments.h"
#include "cli/ExitCode.h"
#include "cli/TerminalReporter.h"
#include "service/Error.h"
#include "service/Session.h"

namespace lumitag::cli {

class Context {
public:
    // `options` are the session's; a write-to-file send is never paced here.
    explicit Context(TerminalReporter& reporter, service::SessionOptions options = {});

    TerminalReporter& Reporter() { return reporter_; }
    service::Session& Session() { return session_; }
    SettingsStore& Settings() { return session_.Settings(); }

    // The model of this run: --model NAME (any letter case) without storing
    // it, else the stored "LedType" ("" when none).
    std::string ModelName(const Arguments& args);
    // The same, and it must be one of the 36 models.
    const DeviceModel& RequireModel(const Arguments& args);

    // Binds the session's program to --project FILE (read, and written only
    // by the composing commands) or else to the current ID's work file.
    // Returns whether a project file was given.
    bool LoadProgram(const Arguments& args);

    // Opens the sign chosen by --device (a path or an index of `devices`;
    // the first sign by default).
    void OpenDevice(const Arguments& args);

    // Refuses to run a job while another lumitag process runs one on the
    // same program folder (ExitCode::Busy).
    void LockJobs();

private:
    TerminalReporter& reporter_;
    service::Session session_;
};

// The exit code of a service error.
ExitCode ExitCodeOf(service::ErrorCode code);
// Throws the CliError of a failed status.
void Check(const service::Status& status);
template <typename T>
T Check(service::Result<T> result)
{
    Check(result.status());
    return std::move(result.value());
}

// Options most commands share.
inline constexpr OptionSpec kModelOption{"model", "NAME", "use this model for this run without storing it"};
inline constexpr OptionSpec kProjectOption{"project", "FILE", "work on this project file instead of the current ID's work file"};
inline constexpr OptionSpec kDeviceOption{"device", "PATH|INDEX", "the sign to use (see `devices`); the first by default"};

}  // namespace lumitag::cli
