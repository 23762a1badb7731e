#include "cli/DeviceList.h"

namespace lumitag::cli {

DeviceListing ListDevices(HidLink& link)
{
    DeviceListing listing;
    if (!link.Enumerate()) {
        listing.code = ExitCode::NoDevice;
        listing.err = "cannot list USB devices on this system";
        return listing;
    }
    const auto devices = link.Devices();
    if (devices.empty()) {
        listing.code = ExitCode::NoDevice;
        listing.err = "no sign found (USB 1668:5886); is it plugged in?";
        return listing;
    }
    bool denied = false;
    std::size_t usable = 0;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        std::string state = "ok";
        if (!link.Open(devices[i])) {
            const bool permission = link.LastOpenError() == OpenError::PermissionDenied;
            denied = denied || permission;
            state = permission ? "permission denied" : "cannot open: " + link.LastOpenMessage();
        } else {
            ++usable;
        }
        link.Close();
        listing.out += std::to_string(i) + "  " + devices[i] + "  (" + state + ")\n";
    }
    if (denied) listing.err = kUdevRuleHint;
    // Signs that are there but cannot be opened leave nothing to send to.
    if (usable == 0) listing.code = ExitCode::NoDevice;
    return listing;
}

std::string OpenFailureMessage(const HidLink& link, const std::string& path)
{
    if (link.LastOpenError() == OpenError::PermissionDenied) return "cannot open " + path + ". " + kUdevRuleHint;
    return "cannot open " + path + ": " + link.LastOpenMessage();
}

}  // namespace lumitag::cli
