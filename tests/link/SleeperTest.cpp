// The pacing schedule of the real sleeper, and the virtual clock.

#include "LinkTestSupport.h"

namespace lumitag::test {
namespace {

using namespace std::chrono_literals;
using TimePoint = std::chrono::steady_clock::time_point;

const TimePoint kStart = TimePoint{} + 1000s;

TEST(SchedulePause, ChainsPausesAndBoundsTheMakeUp)
{
    struct Case {
        const char* what;
        TimePoint schedule;
        std::chrono::microseconds lateness;  // now - schedule
        std::chrono::milliseconds pause;
        std::chrono::microseconds wakeFromNow;
        std::chrono::microseconds scheduleFromNow;
    };
    const Case cases[] = {
        {"first pause", TimePoint{}, 0us, 20ms, 20000us, 20000us},
        {"on time", kStart, 0us, 20ms, 20000us, 20000us},
        {"late wake-up made up", kStart, 3000us, 20ms, 17000us, 17000us},
        {"never below half, debt kept", kStart, 15000us, 20ms, 10000us, 5000us},
        {"long lateness still owed", kStart, 60000us, 20ms, 10000us, -40000us},
        {"stall starts anew", kStart, 120000us, 20ms, 20000us, 20000us},
        {"ahead of schedule", kStart, -5000us, 20ms, 25000us, 25000us},
        {"short pause carries the debt", kStart, 2000us, 1ms, 0us, -1000us},
    };
    for (const auto& c : cases) {
        const TimePoint now = (c.schedule == TimePoint{} ? kStart : c.schedule) + c.lateness;
        TimePoint schedule = c.schedule;
        EXPECT_EQ(SchedulePause(schedule, now, c.pause) - now, c.wakeFromNow) << c.what;
        EXPECT_EQ(schedule - now, c.scheduleFromNow) << c.what;
    }
}

// A thousand pauses: 20 ms ones woken 300 us late, every tenth a 1 ms one
// woken 2 ms late, and once a 30 ms scheduler hiccup: the schedule still ends
// where the pauses add up to, and the last wake-up is on it.
TEST(SchedulePause, LateWakeUpsDoNotAddUp)
{
    TimePoint schedule{};
    TimePoint now = kStart;
    TimePoint wake{};
    std::chrono::milliseconds total{0};
    for (int i = 0; i < 1000; ++i) {
        const auto pause = i % 10 == 9 ? 1ms : 20ms;
        wake = SchedulePause(schedule, now, pause);
        total += pause;
        const std::chrono::microseconds late = i == 500 ? 30000us : pause == 1ms ? 2000us : 300us;
        now = wake + late;
    }
    EXPECT_EQ(schedule, kStart + total);
    EXPECT_EQ(wake, schedule);
}

TEST(VirtualClock, RecordsPausesWithoutSleeping)
{
    VirtualClock clock;
    const auto before = std::chrono::steady_clock::now();
    clock.Pause(1000s);
    clock.Pause(20ms);
    EXPECT_LT(std::chrono::steady_clock::now() - before, 1s);
    EXPECT_EQ(clock.NowMs(), 1000020);
    EXPECT_EQ(clock.Pauses(), (std::vector<long long>{1000000, 20}));
}

}  // namespace
}  // namespace lumitag::test
