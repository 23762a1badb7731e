// `scan`: the ID scan over sign IDs 1..254.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/ServiceCommands.h"
#include "l10n/InlineTexts.h"

namespace lumitag::cli {
namespace {

constexpr OptionSpec kOptions[] = {kModelOption, kDeviceOption};

class ScanCommand : public Command {
public:
    std::string_view Name() const override { return "scan"; }
    std::string_view Summary() const override { return "send the ID scan to sign IDs 1..254"; }
    std::span<const OptionSpec> Options() const override { return kOptions; }
    std::string Details() const override
    {
        return "The link only writes, so no answer is read: the scan frames go out and\n"
               "each sign shows its own ID.\n";
    }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 0, 0);
        context.ModelName(args);
        context.LockJobs();
        try {
            context.OpenDevice(args);
        } catch (const CliError& error) {
            PrintError(std::string(PickText(kConnectDevice)));
            throw;
        }
        service::Sending sending(context.Session());
        const JobResult result = RunJob(context, [&] { return sending.StartScan(); });
        if (result == JobResult::SendFailure) PrintError(std::string(fixed_texts::kSendFailure));
        if (result == JobResult::Success) std::printf("%s\n", std::string(fixed_texts::kOk).c_str());
        return ExitCodeOf(result);
    }
};

}  // namespace

std::unique_ptr<Command> MakeScanCommand() { return std::make_unique<ScanCommand>(); }

}  // namespace lumitag::cli
