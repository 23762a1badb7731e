#pragma once
// The `devices` listing: every attached sign by index and HID path, each
// tried once, so that a sign the user may not open is told apart from one
// that is not there.

#include <string>

#include "cli/ExitCode.h"
#include "link/HidLink.h"

namespace lumitag::cli {

// The fix for "Permission denied" on Linux, printed wherever a sign cannot be
// opened for lack of permission.
inline constexpr const char* kUdevRuleHint =
    "Permission denied: install the udev rule resources/udev/70-lumitag.rules "
    "(sudo cp resources/udev/70-lumitag.rules /etc/udev/rules.d/ && "
    "sudo udevadm control --reload-rules && sudo udevadm trigger), then replug the sign.";

struct DeviceListing {
    ExitCode code = ExitCode::Success;
    std::string out;  // one line per sign: "INDEX  PATH  (STATE)"
    std::string err;  // one line: no sign, or the udev hint
};

// Lists and probes the signs of `link`; no device stays open afterwards.
DeviceListing ListDevices(HidLink& link);

// Why `link` could not open `path` just now, with the udev hint when
// permission was denied.
std::string OpenFailureMessage(const HidLink& link, const std::string& path);

}  // namespace lumitag::cli
