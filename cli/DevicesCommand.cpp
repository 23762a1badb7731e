// `devices`: the attached signs, by index and HID path.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/DeviceList.h"

namespace lumitag::cli {
namespace {

class DevicesCommand : public Command {
public:
    std::string_view Name() const override { return "devices"; }
    std::string_view Summary() const override { return "list the attached signs (index and HID path)"; }
    std::string Details() const override
    {
        return "Each sign is tried once: one that cannot be opened for lack of permission\n"
               "points to the udev rule. Exit code 1 when no sign is found or none of\n"
               "them can be opened.\n";
    }
    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 0, 0);
        service::Devices devices(context.Session());
        const DeviceListing listing = ListDevices(devices);
        std::fputs(listing.out.c_str(), stdout);
        if (!listing.err.empty()) PrintError(listing.err);
        return listing.code;
    }
};

}  // namespace

std::unique_ptr<Command> MakeDevicesCommand() { return std::make_unique<DevicesCommand>(); }

}  // namespace lumitag::cli
