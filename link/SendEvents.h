#pragma once
// What the send worker tells the main window, in the order it happens. Each
// call carries the content of one of the original window messages; the GUI
// adapts them to queued Qt signals, the CLI prints progress from them. Calls
// come from the thread that runs the job (or the service call), and the
// caller waits for them. The events of one worker's jobs come one at a time,
// in order; a closing event's handler may start the next job, whose events
// follow after that handler has returned.

namespace lumitag {

// Job result codes (the main window's error box texts are keyed by them).
enum class JobResult : int {
    Success = 0,
    NoDevice = 1,     // no device open and not writing to a file
    SendFailure = 3,  // a frame could not be written
    Busy = 5,         // refused: another job is still running
};

class SendEvents {
public:
    virtual ~SendEvents() = default;
    // Progress of a send (WM_USER+100): done marks the end of a job, with its
    // result code.
    virtual void Progress(int percent, JobResult code, bool done) { (void)percent, (void)code, (void)done; }
    // End of a group operation in which some signs failed (WM_USER+101).
    virtual void GroupResult(int succeeded, int count) { (void)succeeded, (void)count; }
    // The ID scan has finished (WM_USER+103).
    virtual void ScanFinished() {}
    // A send job has finished (WM_USER+104, posted).
    virtual void SendFinished() {}
    // Progress of the ID scan (WM_USER+105); end is set on the last one.
    virtual void ScanProgress(int percent, bool end) { (void)percent, (void)end; }
};

}  // namespace lumitag
