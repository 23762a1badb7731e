#include "link/Sleeper.h"

#include <algorithm>
#include <thread>

namespace lumitag {

std::chrono::steady_clock::time_point SchedulePause(std::chrono::steady_clock::time_point& schedule,
                                                    std::chrono::steady_clock::time_point now,
                                                    std::chrono::milliseconds duration)
{
    using TimePoint = std::chrono::steady_clock::time_point;
    if (schedule == TimePoint{} || now > schedule + kScheduleStall) {
        schedule = now + duration;
        return schedule;
    }
    schedule += duration;
    return std::max(schedule, now + duration / 2);
}

void SteadySleeper::Pause(std::chrono::milliseconds duration)
{
    thread_local std::chrono::steady_clock::time_point schedule{};
    std::this_thread::sleep_until(SchedulePause(schedule, std::chrono::steady_clock::now(), duration));
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
