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

// Sleeps on steady_clock until absolute deadlines. Consecutive pauses are
// chained: each deadline is the previous one plus the pause, so the few
// hundred microseconds a wake-up comes late are made up by the next pause
// instead of adding up over thousands of reports. When the caller is further
// behind than the allowed lateness (a slow write, a message box), the schedule
// starts again from now, so no pause is ever cut short by more than that.
class SteadySleeper : public Sleeper {
public:
    explicit SteadySleeper(std::chrono::microseconds lateness = std::chrono::microseconds(1000))
        : lateness_(lateness)
    {
    }
    void Pause(std::chrono::milliseconds duration) override;

private:
    std::mutex mutex_;
    std::chrono::steady_clock::time_point deadline_{};
    std::chrono::microseconds lateness_;
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
