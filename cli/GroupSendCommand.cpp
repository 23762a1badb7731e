// `group-send`: the program to each sign of a list (the group job's send).

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/ServiceCommands.h"
#include "service/SignIds.h"

namespace lumitag::cli {
namespace {

constexpr OptionSpec kOptions[] = {
    kModelOption,
    {"project", "FILE", "send this project file (only read) instead of the current ID's work file"},
    kDeviceOption,
    {"ids", "LIST", "the sign IDs, e.g. 1,4,9 or 3-7 (required)"},
    {"yes", "", "answer yes to the questions (word limit, pictures that cannot be loaded)"},
};

class GroupSendCommand : public Command {
public:
    std::string_view Name() const override { return "group-send"; }
    std::string_view Synopsis() const override { return "--ids LIST [options]"; }
    std::string_view Summary() const override { return "send the program to each sign of a list (bus models)"; }
    std::span<const OptionSpec> Options() const override { return kOptions; }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 0, 0);
        context.Reporter().SetAssumeYes(args.Has("yes"));
        const auto list = args.Value("ids");
        if (!list) throw BadInput("group-send needs --ids LIST");
        const std::vector<int> ids = Check(service::ParseIdList(*list));
        context.RequireModel(args);
        service::Sending sending(context.Session());
        Check(sending.GroupJobsOffered());
        context.LockJobs();
        context.LoadProgram(args);
        context.OpenDevice(args);
        const service::PreparedSend data = Check(sending.PrepareForGroup());
        return RunGroupJob(context, ids, GroupMode::Send, &data);
    }
};

}  // namespace

std::unique_ptr<Command> MakeGroupSendCommand() { return std::make_unique<GroupSendCommand>(); }

}  // namespace lumitag::cli
