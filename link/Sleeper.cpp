#include "link/Sleeper.h"

#include <thread>

namespace lumitag {
namespace {

class SteadyPacingClock : public PacingClock {
public:
    TimePoint Now() override { return std::chrono::steady_clock::now(); }
    void SleepUntil(TimePoint deadline) override { std::this_thread::sleep_until(deadline); }
};

}  // namespace

PacingClock& SystemPacingClock()
{
    static SteadyPacingClock clock;
    return clock;
}

PacingClock::TimePoint WaitUntil(PacingClock& clock, PacingClock::TimePoint deadline)
{
    auto now = clock.Now();
    // A sleep may also end early (a signal, a scripted clock): sleep again
    // while the spin window is still ahead.
    while (now < deadline - kSpinWindow) {
        clock.SleepUntil(deadline - kSpinWindow);
        now = clock.Now();
    }
    // No yield here: on a busy machine a yielding thread can lose its core
    // for a whole time slice, longer than the window itself.
    while (now < deadline) now = clock.Now();
    return now;
}

void SteadySleeper::Pause(std::chrono::milliseconds duration)
{
    WaitUntil(clock_, clock_.Now() + duration);
}

void VirtualClock::Pause(std::chrono::milliseconds duration)
{
    std::lock_guard lock(mutex_);
    now_ += duration.count();
    pauses_.push_back(duration.count());
}

long long VirtualClock::NowMs() const
{
    std::lock_guard lock(mutex_);
    return now_;
}

std::vector<long long> VirtualClock::Pauses() const
{
    std::lock_guard lock(mutex_);
    return pauses_;
}

}  // namespace lumitag
