#pragma once
// Every pause of the link goes through a Sleeper, so tests can run the
// protocols on a virtual clock and the product can keep an exact schedule.

#include <chrono>
#include <mutex>
#include <vector>

namespace lumitag {

class Sleeper {
public:
    virtual ~Sleeper() = default;
    virtual void Pause(std::chrono::milliseconds duration) = 0;
};

// The deadline of a pause of `duration` asked for at `now`, when the
// previous pause of this thread ended at `previous` (a default time point:
// none). Pauses are chained on an absolute schedule, so a wake-up that comes
// late, or a write that takes a while, is made up by the next pause instead
// of adding up over thousands of reports; no pause shrinks below half its
// length for it (the debt carries to the next one). A stall of more than
// kScheduleStall (a message box, an idle link) starts a new schedule.
inline constexpr std::chrono::milliseconds kScheduleStall{100};
std::chrono::steady_clock::time_point NextDeadline(std::chrono::steady_clock::time_point previous,
                                                   std::chrono::steady_clock::time_point now,
                                                   std::chrono::milliseconds duration);

// Sleeps on steady_clock until the deadlines of NextDeadline, one schedule
// per thread (a service frame of the window thread does not disturb the
// pacing of a job).
class SteadySleeper : public Sleeper {
public:
    void Pause(std::chrono::milliseconds duration) override;
};

// A clock that never sleeps: Pause moves virtual time forward and records the
// pause. Thread-safe, for tests and tools.
class VirtualClock : public Sleeper {
public:
    void Pause(std::chrono::milliseconds duration) override;
    // Virtual milliseconds since construction.
    long long NowMs() const;
    // Every pause in order, in milliseconds.
    std::vector<long long> Pauses() const;
    long long TotalPausedMs() const { return NowMs(); }

private:
    mutable std::mutex mutex_;
    long long now_ = 0;
    std::vector<long long> pauses_;
};

}  // namespace lumitag
