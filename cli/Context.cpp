#include "cli/Context.h"

#include "service/Devices.h"

namespace lumitag::cli {
namespace {

service::SessionOptions Unpaced(service::SessionOptions options)
{
    // A file needs no pacing.
    options.pacedFileSends = false;
    return options;
}

}  // namespace

ExitCode ExitCodeOf(service::ErrorCode code)
{
    using service::ErrorCode;
    switch (code) {
    case ErrorCode::NoDevice: return ExitCode::NoDevice;
    case ErrorCode::SendFailure: return ExitCode::SendFailure;
    case ErrorCode::WordLimitDeclined: return ExitCode::Declined;
    case ErrorCode::Busy: return ExitCode::Busy;
    // A declined picture question keeps the code it had when such a picture
    // was refused outright.
    case ErrorCode::PictureDeclined:
    case ErrorCode::BadInput:
    case ErrorCode::NotOffered:
    case ErrorCode::FileRead:
    case ErrorCode::FileWrite:
    case ErrorCode::NothingSelected: return ExitCode::BadInput;
    }
    return ExitCode::BadInput;
}

void Check(const service::Status& status)
{
    if (!status) throw CliError(ExitCodeOf(status.code()), status.message());
}

Context::Context(TerminalReporter& reporter, service::SessionOptions options)
    : reporter_(reporter), session_(reporter, Unpaced(std::move(options)))
{
}

std::string Context::ModelName(const Arguments& args)
{
    if (const auto name = args.Value("model")) Check(session_.SetModelOverride(*name));
    return session_.ModelName();
}

const DeviceModel& Context::RequireModel(const Arguments& args)
{
    ModelName(args);
    const DeviceModel* model = session_.Model();
    if (!model) throw BadInput("no model chosen: give --model NAME or store one with `set-model NAME`");
    return *model;
}

bool Context::LoadProgram(const Arguments& args)
{
    if (const auto project = args.Value("project")) {
        Check(session_.LoadProject(*project));
        return true;
    }
    Check(session_.LoadCurrentProgram());
    return false;
}

void Context::OpenDevice(const Arguments& args)
{
    service::Devices devices(session_);
    Check(devices.Open(args.Value("device").value_or(std::string())));
}

void Context::LockJobs() { Check(session_.LockJobs()); }

}  // namespace lumitag::cli
