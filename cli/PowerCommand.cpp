// `power`: switches a list of signs on or off (the group job's power modes).

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/SendData.h"
#include "cli/ServiceCommands.h"
#include "cli/SignIds.h"
#include "l10n/InlineTexts.h"

namespace lumitag::cli {
namespace {

constexpr OptionSpec kOptions[] = {
    kModelOption,
    kDeviceOption,
    {"ids", "LIST", "the sign IDs, e.g. 1,4,9 or 3-7 (required)"},
};

class PowerCommand : public Command {
public:
    std::string_view Name() const override { return "power"; }
    std::string_view Synopsis() const override { return "on|off --ids LIST [options]"; }
    std::string_view Summary() const override { return "switch signs on or off (bus models)"; }
    std::span<const OptionSpec> Options() const override { return kOptions; }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 1, 1);
        const std::string& state = args.Positional()[0];
        if (state != "on" && state != "off") throw BadInput("power takes on or off");
        const auto list = args.Value("ids");
        if (!list) throw BadInput("power needs --ids LIST");
        const std::vector<int> ids = ParseIdList(*list);
        const DeviceModel& model = RequireBusModel(context, args);
        context.LockJobs();
        context.OpenDevice(args);
        SendWorker& worker = context.Worker(model.name);
        ProgressPrinter progress;
        worker.SetEvents(&progress);
        JobResult result = worker.StartGroup(ids, state == "on" ? GroupMode::PowerOn : GroupMode::PowerOff,
                                             SlotParamTable{}, PackedTables{});
        if (result == JobResult::Success) result = worker.Wait();
        worker.SetEvents(nullptr);
        if (progress.Failed() > 0) {
            char text[64];
            std::snprintf(text, sizeof text, std::string(fixed_texts::kSendFailedFormat).c_str(), progress.Failed());
            PrintError(text);
        }
        const ExitCode code = GroupExitCode(result, progress.Failed());
        if (code == ExitCode::Success) std::printf("%s\n", std::string(fixed_texts::kOk).c_str());
        return code;
    }
};

}  // namespace

std::unique_ptr<Command> MakePowerCommand() { return std::make_unique<PowerCommand>(); }

}  // namespace lumitag::cli
