// `clock`: sets the sign's clock to the PC's local time.

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "l10n/InlineTexts.h"
#include "service/Sending.h"

namespace lumitag::cli {
namespace {

constexpr OptionSpec kOptions[] = {kModelOption, kDeviceOption};

class ClockCommand : public Command {
public:
    std::string_view Name() const override { return "clock"; }
    std::string_view Summary() const override { return "set the sign's clock to this computer's local time"; }
    std::span<const OptionSpec> Options() const override { return kOptions; }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 0, 0);
        context.ModelName(args);
        context.OpenDevice(args);
        Check(service::Sending(context.Session()).SendClock());
        // The desktop program shows this in a box; boxes go to stderr.
        context.Reporter().Message(MessageKind::Info, std::string(PickText(kClockSetOk)));
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeClockCommand() { return std::make_unique<ClockCommand>(); }

}  // namespace lumitag::cli
