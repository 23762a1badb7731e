#pragma once
// Sending and the other device operations, for every front end.
//
// A send is prepared first (parameters saved, slot images built and packed,
// questions asked through Reporter::Ask), then started as a job on the send
// worker. The job reports through the SendEvents the front end gave the
// session (Session::SetEvents); a GUI forwards them by queued connections,
// the CLI waits with Worker().Wait(). The worker refuses a job while another
// runs (Busy), so the front ends need not guard against double clicks.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "link/PackedImage.h"
#include "link/SendWorker.h"
#include "model/SlotParamTable.h"
#include "service/Error.h"

namespace lumitag::service {

class Session;

// What the word-limit question says: the send's or the write-to-file's words.
enum class SendTarget { Device, File };

// The data of one send, built from the current program.
struct PreparedSend {
    SlotParamTable params;
    PackedTables tables;
    int overLimitBytes = 0;  // > 0: the data was cut to the model's word limit
};

class Sending {
public:
    explicit Sending(Session& session);

    // Saves the parameters (a project file bound with --project is only
    // read), asks "slot N: picture P cannot be loaded; send anyway?" for each
    // sent slot whose picture no longer loads (no: PictureDeclined; yes: the
    // picture takes no width), opens nothing, builds the ten slot images
    // (written to Image/) into the tables and applies the model's word limit,
    // asking the question of `target` when the data was cut (no:
    // WordLimitDeclined).
    Result<PreparedSend> Prepare(SendTarget target = SendTarget::Device);
    // The same without the word-limit question, for a group send, whose
    // question StartGroupJob asks.
    Result<PreparedSend> PrepareForGroup();

    // Starts the send job to the current sign: NoDevice when none is open,
    // Busy while a job runs.
    Status StartSend(const PreparedSend& data);

    // Starts a send job whose raw frames go to `path` instead of a sign (no
    // sign needed). The file is written whole by FinishFileSend once the job
    // has ended, so a failed job leaves no half file.
    Status StartSendToFile(const PreparedSend& data, const std::filesystem::path& path);
    // After the to-file job has ended (SendFinished): writes the file when
    // `result` is Success. FileWrite with the program's "Can't write to file"
    // words when it cannot. The number of bytes written.
    Result<std::size_t> FinishFileSend(JobResult result);

    // Group jobs are offered on bus models only (Tools > Group Send):
    // NotOffered on any other.
    Status GroupJobsOffered();

    // The group job: power on/off, or the program to each sign (mode Send,
    // with `data` from PrepareForGroup; the word-limit question is asked
    // here). NothingSelected for no ID, BadInput for an ID outside 1..256 or
    // more than 512, NotOffered on a model that is no bus model, NoDevice,
    // Busy.
    Status StartGroupJob(const std::vector<int>& ids, GroupMode mode, const PreparedSend* data = nullptr);

    // The ID scan over IDs 1..254; marks every registry record not answered.
    // NoDevice with "Please connect a usb device!" in the user's language.
    Status StartScan();

    // Service frames, written at once on the calling thread. Each reports
    // the truth: NoDevice when no sign is open, SendFailure when a report
    // could not be written.
    Status SendClock();
    // Writes the ID read request. The link only writes, so no reply can
    // arrive: the value is whether a reply came (always false today).
    Result<bool> RequestIdRead();
    // BadInput "ID >=1 and ID <= 256!" for an ID outside 1..256.
    Status ChangeId(int oldId, int newId);

    // The word-limit question in the current language.
    static std::string WordLimitQuestion(SendTarget target, int overBytes);
    // The message of a finished job's result code ("" for Success).
    static std::string JobResultText(JobResult result);

private:
    Result<PreparedSend> Build(bool askWordLimit, SendTarget target);

    Session& session_;
    struct FileSend;
    std::shared_ptr<FileSend> fileSend_;
};

// The RS-485 series: the current program sent to each ID selected in the
// registry, one job per ID, while a progress dialog (or the CLI) counts them.
//
//   MultiIdSend series(session, sending);
//   series.Start();                 // sends the first ID
//   on each SendFinished:  series.OnSendFinished();   // next ID, or the end
//   series.Stop();                  // ends after the current ID
//
// At the end the current ID's program is loaded again.
class MultiIdSend {
public:
    MultiIdSend(Session& session, Sending& sending);

    // Starts over the IDs 1..255 selected for sending, in increasing order:
    // NothingSelected with "No ID selected?" in the user's language when
    // there is none, NoDevice without a sign. The first ID's send is
    // prepared and started; a failure there ends the series.
    Status Start();
    // The same over a given list (tests, the CLI's --ids).
    Status Start(std::vector<int> ids);

    // Moves on after a send job finished: loads the next ID's work file,
    // prepares and starts its send. Returns Running() afterwards; a failure
    // to prepare or start ends the series and is returned as the error.
    Result<bool> OnSendFinished();
    // The series ends when the current ID's job finishes.
    void Stop();

    bool Running() const { return running_; }
    int Position() const { return position_; }  // IDs done
    int Count() const { return static_cast<int>(ids_.size()); }
    int CurrentSignId() const;  // 0 when not running
    const std::vector<int>& Ids() const { return ids_; }
    // "Setting ID：3，Total:2，Last:2" in the current language.
    std::string ProgressText() const;

private:
    Status SendPosition();
    void End();

    Session& session_;
    Sending& sending_;
    std::vector<int> ids_;
    int position_ = 0;
    bool running_ = false;
    bool stopping_ = false;
};

}  // namespace lumitag::service
