#include "cli/ServiceCommands.h"

#include <cstdio>

#include "cli/ExitCode.h"
#include "cli/SendData.h"
#include "cli/TerminalReporter.h"
#include "l10n/InlineTexts.h"

namespace lumitag::cli {

const DeviceModel& RequireBusModel(Context& context, const Arguments& args)
{
    const DeviceModel& model = context.RequireModel(args);
    if (!model.busModel)
        throw BadInput("model " + std::string(model.name) + " is no bus model: group operations need Q26, Q27 or Q28");
    return model;
}

ExitCode RunGroupJob(Context& context, const DeviceModel& model, const std::vector<int>& ids, GroupMode mode,
                     const SlotParamTable& params, const PackedTables& tables)
{
    SendWorker& worker = context.Worker(model.name);
    ProgressPrinter progress;
    worker.SetEvents(&progress);
    JobResult result = worker.StartGroup(ids, mode, params, tables);
    if (result == JobResult::Success) result = worker.Wait();
    worker.SetEvents(nullptr);
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
