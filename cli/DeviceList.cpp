#include "cli/DeviceList.h"

#include "cli/Context.h"

namespace lumitag::cli {

DeviceListing ListDevices(service::Devices& devices)
{
    DeviceListing listing;
    const auto probes = devices.Probe();
    if (!probes) {
        listing.code = ExitCodeOf(probes.code());
        listing.err = probes.message();
        return listing;
    }
    bool denied = false;
    std::size_t usable = 0;
    for (std::size_t i = 0; i < probes->size(); ++i) {
        const service::DeviceProbe& probe = (*probes)[i];
        std::string state = "ok";
        if (probe.error == OpenError::PermissionDenied) {
            denied = true;
            state = "permission denied";
        } else if (probe.error != OpenError::None) {
            state = "cannot open: " + probe.message;
        } else {
            ++usable;
        }
        listing.out += std::to_string(i) + "  " + probe.path + "  (" + state + ")\n";
    }
    if (denied) listing.err = std::string(service::kUdevRuleHint);
    // Signs that are there but cannot be opened leave nothing to send to.
    if (usable == 0) listing.code = ExitCode::NoDevice;
    return listing;
}

}  // namespace lumitag::cli
