// `send`: the desktop program's Send, its write-to-file mode with --output,
// and its RS-485 series over the selected IDs with --485 --selected.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/OutputFile.h"
#include "cli/ServiceCommands.h"
#include "l10n/InlineTexts.h"
#include "service/SignIds.h"

namespace lumitag::cli {
namespace {

constexpr OptionSpec kOptions[] = {
    kModelOption,
    {"project", "FILE", "send this project file (only read) instead of the current ID's work file"},
    {"id", "N", "the sign ID the frames carry, 1..256 (default 1)"},
    {"485", "", "carry the sign ID in every frame for this run (RS-485 mode)"},
    {"selected", "", "with --485: send each ID selected in the ID list its own program, one after another"},
    kDeviceOption,
    {"output", "FILE", "write the raw frames of the send to FILE instead; no sign needed"},
    {"yes", "", "answer yes to the questions (word limit, pictures that cannot be loaded)"},
};

class SendCommand : public Command {
public:
    std::string_view Name() const override { return "send"; }
    std::string_view Summary() const override { return "send the program to a sign, or its frames to a file"; }
    std::span<const OptionSpec> Options() const override { return kOptions; }
    std::string Details() const override
    {
        return "The slot images are rebuilt and packed for the model. On models with a\n"
               "word limit, data over it is cut and the question is asked on a terminal;\n"
               "so is whether to send a slot whose picture can no longer be loaded (it\n"
               "then takes no width). Without a terminal only --yes goes ahead. RS-485\n"
               "mode is also on when it is stored in the settings.\n"
               "--485 --selected sends, for each ID ticked in the ID list (1..255 in\n"
               "order), that ID's work file with its ID in the frames, then reloads the\n"
               "current ID's program.\n";
    }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 0, 0);
        context.Reporter().SetAssumeYes(args.Has("yes"));
        context.ModelName(args);
        if (args.Has("485")) context.Session().SetMode485Override(true);
        if (args.Has("selected")) return SendSelected(context, args);
        const int signId = args.Int("id", 1, 256).value_or(1);
        const auto output = args.Value("output");
        const std::filesystem::path outputPath = output ? CheckOutputPath(*output) : std::filesystem::path();
        if (output) CheckNotInput(outputPath, args.Value("project"));

        context.LockJobs();
        context.LoadProgram(args);
        if (!output) context.OpenDevice(args);
        service::Sending sending(context.Session());
        const service::PreparedSend data =
            Check(sending.Prepare(output ? service::SendTarget::File : service::SendTarget::Device));
        context.Session().Worker().SetSignId(signId);
        const JobResult result = RunJob(context, [&] {
            return output ? sending.StartSendToFile(data, outputPath) : sending.StartSend(data);
        });
        if (output) {
            const std::size_t bytes = Check(sending.FinishFileSend(result));
            std::printf("%zu bytes of frames written to %s\n", bytes, outputPath.c_str());
            return ExitCode::Success;
        }
        if (result == JobResult::SendFailure) PrintError(std::string(fixed_texts::kSendFailure));
        if (result != JobResult::Success) return ExitCodeOf(result);
        std::printf("%s\n", std::string(fixed_texts::kOk).c_str());
        return ExitCode::Success;
    }

private:
    // The RS-485 series: one send job per selected ID, each ID's own program.
    static ExitCode SendSelected(Context& context, const Arguments& args)
    {
        if (!args.Has("485")) throw BadInput("--selected sends over RS-485: give --485 too");
        for (const char* option : {"output", "project", "id"})
            if (args.Has(option)) throw BadInput(std::string("--selected takes no --") + option);
        context.LockJobs();
        context.LoadProgram(args);
        service::Session& session = context.Session();
        // Without a ticked ID there is nothing to open a sign for.
        const std::vector<int> ids = service::SelectedIds(session.Ids());
        if (!ids.empty()) context.OpenDevice(args);
        service::Sending sending(session);
        service::MultiIdSend series(session, sending);
        ProgressPrinter progress;
        session.SetEvents(&progress);
        ExitCode code = ExitCode::Success;
        service::Status step = series.Start(ids);
        while (step && series.Running()) {
            std::printf("%s\n", series.ProgressText().c_str());
            std::fflush(stdout);
            const JobResult result = session.Worker().Wait();
            if (result != JobResult::Success) {
                PrintError("ID " + std::to_string(series.CurrentSignId()) + ": " + service::Sending::JobResultText(result));
                if (code == ExitCode::Success) code = ExitCodeOf(result);
            }
            step = series.OnSendFinished().status();
        }
        session.SetEvents(nullptr);
        Check(step);
        if (code == ExitCode::Success) std::printf("%s\n", std::string(fixed_texts::kOk).c_str());
        return code;
    }
};

}  // namespace

std::unique_ptr<Command> MakeSendCommand() { return std::make_unique<SendCommand>(); }

}  // namespace lumitag::cli
