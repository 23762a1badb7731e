// `id-read`: the ID tool's Read.

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "service/Sending.h"

namespace lumitag::cli {
namespace {

constexpr OptionSpec kOptions[] = {kModelOption, kDeviceOption};

class IdReadCommand : public Command {
public:
    std::string_view Name() const override { return "id-read"; }
    std::string_view Summary() const override { return "send the ID read request (no answer can be received)"; }
    std::span<const OptionSpec> Options() const override { return kOptions; }
    std::string Details() const override
    {
        return "The link only writes, so the sign's answer never arrives and the read\n"
               "ends with \"Read failed!\" (exit code 3), as in the desktop program.\n";
    }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 0, 0);
        context.ModelName(args);
        context.OpenDevice(args);
        if (Check(service::Sending(context.Session()).RequestIdRead())) return ExitCode::Success;
        PrintError("Read failed!");
        return ExitCode::SendFailure;
    }
};

}  // namespace

std::unique_ptr<Command> MakeIdReadCommand() { return std::make_unique<IdReadCommand>(); }

}  // namespace lumitag::cli
