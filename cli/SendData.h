#pragma once
// The steps a send shares with a group send: the slot images built and packed
// for the model, the word limit with its question, the job's progress on a
// terminal, and the result as an exit code.

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Context.h"
#include "cli/ExitCode.h"
#include "link/Frames.h"
#include "link/PackedImage.h"
#include "link/SendEvents.h"

namespace lumitag::cli {

// The link settings of `model` as the worker and the previews use them.
ModelSettings SettingsOf(std::string_view model);

// Everything a send does before its job starts, in the desktop program's
// order: the program loaded (the work file's parameters written back, a
// project file only read), its pictures checked, the sign opened unless
// `toFile`, the ten slots rendered (slot images written to Image/) and packed
// into `tables`, and the word limit applied. Throws bad input for a picture
// that will not load and ExitCode::Declined when the word-limit question is
// answered no (`toFile` picks its wording).
void PrepareSend(Context& context, const Arguments& args, std::string_view model, bool toFile, SignProgram& program,
                 PackedTables& tables);

// Follows a job: a progress bar when stdout is a terminal, nothing otherwise;
// remembers a group result.
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

// An output stream that collects what is written, so that a file is written
// whole and only once the job has succeeded.
std::unique_ptr<std::ostream> CollectingStream(std::shared_ptr<std::vector<char>> bytes);

}  // namespace lumitag::cli
