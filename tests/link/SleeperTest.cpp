// The pacing schedule of the real sleeper, and the virtual clock.

#include "LinkTestSupport.h"

namespace lumitag::test {
namespace {

using namespace std::chrono_literals;
using TimePoint = std::chrono::steady_clock::time_point;

const TimePoint kStart = TimePoint{} + 1000s;

TEST(NextDeadline, ChainsPausesAndBoundsTheMakeUp)
{
    struct Case {
        const char* what;
        TimePoint previous;
        std::chrono::microseconds lateness;  // now - previous
        std::chrono::milliseconds pause;
        std::chrono::microseconds expectedFromNow;
    };
    const Case cases[] = {
        {"first pause", TimePoint{}, 0us, 20ms, 20000us},
        {"on time", kStart, 0us, 20ms, 20000us},
        {"late wake-up made up", kStart, 3000us, 20ms, 17000us},
        {"never below half", kStart, 15000us, 20ms, 10000us},
        {"stall starts anew", kStart, 120000us, 20ms, 20000us},
        {"long lateness still made up", kStart, 60000us, 20ms, 10000us},
        {"ahead of schedule", kStart, -5000us, 20ms, 25000us},
        {"short pause carries the debt", kStart, 2000us, 1ms, 0us},
    };
    for (const auto& c : cases) {
        const TimePoint now = (c.previous == TimePoint{} ? kStart : c.previous) + c.lateness;
        EXPECT_EQ(NextDeadline(c.previous, now, c.pause) - now, c.expectedFromNow) << c.what;
    }
}

// A thousand 20 ms pauses, each woken 300 µs late, and a 1 ms pause woken
// 2 ms late every tenth time: the schedule ends where the pauses add up to.
TEST(NextDeadline, LateWakeUpsDoNotAddUp)
{
    TimePoint deadline{};
    TimePoint now = kStart;
    std::chrono::milliseconds total{0};
    for (int i = 0; i < 1000; ++i) {
        const auto pause = i % 10 == 9 ? 1ms : 20ms;
        deadline = NextDeadline(deadline, now, pause);
        total += pause;
        now = deadline + (pause == 1ms ? 2000us : 300us);
    }
    EXPECT_EQ(deadline, kStart + total);
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
