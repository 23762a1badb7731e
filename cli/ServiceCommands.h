#pragma once
// Running the worker's jobs from a command: started through the sending
// service, followed with a progress bar, ended with a result on stdout or
// stderr and an exit code.

#include <functional>
#include <vector>

#include "cli/Context.h"
#include "cli/JobProgress.h"
#include "service/Sending.h"

namespace lumitag::cli {

// Starts a job with `start` and waits for its end with a progress bar.
// Returns the job's result (Busy and NoDevice when it could not start).
JobResult RunJob(Context& context, const std::function<service::Status()>& start, ProgressPrinter* progress = nullptr);

// Runs a group job to its end. The job goes on past signs it cannot reach;
// those are counted on stderr and make the run a send failure, so "OK!" is
// printed only when every sign was reached.
ExitCode RunGroupJob(Context& context, const std::vector<int>& ids, GroupMode mode,
                     const service::PreparedSend* data = nullptr);

}  // namespace lumitag::cli
