#pragma once
// The one object through which the program talks to a sign: it holds the
// current model's link settings, runs the long jobs (a send, a group
// operation, the ID scan) on a thread of their own, reports through
// SendEvents, and sends every frame through WriteFrame, which logs it to
// "Debug.Log" and writes it to the link in 64-byte reports or to a file.

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <ostream>
#include <span>
#include <string_view>
#include <thread>
#include <vector>

#include "link/Frames.h"
#include "link/HidLink.h"
#include "link/LocalTime.h"
#include "link/SendEvents.h"
#include "link/Sleeper.h"

namespace lumitag {

enum class GroupMode : int { PowerOn = 0, PowerOff = 1, Send = 2 };

inline constexpr int kMaxGroupIds = 512;

class SendWorker {
public:
    using TimeSource = std::function<LocalTime()>;

    // Creates the frame log at `logPath` anew (no log when empty).
    SendWorker(HidLink& link, Sleeper& sleeper, const std::filesystem::path& logPath,
               TimeSource timeSource = CurrentLocalTime);
    // Waits for a running job to end.
    ~SendWorker();
    SendWorker(const SendWorker&) = delete;
    SendWorker& operator=(const SendWorker&) = delete;

    // The program folder's "Debug.Log".
    static std::filesystem::path DefaultLogPath();

    // Copies the named model's link settings (see the catalogue's ApplyModel).
    bool ApplyModel(std::string_view name);
    ModelSettings Settings() const;
    void SetSettings(const ModelSettings& settings);
    // The sign the frames address: 1..256; false (unchanged) otherwise.
    bool SetSignId(int signId);
    int SignId() const;
    void SetIdMode(bool idMode);
    bool IdMode() const;
    void SetEvents(SendEvents* events);

    // Logs the frame and writes it: to the output file during a to-file
    // send, else to the link in reports 20 ms apart (and 20 ms more after
    // the last unless the model has 16 rows). True when every report went
    // out whole; a failed report does not stop the rest of the frame.
    bool WriteFrame(std::span<const std::uint8_t> frame);

    // Jobs. Each takes a snapshot of what it sends, so the caller may change
    // its tables at once. Success means the job was started; Busy that
    // another job still runs and nothing was started. A job counts as running
    // until just before its closing events (SendFinished; the final progress
    // of a group; the scan's last progress), so their handlers may start the
    // next job at once; its events follow once those handlers have returned
    // (one worker's events never overlap).
    // `toFile`: write the raw frames of this send to the stream, not the link.
    JobResult StartSend(const SlotParamTable& params, const PackedTables& tables,
                        std::unique_ptr<std::ostream> toFile = nullptr);
    JobResult StartGroup(std::vector<int> signIds, GroupMode mode, const SlotParamTable& params,
                         const PackedTables& tables);
    JobResult StartScan();
    // Waits until every job thread has ended (all its events delivered); the
    // result of the last job. From inside a job's event it only returns that.
    JobResult Wait();
    bool IsBusy() const { return busy_; }

    // Service operations, written at once from the calling thread.
    bool SendClock();
    bool RequestIdRead();
    // False, nothing sent, for an ID outside 1..256.
    bool ChangeId(int oldId, int newId);

    bool FrameDone() const { return frameDone_ != 0; }
    bool ReadReply() const { return readReply_ != 0; }
    int Progress() const { return progress_; }

private:
    struct Snapshot;

    JobResult StartJob(std::function<JobResult()> job);
    // The job's work is over: later jobs may start. Called before the job's
    // closing events.
    void FinishJob(JobResult result);
    JobResult RunSend(Snapshot& snapshot);
    JobResult RunGroup(const Snapshot& snapshot, const std::vector<int>& signIds, GroupMode mode);
    JobResult RunScan();
    // Writes a plan; the sign's own percent p shows as 100*index/count + p/count.
    JobResult RunPlan(const SendPlan& plan, int rows, int index = 0, int count = 1);
    bool WriteFrameFor(std::span<const std::uint8_t> frame, int rows);
    void LogLine(const std::string& line);
    void LogTime(const char* prefix);
    bool ToFile() const { return toFile_; }
    SendEvents* Events() const { return events_.load(); }

    HidLink& link_;
    Sleeper& sleeper_;
    TimeSource timeSource_;

    mutable std::mutex settingsMutex_;
    ModelSettings settings_;
    int signId_ = 1;
    bool idMode_ = false;

    std::atomic<SendEvents*> events_{nullptr};
    std::atomic<int> frameDone_{1};
    std::atomic<int> readReply_{1};
    std::atomic<int> progress_{0};

    // The log and the output file are written from the job thread and from
    // service calls on the user-interface thread.
    std::mutex ioMutex_;
    std::ofstream log_;
    std::unique_ptr<std::ostream> output_;
    std::atomic<bool> toFile_{false};

    // Job threads are detached; the worker counts them and waits for the
    // count to reach zero, so a closing event's handler can start the next
    // job without joining the thread it runs on.
    std::mutex jobMutex_;
    // Held by a job thread while its job runs and reports.
    std::mutex eventTurn_;
    std::condition_variable jobsEnded_;
    int runningThreads_ = 0;
    std::atomic<bool> busy_{false};
    JobResult lastResult_ = JobResult::Success;
};

}  // namespace lumitag
