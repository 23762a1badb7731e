#include "cli/ServiceCommands.h"

#include <cstdio>

#include "l10n/InlineTexts.h"

namespace lumitag::cli {

JobResult RunJob(Context& context, const std::function<service::Status()>& start, ProgressPrinter* progress)
{
    ProgressPrinter own;
    service::Session& session = context.Session();
    session.SetEvents(progress ? progress : &own);
    const service::Status started = start();
    const JobResult result = started ? session.Worker().Wait() : JobResult::Success;
    session.SetEvents(nullptr);
    Check(started);
    return result;
}

ExitCode RunGroupJob(Context& context, const std::vector<int>& ids, GroupMode mode, const service::PreparedSend* data)
{
    service::Sending sending(context.Session());
    ProgressPrinter progress;
    const JobResult result = RunJob(context, [&] { return sending.StartGroupJob(ids, mode, data); }, &progress);
    if (progress.Failed() > 0) {
        char text[64];
        std::snprintf(text, sizeof text, std::string(fixed_texts::kSendFailedFormat).c_str(), progress.Failed());
        PrintError(text);
    }
    if (result == JobResult::Success && progress.Failed() > 0) return ExitCode::SendFailure;
    const ExitCode code = ExitCodeOf(result);
    if (code == ExitCode::Success) std::printf("%s\n", std::string(fixed_texts::kOk).c_str());
    return code;
}

}  // namespace lumitag::cli
