#include "link/Sleeper.h"

#include <thread>

namespace lumitag {

void SteadySleeper::Pause(std::chrono::milliseconds duration)
{
    using Clock = std::chrono::steady_clock;
    Clock::time_point deadline;
    {
        std::lock_guard lock(mutex_);
        const auto now = Clock::now();
        const bool onSchedule = deadline_ != Clock::time_point{} && now <= deadline_ + lateness_;
        deadline_ = (onSchedule ? deadline_ : now) + duration;
        deadline = deadline_;
    }
    std::this_thread::sleep_until(deadline);
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
