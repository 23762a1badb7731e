// `models`: the catalogue, in selector order.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"

namespace lumitag::cli {
namespace {

const char* ProtocolName(LinkProtocol protocol)
{
    switch (protocol) {
    case LinkProtocol::HelloFixed12: return "HelloFixed12";
    case LinkProtocol::Hello: return "Hello";
    case LinkProtocol::Paged273: return "Paged273";
    case LinkProtocol::GlyphSlots: return "GlyphSlots";
    case LinkProtocol::HelloTwoPlane: return "HelloTwoPlane";
    case LinkProtocol::Bus276: return "Bus276";
    }
    return "?";
}

class ModelsCommand : public Command {
public:
    std::string_view Name() const override { return "models"; }
    std::string_view Summary() const override
    {
        return "list the 36 models with rows, messages, protocol and clock";
    }
    bool NeedsApplication() const override { return false; }
    ExitCode Run(Context&, const Arguments& args) override
    {
        ExpectPositional(args, 0, 0);
        std::printf("%-5s %4s %8s  %-17s %s\n", "MODEL", "ROWS", "MESSAGES", "PROTOCOL", "CLOCK");
        for (const DeviceModel& model : Catalogue()) {
            std::printf("%-5.*s %4d %8d  %d %-15s %s\n", static_cast<int>(model.name.size()), model.name.data(),
                        model.rows, model.slotCount, static_cast<int>(model.protocol), ProtocolName(model.protocol),
                        model.hasClock ? "yes" : "no");
        }
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeModelsCommand() { return std::make_unique<ModelsCommand>(); }

}  // namespace lumitag::cli
