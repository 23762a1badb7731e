#pragma once
// Helpers of the device operations.

#include <string>

#include "cli/Context.h"

namespace lumitag::cli {

// The bus-only operations (power, group send) are offered for bus models
// only, as in the desktop program's Tools menu.
const DeviceModel& RequireBusModel(Context& context, const Arguments& args);

}  // namespace lumitag::cli
