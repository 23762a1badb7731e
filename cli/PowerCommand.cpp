// `power`: switches a list of signs on or off (the group job's power modes).

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/ServiceCommands.h"
#include "service/SignIds.h"

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
        const std::vector<int> ids = Check(service::ParseIdList(*list));
        context.RequireModel(args);
        Check(service::Sending(context.Session()).GroupJobsOffered());
        context.LockJobs();
        context.OpenDevice(args);
        return RunGroupJob(context, ids, state == "on" ? GroupMode::PowerOn : GroupMode::PowerOff);
    }
};

}  // namespace

std::unique_ptr<Command> MakePowerCommand() { return std::make_unique<PowerCommand>(); }

}  // namespace lumitag::cli
