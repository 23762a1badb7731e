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

// Monotonic time and a way to wait on it. The product uses steady_clock;
// tests script a clock whose wake-ups come late or early.
class PacingClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    virtual ~PacingClock() = default;
    virtual TimePoint Now() = 0;
    // Blocks until about `deadline`: the system may wake us late, a
    // scripted clock also early.
    virtual void SleepUntil(TimePoint deadline) = 0;
};

// steady_clock and std::this_thread::sleep_until.
PacingClock& SystemPacingClock();

// The last stretch of a pause is spun rather than slept: a sleeping thread
// is woken up to a few milliseconds late on a loaded machine, while the
// first part of the pause may be late at no cost.
inline constexpr std::chrono::microseconds kSpinWindow{1500};

// Waits until `deadline`: sleeps until kSpinWindow before it, then spins on
// the clock. Never returns before the deadline; returns the time it ended.
PacingClock::TimePoint WaitUntil(PacingClock& clock, PacingClock::TimePoint deadline);

// Every pause the sign needs is a minimum. Each pause ends `duration` after
// the moment it starts, which is after the write it follows has returned, so
// a late wake-up or a slow write only ever lengthens a gap; it is never made
// up by shortening a later pause. The total stays close to the sum of the
// pauses by waking precisely (WaitUntil), not by borrowing.
class SteadySleeper : public Sleeper {
public:
    explicit SteadySleeper(PacingClock& clock = SystemPacingClock()) : clock_(clock) {}
    void Pause(std::chrono::milliseconds duration) override;

private:
    PacingClock& clock_;
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
