#pragma once
// Helpers of the device operations.

#include <string>
#include <vector>

#include "cli/Context.h"
#include "link/SendWorker.h"

namespace lumitag::cli {

// The bus-only operations (power, group send) are offered for bus models
// only, as in the desktop program's Tools menu.
const DeviceModel& RequireBusModel(Context& context, const Arguments& args);

// Runs a group job to its end with a progress bar. The job goes on past signs
// it cannot reach; those are counted on stderr and make the run a send
// failure, so "OK!" is printed only when every sign was reached.
ExitCode RunGroupJob(Context& context, const DeviceModel& model, const std::vector<int>& ids, GroupMode mode,
                     const SlotParamTable& params, const PackedTables& tables);

}  // namespace lumitag::cli
