#pragma once
// The `devices` listing: every attached sign by index and HID path, each
// tried once, so that a sign the user may not open is told apart from one
// that is not there.

#include <string>

#include "cli/ExitCode.h"
#include "service/Devices.h"

namespace lumitag::cli {

struct DeviceListing {
    ExitCode code = ExitCode::Success;
    std::string out;  // one line per sign: "INDEX  PATH  (STATE)"
    std::string err;  // one line: no sign, or the udev hint
};

// Lists and probes the signs; no device stays open afterwards.
DeviceListing ListDevices(service::Devices& devices);

}  // namespace lumitag::cli
