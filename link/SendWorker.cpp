#include "link/SendWorker.h"

#include <cstdio>

#include "model/Log.h"
#include "model/ProgramFolder.h"

namespace lumitag {
namespace {

constexpr std::chrono::milliseconds kReportPause{20};
constexpr std::chrono::milliseconds kFrameDonePause{1};
constexpr std::chrono::milliseconds kScanPause{20};
constexpr std::chrono::milliseconds kScanEndPause{100};
constexpr int kLastScannedId = 254;
constexpr int kRowsWithoutFramePause = 16;

std::string HexLine(std::span<const std::uint8_t> frame)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string line;
    line.reserve(frame.size() * 3);
    for (auto b : frame) {
        line.push_back(kDigits[b >> 4]);
        line.push_back(kDigits[b & 0x0F]);
        line.push_back(' ');
    }
    return line;
}

std::string TimeText(const LocalTime& t)
{
    char text[64];
    std::snprintf(text, sizeof text, "%4d/%02d/%02d %02d:%02d:%02d /n", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return text;
}

int Percent(long long done, long long total) { return total > 0 ? static_cast<int>(done * 100 / total) : 0; }

}  // namespace

// What a job sends, copied when it starts: the caller's tables may change
// while the job runs.
struct SendWorker::Snapshot {
    LinkTarget target;
    SlotParamTable params;
    PackedTables tables;
    std::unique_ptr<std::ostream> output;  // the send's output file, if any
};

SendWorker::SendWorker(HidLink& link, Sleeper& sleeper, const std::filesystem::path& logPath, TimeSource timeSource)
    : link_(link), sleeper_(sleeper), timeSource_(std::move(timeSource))
{
    if (logPath.empty()) return;
    log_.open(logPath, std::ios::out | std::ios::trunc | std::ios::binary);
    if (!log_) {
        Log(LogLevel::Warning, "cannot create the frame log " + logPath.string());
        return;
    }
    LogLine("Create Log File");
    LogLine(TimeText(timeSource_()));
}

SendWorker::~SendWorker() { Wait(); }

std::filesystem::path SendWorker::DefaultLogPath() { return ProgramFolder() / "Debug.Log"; }

bool SendWorker::ApplyModel(std::string_view name)
{
    std::lock_guard lock(settingsMutex_);
    return lumitag::ApplyModel(settings_, name);
}

ModelSettings SendWorker::Settings() const
{
    std::lock_guard lock(settingsMutex_);
    return settings_;
}

void SendWorker::SetSettings(const ModelSettings& settings)
{
    std::lock_guard lock(settingsMutex_);
    settings_ = settings;
}

bool SendWorker::SetSignId(int signId)
{
    if (!IsValidSignId(signId)) return false;
    std::lock_guard lock(settingsMutex_);
    signId_ = signId;
    return true;
}

int SendWorker::SignId() const
{
    std::lock_guard lock(settingsMutex_);
    return signId_;
}

void SendWorker::SetIdMode(bool idMode)
{
    std::lock_guard lock(settingsMutex_);
    idMode_ = idMode;
}

bool SendWorker::IdMode() const
{
    std::lock_guard lock(settingsMutex_);
    return idMode_;
}

void SendWorker::SetEvents(SendEvents* events) { events_ = events; }

void SendWorker::LogLine(const std::string& line)
{
    if (!log_.is_open()) return;
    log_ << line << '\n';
    log_.flush();
}

void SendWorker::LogTime(const char* prefix)
{
    std::lock_guard lock(ioMutex_);
    LogLine(prefix + TimeText(timeSource_()));
}

bool SendWorker::WriteFrame(std::span<const std::uint8_t> frame) { return WriteFrameFor(frame, Settings().rows); }

bool SendWorker::WriteFrameFor(std::span<const std::uint8_t> frame, int rows)
{
    {
        std::lock_guard lock(ioMutex_);
        LogLine(HexLine(frame));
        if (toFile_) {
            if (output_) output_->write(reinterpret_cast<const char*>(frame.data()), frame.size());
            return true;
        }
    }
    bool ok = true;
    for (std::size_t pos = 0; pos < frame.size(); pos += kReportPayload) {
        const auto chunk = frame.subspan(pos, std::min<std::size_t>(kReportPayload, frame.size() - pos));
        // Every chunk is tried even after a failure, as the sign expects the
        // whole frame.
        if (link_.WriteReport(chunk) != kReportBytes) ok = false;
        sleeper_.Pause(kReportPause);
        if (auto* events = Events()) events->Progress(progress_, JobResult::Success, false);
    }
    if (rows != kRowsWithoutFramePause) sleeper_.Pause(kReportPause);
    return ok;
}

namespace {
thread_local bool tInJobThread = false;
}  // namespace

JobResult SendWorker::StartJob(std::function<JobResult()> job)
{
    std::lock_guard lock(jobMutex_);
    if (busy_) return JobResult::Busy;
    busy_ = true;
    ++runningThreads_;
    std::thread([this, job = std::move(job)] {
        tInJobThread = true;
        JobResult result;
        {
            // One job thread at a time runs and reports: a job started from
            // the previous job's closing events waits here until those
            // events have returned, so the worker's events never overlap
            // and keep their order.
            std::lock_guard turn(eventTurn_);
            result = job();
        }
        std::lock_guard lock(jobMutex_);
        if (busy_) {  // a job that ended without FinishJob
            busy_ = false;
            lastResult_ = result;
        }
        --runningThreads_;
        // Notified under the lock: once it is released this thread touches
        // nothing of the worker, which may then be destroyed.
        jobsEnded_.notify_all();
    }).detach();
    return JobResult::Success;
}

void SendWorker::FinishJob(JobResult result)
{
    std::lock_guard lock(jobMutex_);
    lastResult_ = result;
    busy_ = false;
}

JobResult SendWorker::Wait()
{
    std::unique_lock lock(jobMutex_);
    if (!tInJobThread) jobsEnded_.wait(lock, [&] { return runningThreads_ == 0; });
    return lastResult_;
}

JobResult SendWorker::StartSend(const SlotParamTable& params, const PackedTables& tables,
                                std::unique_ptr<std::ostream> toFile)
{
    if (busy_) return JobResult::Busy;
    auto snapshot = std::make_shared<Snapshot>(Snapshot{{Settings(), SignId(), IdMode()}, params, tables, {}});
    snapshot->output = std::move(toFile);
    return StartJob([this, snapshot] { return RunSend(*snapshot); });
}

JobResult SendWorker::RunSend(Snapshot& snapshot)
{
    if (snapshot.output) {
        std::lock_guard lock(ioMutex_);
        output_ = std::move(snapshot.output);
        toFile_ = true;
    }
    LogTime("SendData:");
    const auto plan = BuildSend(snapshot.target, snapshot.params, snapshot.tables);
    JobResult result = JobResult::SendFailure;
    if (plan) {
        result = RunPlan(*plan, snapshot.target.model.rows);
    } else {
        // Nothing can be sent for a protocol no model has; saying "sent" would
        // hide that from the user.
        Log(LogLevel::Error, "send refused: unknown protocol");
    }
    if (toFile_) {
        std::lock_guard lock(ioMutex_);
        if (output_) output_->flush();
        output_.reset();
        toFile_ = false;
    } else if (result != JobResult::Success) {
        if (auto* events = Events()) events->Progress(0, result, true);
    }
    FinishJob(result);
    if (auto* events = Events()) events->SendFinished();
    return result;
}

JobResult SendWorker::RunPlan(const SendPlan& plan, int rows, int index, int count)
{
    if (!link_.IsConnected() && !ToFile()) return JobResult::NoDevice;
    const int base = 100 * index / count;
    long long done = 0;
    for (const auto& step : plan.steps) {
        if (!step.bytes.empty()) {
            done += step.progressUnits;
            progress_ = base + Percent(done, plan.totalUnits) / count;
            if (step.frameDone) frameDone_ = 0;
            if (!WriteFrameFor(step.bytes, rows)) {
                if (plan.doneMessageOnFailure) {
                    progress_ = 100;
                    if (auto* events = Events()) events->Progress(100, JobResult::Success, true);
                }
                return JobResult::SendFailure;
            }
        }
        if (step.pauseMs > 0 && (!ToFile() || step.pauseInFileMode))
            sleeper_.Pause(std::chrono::milliseconds(step.pauseMs));
        if (step.frameDone && !ToFile()) {
            sleeper_.Pause(kFrameDonePause);
            frameDone_ = 1;
        }
    }
    progress_ = 100;
    if (auto* events = Events()) events->Progress(100, JobResult::Success, true);
    return JobResult::Success;
}

JobResult SendWorker::StartGroup(std::vector<int> signIds, GroupMode mode, const SlotParamTable& params,
                                 const PackedTables& tables)
{
    if (busy_) return JobResult::Busy;
    if (signIds.size() > kMaxGroupIds) signIds.resize(kMaxGroupIds);
    auto snapshot = std::make_shared<Snapshot>(Snapshot{{Settings(), SignId(), IdMode()}, params, tables, {}});
    return StartJob([this, snapshot, ids = std::move(signIds), mode] { return RunGroup(*snapshot, ids, mode); });
}

JobResult SendWorker::RunGroup(const Snapshot& snapshot, const std::vector<int>& signIds, GroupMode mode)
{
    SendEvents* events = Events();
    if (!link_.IsConnected()) {
        FinishJob(JobResult::NoDevice);
        if (events) events->Progress(0, JobResult::NoDevice, true);
        return JobResult::NoDevice;
    }
    const int count = static_cast<int>(signIds.size());
    const int rows = snapshot.target.model.rows;
    progress_ = 0;
    int succeeded = 0;
    for (int i = 0; i < count; ++i) {
        LinkTarget target = snapshot.target;
        target.signId = signIds[i];
        frameDone_ = 0;
        if (!IsValidSignId(target.signId)) {
            // Counted as failed: the group result tells the user.
            Log(LogLevel::Warning, "group entry with a sign ID outside 1..256 skipped");
            continue;
        }
        if (mode == GroupMode::PowerOn || mode == GroupMode::PowerOff) {
            progress_ = 100 / count + progress_;
            if (WriteFrameFor(PowerFrame(target.signId, mode == GroupMode::PowerOn), rows)) ++succeeded;
            sleeper_.Pause(kFrameDonePause);
            frameDone_ = 1;
        } else if (mode == GroupMode::Send) {
            const auto plan = BuildBusSend(target, snapshot.params, snapshot.tables);
            if (RunPlan(plan, rows, i, count) == JobResult::Success) ++succeeded;
        }
    }
    progress_ = 100;
    const JobResult result = succeeded == count ? JobResult::Success : JobResult::SendFailure;
    FinishJob(result);
    if (events) events->Progress(100, JobResult::Success, true);
    if (succeeded != count && events) events->GroupResult(succeeded, count);
    return result;
}

JobResult SendWorker::StartScan()
{
    return StartJob([this] { return RunScan(); });
}

JobResult SendWorker::RunScan()
{
    const bool connected = link_.IsConnected();
    const int rows = Settings().rows;
    bool ok = true;
    if (connected) {
        for (int id = 1; id <= kLastScannedId; ++id) {
            if (!WriteFrameFor(ScanFrame(id), rows)) ok = false;
            if (auto* events = Events()) events->ScanProgress(id * 100 / 255, false);
            sleeper_.Pause(kScanPause);
        }
        sleeper_.Pause(kScanEndPause);
    }
    const JobResult result = !connected ? JobResult::NoDevice : ok ? JobResult::Success : JobResult::SendFailure;
    FinishJob(result);
    if (auto* events = Events()) {
        events->ScanProgress(100, true);
        events->ScanFinished();
    }
    return result;
}

bool SendWorker::SendClock()
{
    frameDone_ = 0;
    if (!link_.IsConnected() && !ToFile()) return true;
    const LocalTime now = timeSource_();
    frameDone_ = 1;
    const auto settings = Settings();
    for (const auto& frame : ClockFrames(settings.protocol, now)) WriteFrameFor(frame, settings.rows);
    return true;
}

bool SendWorker::RequestIdRead()
{
    readReply_ = 0;
    const auto settings = Settings();
    WriteFrameFor(IdReadRequestFrame(settings.protocol), settings.rows);
    return true;
}

bool SendWorker::ChangeId(int oldId, int newId)
{
    if (!IsValidSignId(oldId) || !IsValidSignId(newId)) return false;
    const auto settings = Settings();
    WriteFrameFor(IdChangeFrame(settings.protocol, oldId, newId), settings.rows);
    return true;
}

}  // namespace lumitag
