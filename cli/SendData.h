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

// Renders the ten slots of `program` for `model` (slot images written to
// Image/) and packs them into `tables`.
void BuildSendData(Context& context, std::string_view model, SignProgram& program, PackedTables& tables);

// Bad input when a picture of a slot that is to be sent will not load: the
// sign would get an empty slot where the user expects a picture.
void CheckPictures(std::string_view model, SignProgram& program);

// Applies the model's word limit to `tables`; when data was cut, asks the
// question of the desktop program (`toFile` picks its wording) and throws
// ExitCode::Declined on no.
void CheckWordLimit(Context& context, std::string_view model, const SlotParamTable& params, PackedTables& tables,
                    bool toFile);

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
