// The pacing of the real sleeper on a scripted clock, and the virtual clock.

#include "LinkTestSupport.h"

namespace lumitag::test {
namespace {

using namespace std::chrono_literals;
using TimePoint = std::chrono::steady_clock::time_point;

const TimePoint kStart = TimePoint{} + 1000s;

// A clock whose sleeps wake at a scripted offset from the time asked for
// (late, or early as after a signal); every reading moves time on by a tick,
// so a spin on it ends.
class ScriptedClock : public PacingClock {
public:
    explicit ScriptedClock(std::vector<std::chrono::microseconds> wakeOffsets) : offsets_(std::move(wakeOffsets)) {}
    TimePoint Now() override
    {
        now_ += kTick;
        return now_;
    }
    void SleepUntil(TimePoint deadline) override
    {
        sleeps_.push_back(deadline);
        const auto offset = next_ < offsets_.size() ? offsets_[next_++] : 0us;
        now_ = std::max(now_, deadline + offset);
    }
    TimePoint Peek() const { return now_; }
    const std::vector<TimePoint>& Sleeps() const { return sleeps_; }

    static constexpr std::chrono::microseconds kTick{5};

private:
    std::vector<std::chrono::microseconds> offsets_;
    std::size_t next_ = 0;
    TimePoint now_ = kStart;
    std::vector<TimePoint> sleeps_;
};

// Each pause on its own: it never ends before its start + its length,
// whatever the wake-up did before (no pause is shortened to make up for a
// late one), and it ends within a few clock readings of that time plus the
// part of its own wake-up's lateness beyond the spin window.
TEST(SteadySleeper, EveryPauseIsAMinimumAndNoneIsShortenedToMakeUp)
{
    struct Case {
        const char* what;
        std::vector<std::chrono::microseconds> wakeOffsets;  // of the consecutive sleeps
        std::vector<std::chrono::milliseconds> pauses;
        std::vector<std::chrono::microseconds> excess;  // of each pause over its length
    };
    const Case cases[] = {
        {"on time", {0us, 0us, 0us}, {20ms, 20ms, 20ms}, {0us, 0us, 0us}},
        {"late wake-up, then the next pause is whole", {4500us, 0us, 0us}, {20ms, 20ms, 370ms}, {3000us, 0us, 0us}},
        {"very late wake-up", {60000us, 0us}, {20ms, 20ms}, {58500us, 0us}},
        {"early wake-ups sleep again", {-10000us, -900us, 0us, -3000us, 0us}, {20ms, 20ms}, {0us, 0us}},
        {"pause shorter than the spin window", {}, {1ms, 1ms, 20ms}, {0us, 0us, 0us}},
    };
    constexpr auto kSlack = 4 * ScriptedClock::kTick;
    for (const auto& c : cases) {
        ScriptedClock clock(c.wakeOffsets);
        SteadySleeper sleeper(clock);
        for (std::size_t i = 0; i < c.pauses.size(); ++i) {
            const TimePoint start = clock.Peek();
            sleeper.Pause(c.pauses[i]);
            const auto length = clock.Peek() - start;
            EXPECT_GE(length, c.pauses[i]) << c.what << ", pause " << i;
            EXPECT_GE(length, c.pauses[i] + c.excess[i]) << c.what << ", pause " << i;
            EXPECT_LE(length, c.pauses[i] + c.excess[i] + kSlack) << c.what << ", pause " << i;
        }
    }
}

// The spin window absorbs a wake-up up to its own length late: such a pause
// ends at its deadline plus a few clock readings.
TEST(SteadySleeper, SleepsToTheSpinWindowAndSpinsTheRest)
{
    ScriptedClock clock({kSpinWindow - 100us, 0us});
    SteadySleeper sleeper(clock);
    const TimePoint start = clock.Peek();
    sleeper.Pause(20ms);
    const auto end = clock.Peek();
    ASSERT_EQ(clock.Sleeps().size(), 1u);
    EXPECT_EQ(clock.Sleeps()[0], start + ScriptedClock::kTick + 20ms - kSpinWindow);
    EXPECT_GE(end, start + 20ms);
    EXPECT_LE(end, start + 20ms + 3 * ScriptedClock::kTick);
}

// A thousand pauses with wake-ups a bit late and one scheduler hiccup: every
// gap is at least its pause, and the total stays close to the sum (the
// hiccup's excess once, the rest absorbed by the spin).
TEST(SteadySleeper, LateWakeUpsLengthenOnlyTheirOwnPause)
{
    std::vector<std::chrono::microseconds> offsets;
    for (int i = 0; i < 1000; ++i) offsets.push_back(i == 500 ? 30000us : 300us);
    ScriptedClock clock(offsets);
    SteadySleeper sleeper(clock);
    const TimePoint first = clock.Peek();
    std::chrono::milliseconds total{0};
    for (int i = 0; i < 1000; ++i) {
        const auto pause = i % 10 == 9 ? 1ms : 20ms;
        const TimePoint start = clock.Peek();
        sleeper.Pause(pause);
        EXPECT_GE(clock.Peek() - start, pause) << i;
        total += pause;
    }
    const auto excess = clock.Peek() - first - total;
    EXPECT_GE(excess, 30000us - kSpinWindow);
    EXPECT_LE(excess, 30000us + 1000 * 4 * ScriptedClock::kTick);
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
