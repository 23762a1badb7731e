#pragma once
// Following a job on a terminal: a progress bar when stdout is a terminal,
// nothing otherwise, and the job's result as an exit code.

#include "cli/ExitCode.h"
#include "link/SendEvents.h"

namespace lumitag::cli {

class ProgressPrinter : public SendEvents {
public:
    ProgressPrinter();
    ~ProgressPrinter() override;
    void Progress(int percent, JobResult code, bool done) override;
    void ScanProgress(int percent, bool end) override;
    void GroupResult(int succeeded, int count) override;
    int Failed() const { return failed_; }

private:
    void Draw(int percent);
    // Ends the bar's line once, so that what follows starts on its own.
    void EndLine();
    bool terminal_;
    bool ended_ = false;
    int shown_ = -1;
    int failed_ = 0;
};

// The exit code of a job result.
ExitCode ExitCodeOf(JobResult result);

}  // namespace lumitag::cli
