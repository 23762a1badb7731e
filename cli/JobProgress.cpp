#include "cli/JobProgress.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace lumitag::cli {

ProgressPrinter::ProgressPrinter() : terminal_(isatty(STDOUT_FILENO) != 0) {}

ProgressPrinter::~ProgressPrinter() { EndLine(); }

void ProgressPrinter::EndLine()
{
    if (!terminal_ || shown_ < 0 || ended_) return;
    ended_ = true;
    std::fputs("\n", stdout);
    std::fflush(stdout);
}

void ProgressPrinter::Draw(int percent)
{
    if (!terminal_ || percent == shown_) return;
    shown_ = percent;
    ended_ = false;
    constexpr int kWidth = 40;
    const int filled = std::clamp(percent, 0, 100) * kWidth / 100;
    std::printf("\r[%s%s] %3d%%", std::string(static_cast<std::size_t>(filled), '#').c_str(),
                std::string(static_cast<std::size_t>(kWidth - filled), ' ').c_str(), percent);
    std::fflush(stdout);
}

void ProgressPrinter::Progress(int percent, JobResult, bool done)
{
    Draw(percent);
    if (done) EndLine();
}

void ProgressPrinter::ScanProgress(int percent, bool end)
{
    Draw(percent);
    if (end) EndLine();
}

void ProgressPrinter::GroupResult(int succeeded, int count) { failed_ = count - succeeded; }

ExitCode ExitCodeOf(JobResult result)
{
    switch (result) {
    case JobResult::Success: return ExitCode::Success;
    case JobResult::NoDevice: return ExitCode::NoDevice;
    case JobResult::SendFailure: return ExitCode::SendFailure;
    case JobResult::Busy: return ExitCode::Busy;
    }
    return ExitCode::SendFailure;
}

}  // namespace lumitag::cli
