// `send`: the desktop program's Send, or its write-to-file mode with --output.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/OutputFile.h"
#include "cli/SendData.h"
#include "l10n/InlineTexts.h"

namespace lumitag::cli {
namespace {

constexpr OptionSpec kOptions[] = {
    kModelOption,
    {"project", "FILE", "send this project file (only read) instead of the current ID's work file"},
    {"id", "N", "the sign ID the frames carry, 1..256 (default 1)"},
    {"485", "", "carry the sign ID in every frame for this run (RS-485 mode)"},
    kDeviceOption,
    {"output", "FILE", "write the raw frames of the send to FILE instead; no sign needed"},
    {"yes", "", "answer yes to the word-limit question"},
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
               "without a terminal only --yes sends it. RS-485 mode is also on when it\n"
               "is stored in the settings.\n";
    }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 0, 0);
        context.Reporter().SetAssumeYes(args.Has("yes"));
        const std::string model = context.ModelName(args);
        const int signId = args.Int("id", 1, 256).value_or(1);
        const auto output = args.Value("output");
        const std::filesystem::path outputPath = output ? CheckOutputPath(*output) : std::filesystem::path();
        if (output) CheckNotInput(outputPath, args.Value("project"));

        context.LockJobs();
        SignProgram program;
        PackedTables tables;
        PrepareSend(context, args, model, output.has_value(), program, tables);

        SendWorker& worker = context.Worker(model, output.has_value());
        worker.SetSignId(signId);
        worker.SetIdMode(args.Has("485") || context.Settings().GetMode485() == 1);
        ProgressPrinter progress;
        worker.SetEvents(&progress);
        auto bytes = std::make_shared<std::vector<char>>();
        JobResult result = worker.StartSend(program.Params(), tables,
                                            output ? CollectingStream(bytes) : nullptr);
        if (result == JobResult::Success) result = worker.Wait();
        worker.SetEvents(nullptr);

        if (result == JobResult::SendFailure) PrintError(std::string(fixed_texts::kSendFailure));
        if (result != JobResult::Success) return ExitCodeOf(result);
        if (output) {
            WriteOutputFile(outputPath, {reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()});
            std::printf("%zu bytes of frames written to %s\n", bytes->size(), outputPath.c_str());
        } else {
            std::printf("%s\n", std::string(fixed_texts::kOk).c_str());
        }
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeSendCommand() { return std::make_unique<SendCommand>(); }

}  // namespace lumitag::cli
