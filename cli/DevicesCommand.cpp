// `devices`: the attached signs, by index and HID path.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"

namespace lumitag::cli {
namespace {

class DevicesCommand : public Command {
public:
    std::string_view Name() const override { return "devices"; }
    std::string_view Summary() const override { return "list the attached signs (index and HID path)"; }
    std::string Details() const override
    {
        return "Each sign is tried once: one that cannot be opened for lack of permission\n"
               "points to the udev rule. Exit code 1 when no sign is found.\n";
    }
    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 0, 0);
        HidLink& link = context.Link();
        if (!link.Enumerate()) throw CliError(ExitCode::NoDevice, "cannot list USB devices on this system");
        const auto devices = link.Devices();
        if (devices.empty()) throw CliError(ExitCode::NoDevice, "no sign found (USB 1668:5886)");
        bool denied = false;
        for (std::size_t i = 0; i < devices.size(); ++i) {
            std::string state = "ok";
            if (!link.Open(devices[i])) {
                denied = denied || link.LastOpenError() == OpenError::PermissionDenied;
                state = link.LastOpenError() == OpenError::PermissionDenied ? "permission denied"
                                                                           : "cannot open: " + link.LastOpenMessage();
            }
            link.Close();
            std::printf("%zu  %s  (%s)\n", i, devices[i].c_str(), state.c_str());
        }
        if (denied) PrintError(kUdevRuleHint);
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeDevicesCommand() { return std::make_unique<DevicesCommand>(); }

}  // namespace lumitag::cli
