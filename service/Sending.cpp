#include "service/Sending.h"

#include <cstdio>
#include <ostream>
#include <streambuf>

#include "l10n/InlineTexts.h"
#include "l10n/Language.h"
#include "link/Frames.h"
#include "model/FileAccess.h"
#include "model/Log.h"
#include "render/SlotImageBuilder.h"
#include "link/WordLimit.h"
#include "service/Session.h"
#include "service/SignIds.h"

namespace lumitag::service {
namespace {

// Collects what the worker writes, so the file is written whole, and only
// once the job has succeeded.
class CollectingBuffer : public std::streambuf {
public:
    explicit CollectingBuffer(std::shared_ptr<std::vector<std::uint8_t>> bytes) : bytes_(std::move(bytes)) {}

protected:
    std::streamsize xsputn(const char* data, std::streamsize count) override
    {
        bytes_->insert(bytes_->end(), data, data + count);
        return count;
    }
    int_type overflow(int_type ch) override
    {
        if (!traits_type::eq_int_type(ch, traits_type::eof()))
            bytes_->push_back(static_cast<std::uint8_t>(traits_type::to_char_type(ch)));
        return traits_type::not_eof(ch);
    }

private:
    std::shared_ptr<std::vector<std::uint8_t>> bytes_;
};

class CollectingStream : public std::ostream {
public:
    explicit CollectingStream(std::shared_ptr<std::vector<std::uint8_t>> bytes)
        : std::ostream(nullptr), buffer_(std::move(bytes))
    {
        rdbuf(&buffer_);
    }

private:
    CollectingBuffer buffer_;
};

Error NoSignOpen() { return MakeError(ErrorCode::NoDevice, "no sign is open"); }

Error BusyError() { return MakeError(ErrorCode::Busy, "another job is still running"); }

Status Started(JobResult result)
{
    switch (result) {
    case JobResult::Success: return {};
    case JobResult::Busy: return BusyError();
    case JobResult::NoDevice: return NoSignOpen();
    case JobResult::SendFailure: break;
    }
    return MakeError(ErrorCode::SendFailure, std::string(fixed_texts::kSendFailure));
}

std::string UnloadableQuestion(const UnloadablePicture& picture)
{
    return "slot " + std::to_string(picture.slot + 1) + ": picture " + picture.path +
           " cannot be loaded; send anyway?";
}

}  // namespace

struct Sending::FileSend {
    std::filesystem::path path;
    std::shared_ptr<std::vector<std::uint8_t>> bytes = std::make_shared<std::vector<std::uint8_t>>();
};

Sending::Sending(Session& session) : session_(session) {}

std::string Sending::WordLimitQuestion(SendTarget target, int overBytes)
{
    const auto& table = target == SendTarget::File ? kWordLimitFile : kWordLimitSend;
    return WordLimitText(table, CurrentLanguage(), OverLimitWords(overBytes));
}

std::string Sending::JobResultText(JobResult result)
{
    switch (result) {
    case JobResult::Success: return {};
    case JobResult::NoDevice: return std::string(fixed_texts::kOpenComFailure);
    case JobResult::SendFailure: return std::string(fixed_texts::kSendFailure);
    case JobResult::Busy: return BusyError().message;
    }
    return std::string(fixed_texts::kSendFailure);
}

Result<PreparedSend> Sending::Prepare(SendTarget target) { return Build(true, target); }

Result<PreparedSend> Sending::PrepareForGroup() { return Build(false, SendTarget::Device); }

Result<PreparedSend> Sending::Build(bool askWordLimit, SendTarget target)
{
    SignProgram& program = session_.Program();
    // A project file given for one run is only read.
    if (!session_.UsesProjectFile() && !program.SaveParams())
        Log(LogLevel::Warning, "the parameters could not be saved before the send");
    const std::string model = session_.ModelName();
    ModelSettings settings;
    ApplyModel(settings, model);
    // A picture that will not load takes no width: the slot would reach the
    // sign shorter than it looks in the list, so the user decides.
    for (const auto& picture : FindUnloadablePictures(model, settings, program)) {
        if (!session_.reporter().Ask(UnloadableQuestion(picture)))
            return MakeError(ErrorCode::PictureDeclined, "not sent: slot " + std::to_string(picture.slot + 1) +
                                                             ": picture " + picture.path + " cannot be loaded");
    }
    PreparedSend data;
    data.params = program.Params();
    SlotWindows windows(&session_.Glyphs());
    windows.SetProgramFolder(session_.ProgramFolder());
    windows.Load(model, settings, program);
    windows.Build(data.tables);
    data.overLimitBytes = ApplyWordLimit(model, data.params, data.tables);
    if (askWordLimit && data.overLimitBytes > 0 &&
        !session_.reporter().Ask(WordLimitQuestion(target, data.overLimitBytes)))
        return MakeError(ErrorCode::WordLimitDeclined, "not sent: the data is over the word limit of " + model);
    return data;
}

Status Sending::StartSend(const PreparedSend& data)
{
    if (!session_.Link().IsConnected()) return NoSignOpen();
    return Started(session_.Worker().StartSend(data.params, data.tables));
}

Status Sending::StartSendToFile(const PreparedSend& data, const std::filesystem::path& path)
{
    SendWorker& worker = session_.Worker();
    // Checked before the pacing changes, so a running sign job keeps its pauses.
    if (worker.IsBusy()) return BusyError();
    auto send = std::make_shared<FileSend>();
    send->path = path;
    session_.SetFileSendRunning(true);
    const JobResult started = worker.StartSend(data.params, data.tables, std::make_unique<CollectingStream>(send->bytes));
    if (started != JobResult::Success) {
        session_.SetFileSendRunning(false);
        return Started(started);
    }
    fileSend_ = send;
    return {};
}

Result<std::size_t> Sending::FinishFileSend(JobResult result)
{
    session_.SetFileSendRunning(false);
    const auto send = std::move(fileSend_);
    if (!send) return MakeError(ErrorCode::BadInput, "no write-to-file send was started");
    if (result != JobResult::Success) {
        if (Status started = Started(result); !started) return started.error();
    }
    const FileResult written = WriteFileAtomically(send->path, *send->bytes);
    if (!written) {
        // The program's own words, with the reason.
        char text[1024];
        std::snprintf(text, sizeof text, std::string(fixed_texts::kWriteProtectedFormat).c_str(), written.error,
                      send->path.c_str());
        return MakeError(ErrorCode::FileWrite, std::string(fixed_texts::kCannotWrite) + ": " + text + " (" +
                                                   Describe(written) + ")");
    }
    return send->bytes->size();
}

Status Sending::GroupJobsOffered()
{
    const DeviceModel* model = session_.Model();
    if (model && model->busModel) return {};
    return MakeError(ErrorCode::NotOffered, "model " + (model ? std::string(model->name) : std::string("(none)")) +
                                                " is no bus model: group operations need Q26, Q27 or Q28");
}

Status Sending::StartGroupJob(const std::vector<int>& ids, GroupMode mode, const PreparedSend* data)
{
    if (Status offered = GroupJobsOffered(); !offered) return offered;
    const std::string model = session_.ModelName();
    if (ids.empty()) return MakeError(ErrorCode::NothingSelected, "no sign ID chosen");
    if (ids.size() > static_cast<std::size_t>(kMaxGroupIds)) return MakeError(ErrorCode::BadInput, "more than 512 sign IDs");
    for (const int id : ids)
        if (!IsValidSignId(id)) return MakeError(ErrorCode::BadInput, "ID >=1 and ID <= 256!");
    if (mode == GroupMode::Send) {
        if (!data) return MakeError(ErrorCode::BadInput, "a group send needs the prepared program");
        if (data->overLimitBytes > 0 && !session_.reporter().Ask(WordLimitQuestion(SendTarget::Device, data->overLimitBytes)))
            return MakeError(ErrorCode::WordLimitDeclined,
                             "not sent: the data is over the word limit of " + model);
    }
    if (!session_.Link().IsConnected()) return NoSignOpen();
    static const PreparedSend kNothing;
    const PreparedSend& sent = mode == GroupMode::Send ? *data : kNothing;
    return Started(session_.Worker().StartGroup(ids, mode, sent.params, sent.tables));
}

Status Sending::StartScan()
{
    if (!session_.Link().IsConnected())
        return MakeError(ErrorCode::NoDevice, std::string(PickText(kConnectDevice)));
    SendWorker& worker = session_.Worker();
    if (worker.IsBusy()) return BusyError();
    session_.Ids().StartScan();
    return Started(worker.StartScan());
}

Status Sending::SendClock()
{
    if (!session_.Link().IsConnected()) return NoSignOpen();
    SendWorker& worker = session_.Worker();
    bool written = true;
    for (const auto& frame : ClockFrames(worker.Settings().protocol, session_.Now()))
        written = worker.WriteFrame(frame) && written;
    if (!written) return MakeError(ErrorCode::SendFailure, std::string(fixed_texts::kCheckTimeError));
    return {};
}

Result<bool> Sending::RequestIdRead()
{
    if (!session_.Link().IsConnected()) return NoSignOpen();
    SendWorker& worker = session_.Worker();
    if (!worker.WriteFrame(IdReadRequestFrame(worker.Settings().protocol)))
        return MakeError(ErrorCode::SendFailure, std::string(fixed_texts::kReadFailure));
    // The link only writes: no reply can ever arrive.
    return false;
}

Status Sending::ChangeId(int oldId, int newId)
{
    if (!IsValidSignId(oldId) || !IsValidSignId(newId)) return MakeError(ErrorCode::BadInput, "ID >=1 and ID <= 256!");
    if (!session_.Link().IsConnected()) return NoSignOpen();
    SendWorker& worker = session_.Worker();
    if (!worker.WriteFrame(IdChangeFrame(worker.Settings().protocol, oldId, newId)))
        return MakeError(ErrorCode::SendFailure, std::string(fixed_texts::kSendFailure));
    return {};
}

MultiIdSend::MultiIdSend(Session& session, Sending& sending) : session_(session), sending_(sending) {}

Status MultiIdSend::Start() { return Start(SelectedIds(session_.Ids())); }

Status MultiIdSend::Start(std::vector<int> ids)
{
    if (running_) return BusyError();
    if (ids.empty()) return MakeError(ErrorCode::NothingSelected, std::string(PickText(kNoIdSelected)));
    for (const int id : ids)
        if (!IsValidSignId(id)) return MakeError(ErrorCode::BadInput, "ID >=1 and ID <= 256!");
    if (!session_.Link().IsConnected()) return NoSignOpen();
    ids_ = std::move(ids);
    position_ = 0;
    stopping_ = false;
    running_ = true;
    return SendPosition();
}

Status MultiIdSend::SendPosition()
{
    const int id = ids_[static_cast<std::size_t>(position_)];
    session_.Worker().SetSignId(id);
    // An ID without a work file sends an empty program; none is created.
    session_.Files().LoadIdProgram(id);
    auto data = sending_.Prepare(SendTarget::Device);
    Status started = data ? sending_.StartSend(*data) : data.status();
    if (!started) End();
    return started;
}

Result<bool> MultiIdSend::OnSendFinished()
{
    if (!running_) return false;
    ++position_;
    if (stopping_ || position_ >= Count()) {
        End();
        return false;
    }
    if (Status next = SendPosition(); !next) return next.error();
    return true;
}

void MultiIdSend::Stop() { stopping_ = running_; }

int MultiIdSend::CurrentSignId() const
{
    return running_ && position_ < Count() ? ids_[static_cast<std::size_t>(position_)] : 0;
}

std::string MultiIdSend::ProgressText() const
{
    return MultiSendText(CurrentLanguage(), CurrentSignId(), Count(), Count() - position_);
}

void MultiIdSend::End()
{
    running_ = false;
    stopping_ = false;
    session_.Worker().SetSignId(session_.CurrentId());
    // The rows show the current ID's program again, as after every send.
    if (!session_.UsesProjectFile()) session_.Files().ReloadCurrent();
}

}  // namespace lumitag::service
