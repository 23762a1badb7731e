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

// Pacing on an absolute schedule: each pause ends `duration` after the
// previous one was due to end, so a wake-up that comes late, or a write that
// takes a while, is made up by the pauses that follow instead of adding up
// over thousands of reports. No pause shrinks below half its length for it;
// the rest of the debt stays on the schedule for the next pauses. A stall of
// more than kScheduleStall (a message box, an idle link) starts a new
// schedule. `schedule` (a default time point: none yet) is moved on; the
// result is when this pause ends.
inline constexpr std::chrono::milliseconds kScheduleStall{100};
std::chrono::steady_clock::time_point SchedulePause(std::chrono::steady_clock::time_point& schedule,
                                                    std::chrono::steady_clock::time_point now,
                                                    std::chrono::milliseconds duration);

// Sleeps on steady_clock until the ends given by SchedulePause, one schedule
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
