// `group-send`: the program to each sign of a list (the group job's send).

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
    {"project", "FILE", "send this project file (only read) instead of the current ID's work file"},
    kDeviceOption,
    {"ids", "LIST", "the sign IDs, e.g. 1,4,9 or 3-7 (required)"},
    {"yes", "", "answer yes to the word-limit question"},
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
        const std::vector<int> ids = ParseIdList(*list);
        const DeviceModel& model = RequireBusModel(context, args);
        context.LockJobs();
        SignProgram program;
        if (!context.LoadProgram(args, program)) program.SaveParams();
        CheckPictures(model.name, program);
        context.OpenDevice(args);

        PackedTables tables;
        BuildSendData(context, model.name, program, tables);
        CheckWordLimit(context, model.name, program.Params(), tables, false);
        SendWorker& worker = context.Worker(model.name);
        ProgressPrinter progress;
        worker.SetEvents(&progress);
        JobResult result = worker.StartGroup(ids, GroupMode::Send, program.Params(), tables);
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

std::unique_ptr<Command> MakeGroupSendCommand() { return std::make_unique<GroupSendCommand>(); }

}  // namespace lumitag::cli
