// `id-change`: the ID tool's Set.

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "link/Frames.h"
#include "service/Sending.h"
#include "service/SignIds.h"

namespace lumitag::cli {
namespace {

constexpr OptionSpec kOptions[] = {kModelOption, kDeviceOption};

class IdChangeCommand : public Command {
public:
    std::string_view Name() const override { return "id-change"; }
    std::string_view Synopsis() const override { return "[options] OLD NEW"; }
    std::string_view Summary() const override { return "give the sign with ID OLD the ID NEW (1..256)"; }
    std::span<const OptionSpec> Options() const override { return kOptions; }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 2, 2);
        // Read as the ID tool reads its boxes: "12ab" is 12.
        const int oldId = service::LeadingNumber(args.Positional()[0]);
        const int newId = service::LeadingNumber(args.Positional()[1]);
        if (!IsValidSignId(oldId) || !IsValidSignId(newId)) throw BadInput("ID >=1 and ID <= 256!");
        context.ModelName(args);
        context.OpenDevice(args);
        Check(service::Sending(context.Session()).ChangeId(oldId, newId));
        context.Reporter().Message(MessageKind::Info, "Success!");
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeIdChangeCommand() { return std::make_unique<IdChangeCommand>(); }

}  // namespace lumitag::cli
