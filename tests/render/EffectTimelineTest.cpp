// The effect timeline: what the sign shows of a slot at a given moment.
// The content pictures here encode their own column and row in every pixel,
// so a test can tell exactly which content LED lands where.

#include "render/EffectTimeline.h"
#include "render/EffectTiming.h"
#include "render/SignColours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>

namespace lumitag {
namespace {

using namespace std::chrono_literals;

constexpr QRgb kBlack = kSignBlack;

// Every pixel lit, carrying (column + 1) in green/red and (row + 1) in blue;
// `tag` tells frame 0 from frame 1.
QImage Content(int width, int rows, int tag = 0)
{
    QImage image(width, rows, QImage::Format_ARGB32);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, 0xFF000000u | (static_cast<QRgb>(tag) << 22) | (static_cast<QRgb>(x + 1) << 8) |
                                     static_cast<QRgb>(y + 1));
    return image;
}

struct Led {
    int column;
    int row;
    int tag;
    bool operator==(const Led&) const = default;
};

std::optional<Led> Decode(QRgb pixel)
{
    if (pixel == kBlack) return std::nullopt;
    return Led{static_cast<int>((pixel >> 8) & 0x3FFF) - 1, static_cast<int>(pixel & 0xFF) - 1,
               static_cast<int>((pixel >> 22) & 0x3)};
}

// The content LED shown at screen (x, y), if any.
std::optional<Led> At(const QImage& picture, int x, int y) { return Decode(picture.pixel(x, y)); }

bool AllDark(const QImage& picture)
{
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != kBlack) return false;
    return true;
}

int LitCount(const QImage& picture)
{
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) count += picture.pixel(x, y) != kBlack;
    return count;
}

// Whether the picture shows the content placed with its column 0 at screen
// column `originX` and its row 0 at screen row `originY`, black elsewhere.
::testing::AssertionResult ShowsAt(const QImage& picture, int contentWidth, int originX, int originY,
                                    int tag = 0)
{
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int column = x - originX;
            const int row = y - originY;
            const bool inside = column >= 0 && column < contentWidth && row >= 0 && row < picture.height();
            const auto led = At(picture, x, y);
            if (inside && (!led || *led != Led{column, row, tag}))
                return ::testing::AssertionFailure() << "at (" << x << "," << y << ") expected content (" << column
                                                     << "," << row << ")";
            if (!inside && led)
                return ::testing::AssertionFailure() << "at (" << x << "," << y << ") expected dark, got ("
                                                     << led->column << "," << led->row << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

// The first moment a move of `steps` at `perSecond` has been made.
Millis After(int steps, int perSecond) { return Millis((steps * 1000 + perSecond - 1) / perSecond); }

int Cps(int speed) { return timing::kColumnsPerSecond[static_cast<std::size_t>(speed)]; }
int Rps(int speed) { return timing::kRowsPerSecond[static_cast<std::size_t>(speed)]; }

EffectParams Params(Effect effect, int speed = 3, int time = 0, bool blink = false, bool marquee = false)
{
    return EffectParams{effect, speed, time, blink, marquee};
}

constexpr SignArea kArea{8, 4};

// --- the effect menus and the visible area ---------------------------------

struct MenuCase {
    int menu;
    int code;
    Effect effect;
};

TEST(EffectOfTest, ReadsTheModelsMenu)
{
    const MenuCase cases[] = {
        {0, 0, Effect::Left},  {0, 1, Effect::Right}, {0, 2, Effect::Up},       {0, 3, Effect::Down},
        {0, 4, Effect::Fix},   {0, 5, Effect::Animation}, {0, 6, Effect::Snow}, {0, 7, Effect::Middle},
        {1, 0, Effect::Fix},   {1, 1, Effect::Left},  {1, 2, Effect::Right},    {1, 5, Effect::Snow},
        {1, 6, Effect::Blink}, {2, 4, Effect::Fix},   {2, 5, Effect::Animation}, {2, 6, Effect::Snow},
        // Outside the menu: played as Fix, the way the bus frames send it.
        {1, 7, Effect::Fix},   {2, 7, Effect::Fix},   {0, -1, Effect::Fix},     {0, 99, Effect::Fix},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EffectOf(c.menu, c.code), c.effect) << "menu " << c.menu << " code " << c.code;
}

TEST(EffectOfTest, ParamsComeFromTheSlotsFields)
{
    SlotParamTable table;
    table.at(SlotField::effect, 4) = 6;
    table.at(SlotField::speed, 4) = 7;
    table.at(SlotField::time, 4) = 2;
    table.at(SlotField::blink, 4) = 1;
    table.at(SlotField::marquee, 4) = 1;
    EXPECT_EQ(EffectParamsOf(table, 4, 1), (EffectParams{Effect::Blink, 7, 2, true, true}));
    EXPECT_EQ(EffectParamsOf(table, 3, 1), (EffectParams{Effect::Fix, 0, 0, false, false}));
}

struct AreaCase {
    const char* model;
    SignArea area;
};

TEST(SignAreaTest, FollowsTheModel)
{
    const AreaCase cases[] = {
        {"Q36", {256, 16}}, {"Q29", {48, 16}},  {"Q15", {44, 12}}, {"Q14", {33, 12}},
        {"Q07", {32, 7}},   {"Q13", {224, 7}},  {"Q26", {64, 16}}, {"Q28", {128, 16}},
        {"Q01", {timing::kUnknownVisibleWidth, 7}}, {"Q24", {timing::kUnknownVisibleWidth, 12}},
    };
    for (const auto& c : cases) {
        ModelSettings settings;
        ASSERT_TRUE(ApplyModel(settings, c.model));
        EXPECT_EQ(SignAreaOf(c.model, settings), c.area) << c.model;
    }
}

// --- sideways scrolls ---------------------------------------------------------

TEST(EffectTimelineTest, LeftEntersAtTheRightEdgeAndLeavesAtTheLeft)
{
    const int width = 5;
    const EffectTimeline timeline(Content(width, 4), {}, Params(Effect::Left), kArea);
    const int cps = Cps(3);
    EXPECT_TRUE(AllDark(timeline.PictureAt(0ms)));
    // k columns in, the message's first column stands at 8 - k.
    for (int k : {1, 2, 5, 8, 10, 12}) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(ShowsAt(timeline.PictureAt(After(k, cps)), width, kArea.width - k, 0));
    }
    // The last column is the last to go, at the left edge.
    const QImage last = timeline.PictureAt(After(kArea.width + width - 1, cps));
    EXPECT_EQ(At(last, 0, 0), (Led{width - 1, 0, 0}));
    EXPECT_EQ(LitCount(last), 4);
    EXPECT_EQ(timeline.CycleLength(), After(kArea.width + width, cps));
    EXPECT_TRUE(AllDark(timeline.PictureAt(timeline.CycleLength())));
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(timeline.CycleLength() + After(3, cps)), width, 5, 0));
}

QImage Mirrored(const QImage& image) { return image.mirrored(true, false); }

struct MirrorCase {
    int contentWidth;
    int time;
};

TEST(EffectTimelineTest, RightIsLeftMirrored)
{
    for (const MirrorCase c : {MirrorCase{5, 0}, MirrorCase{13, 0}, MirrorCase{16, 1}}) {
        SCOPED_TRACE(c.contentWidth);
        const QImage content = Content(c.contentWidth, 4);
        const EffectTimeline left(Mirrored(content), {}, Params(Effect::Left, 5, c.time), kArea);
        const EffectTimeline right(content, {}, Params(Effect::Right, 5, c.time), kArea);
        ASSERT_EQ(left.CycleLength(), right.CycleLength());
        for (Millis t = 0ms; t < right.CycleLength(); t += 37ms)
            ASSERT_EQ(right.PictureAt(t), Mirrored(left.PictureAt(t))) << t.count();
    }
}

TEST(EffectTimelineTest, LeftWithDwellStopsOnEveryPage)
{
    // 12 columns on an 8-wide sign: two pages, each held for the dwell time.
    const EffectTimeline timeline(Content(12, 4), {}, Params(Effect::Left, 3, 2), kArea);
    const Millis move = After(kArea.width, Cps(3));
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(move), 12, 0, 0));
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(move + 1999ms), 12, 0, 0));
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(move + 2000ms + After(3, Cps(3))), 12, -3, 0));
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(2 * move + 2000ms + 1000ms), 12, -8, 0));
    EXPECT_EQ(timeline.CycleLength(), 3 * move + 2 * 2000ms);
}

// --- cycle length ---------------------------------------------------------------

struct CycleCase {
    Effect effect;
    int contentWidth;
    int speed;
    int time;
    Millis expected;
};

TEST(EffectTimelineTest, CycleFollowsContentWidthSpeedAndTime)
{
    const auto move = [](int steps, int perSecond) { return After(steps, perSecond); };
    const CycleCase cases[] = {
        {Effect::Left, 5, 0, 0, move(13, Cps(0))},
        {Effect::Left, 50, 0, 0, move(58, Cps(0))},
        {Effect::Left, 50, 7, 0, move(58, Cps(7))},
        {Effect::Right, 50, 7, 0, move(58, Cps(7))},
        {Effect::Left, 20, 2, 3, 4 * move(8, Cps(2)) + 3 * 3000ms},
        {Effect::Up, 20, 4, 1, 3 * (2 * move(4, Rps(4)) + 1000ms)},
        {Effect::Down, 5, 4, 0, 2 * move(4, Rps(4))},
        {Effect::Fix, 5, 0, 4, 4000ms},
        {Effect::Fix, 17, 0, 4, 3 * 4000ms},
        {Effect::Fix, 5, 0, 0, Millis(timing::kStillWhenNoDwellMs)},
        {Effect::Animation, 17, 6, 1, 3 * Millis(timing::kAnimationPageMs[6]) + 1000ms},
        {Effect::Snow, 9, 1, 2, 2 * (2 * move(8, Cps(1)) + 2000ms)},
        {Effect::Middle, 8, 5, 0, 2 * move(4, Cps(5)) + Millis(timing::kStillWhenNoDwellMs)},
        {Effect::Blink, 8, 5, 1, Millis(((1000 + timing::kBlinkLitMs + timing::kBlinkDarkMs - 1) /
                                         (timing::kBlinkLitMs + timing::kBlinkDarkMs)) *
                                        (timing::kBlinkLitMs + timing::kBlinkDarkMs))},
    };
    for (const auto& c : cases) {
        const EffectTimeline timeline(Content(c.contentWidth, 4), {}, Params(c.effect, c.speed, c.time), kArea);
        EXPECT_EQ(timeline.CycleLength(), c.expected)
            << "effect " << static_cast<int>(c.effect) << " width " << c.contentWidth << " speed " << c.speed;
    }
    // Faster is shorter, wider is longer.
    EXPECT_LT(EffectTimeline(Content(30, 4), {}, Params(Effect::Left, 7), kArea).CycleLength(),
              EffectTimeline(Content(30, 4), {}, Params(Effect::Left, 6), kArea).CycleLength());
    EXPECT_GT(EffectTimeline(Content(31, 4), {}, Params(Effect::Left, 6), kArea).CycleLength(),
              EffectTimeline(Content(30, 4), {}, Params(Effect::Left, 6), kArea).CycleLength());
}

// --- still effects ----------------------------------------------------------------

TEST(EffectTimelineTest, FixHoldsEachPageForTheDwellTime)
{
    const EffectTimeline timeline(Content(12, 4), {}, Params(Effect::Fix, 0, 3), kArea);
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(0ms), 12, 0, 0));
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(2999ms), 12, 0, 0));
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(3000ms), 12, -8, 0));
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(6000ms), 12, 0, 0));
}

TEST(EffectTimelineTest, AnimationShowsThePagesInTurnAndHoldsTheLast)
{
    const EffectTimeline timeline(Content(20, 4), {}, Params(Effect::Animation, 2, 1), kArea);
    const Millis page(timing::kAnimationPageMs[2]);
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(page - 1ms), 20, 0, 0));
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(page), 20, -8, 0));
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(2 * page), 20, -16, 0));
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(3 * page + 999ms), 20, -16, 0));
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(3 * page + 1000ms), 20, 0, 0));
}

struct BlinkCase {
    Millis t;
    bool lit;
};

TEST(EffectTimelineTest, BlinkEffectAndBlinkFlagAlternateLitAndDark)
{
    const Millis lit(timing::kBlinkLitMs);
    const Millis period(timing::kBlinkLitMs + timing::kBlinkDarkMs);
    const BlinkCase cases[] = {
        {0ms, true}, {lit - 1ms, true}, {lit, false}, {period - 1ms, false}, {period, true}, {period + lit, false},
    };
    const EffectTimeline blinkEffect(Content(6, 4), {}, Params(Effect::Blink, 0, 2), kArea);
    const EffectTimeline fixWithFlag(Content(6, 4), {}, Params(Effect::Fix, 0, 5, true), kArea);
    const EffectTimeline leftWithFlag(Content(6, 4), {}, Params(Effect::Left, 0, 0, true), kArea);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.t.count());
        EXPECT_EQ(!AllDark(blinkEffect.PictureAt(c.t)), c.lit);
        EXPECT_EQ(!AllDark(fixWithFlag.PictureAt(c.t)), c.lit);
        if (c.lit) {
            EXPECT_TRUE(ShowsAt(fixWithFlag.PictureAt(c.t), 6, 0, 0));
        }
        // The scroll goes on while dark: lit again, it has moved on.
        const Millis moving = c.t + 2 * period;
        if (c.lit)
            EXPECT_FALSE(AllDark(leftWithFlag.PictureAt(moving)));
        else
            EXPECT_TRUE(AllDark(leftWithFlag.PictureAt(moving)));
    }
}

TEST(EffectTimelineTest, AnimationFramesAlternate)
{
    const Millis half(timing::kFrameAlternationMs);
    const EffectTimeline timeline(Content(6, 4, 0), Content(6, 4, 1), Params(Effect::Fix, 0, 5), kArea);
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(0ms), 6, 0, 0, 0));
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(half - 1ms), 6, 0, 0, 0));
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(half), 6, 0, 0, 1));
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(2 * half), 6, 0, 0, 0));
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(3 * half + 1ms), 6, 0, 0, 1));
    // Without a second frame the first one stays.
    const EffectTimeline single(Content(6, 4, 0), {}, Params(Effect::Fix, 0, 5), kArea);
    EXPECT_TRUE(ShowsAt(single.PictureAt(half), 6, 0, 0, 0));
}

// --- vertical scrolls ---------------------------------------------------------------

struct VerticalCase {
    Effect effect;
    int rowsMoved;  // while entering
    int originY;
};

TEST(EffectTimelineTest, UpAndDownMoveByRows)
{
    const int rps = Rps(3);
    const VerticalCase entering[] = {
        {Effect::Up, 1, 3}, {Effect::Up, 3, 1}, {Effect::Down, 1, -3}, {Effect::Down, 3, -1},
    };
    for (const auto& c : entering) {
        const EffectTimeline timeline(Content(6, 4), {}, Params(c.effect, 3, 1), kArea);
        EXPECT_TRUE(ShowsAt(timeline.PictureAt(After(c.rowsMoved, rps)), 6, 0, c.originY))
            << static_cast<int>(c.effect) << " " << c.rowsMoved;
    }
    // In place for the dwell, then out the far side.
    const Millis in = After(4, rps);
    const EffectTimeline up(Content(6, 4), {}, Params(Effect::Up, 3, 1), kArea);
    const EffectTimeline down(Content(6, 4), {}, Params(Effect::Down, 3, 1), kArea);
    EXPECT_TRUE(ShowsAt(up.PictureAt(in + 999ms), 6, 0, 0));
    EXPECT_TRUE(ShowsAt(up.PictureAt(in + 1000ms + After(2, rps)), 6, 0, -2));
    EXPECT_TRUE(ShowsAt(down.PictureAt(in + 1000ms + After(2, rps)), 6, 0, 2));
}

// --- snow and middle ----------------------------------------------------------------

TEST(EffectTimelineTest, SnowFillsThePageThenClearsIt)
{
    const EffectTimeline timeline(Content(8, 4), {}, Params(Effect::Snow, 3, 1), kArea);
    const Millis fill = After(kArea.width, Cps(3));
    EXPECT_TRUE(AllDark(timeline.PictureAt(0ms)));
    int previous = 0;
    QImage previousPicture = timeline.PictureAt(0ms);
    for (Millis t = 10ms; t < fill; t += 10ms) {
        const QImage picture = timeline.PictureAt(t);
        const int lit = LitCount(picture);
        EXPECT_GE(lit, previous);
        // Once a flake has landed it stays, on its own place.
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 8; ++x) {
                if (previousPicture.pixel(x, y) != kBlack) {
                    EXPECT_EQ(picture.pixel(x, y), previousPicture.pixel(x, y));
                }
                if (const auto led = At(picture, x, y)) {
                    EXPECT_EQ(*led, (Led{x, y, 0}));
                }
            }
        previous = lit;
        previousPicture = picture;
    }
    const QImage halfway = timeline.PictureAt(fill / 2);
    EXPECT_GT(LitCount(halfway), 8);
    EXPECT_LT(LitCount(halfway), 24);
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(fill), 8, 0, 0));
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(fill + 999ms), 8, 0, 0));
    const int clearing = LitCount(timeline.PictureAt(fill + 1000ms + fill / 2));
    EXPECT_GT(clearing, 8);
    EXPECT_LT(clearing, 24);
    EXPECT_LE(LitCount(timeline.PictureAt(timeline.CycleLength() - 1ms)), 1);
    // The same program snows the same way every time.
    const EffectTimeline again(Content(8, 4), {}, Params(Effect::Snow, 3, 1), kArea);
    EXPECT_EQ(again.PictureAt(fill / 3), timeline.PictureAt(fill / 3));
}

TEST(EffectTimelineTest, SnowIsScatteredNotAWipe)
{
    const SignArea area{32, 8};
    const EffectTimeline timeline(Content(32, 8), {}, Params(Effect::Snow, 0, 1), area);
    const QImage quarter = timeline.PictureAt(After(area.width, Cps(0)) / 4);
    int leftHalf = 0;
    int rightHalf = 0;
    for (int y = 0; y < area.rows; ++y)
        for (int x = 0; x < area.width; ++x)
            (x < area.width / 2 ? leftHalf : rightHalf) += quarter.pixel(x, y) != kBlack;
    EXPECT_GT(leftHalf, 10);
    EXPECT_GT(rightHalf, 10);
}

TEST(EffectTimelineTest, MiddleOpensFromTheCentreAndCloses)
{
    const EffectTimeline timeline(Content(8, 4), {}, Params(Effect::Middle, 3, 1), kArea);
    const int cps = Cps(3);
    EXPECT_TRUE(AllDark(timeline.PictureAt(0ms)));
    for (int open = 1; open <= 3; ++open) {
        const QImage picture = timeline.PictureAt(After(open, cps));
        for (int x = 0; x < 8; ++x) {
            const bool shown = x >= 4 - open && x < 4 + open;
            EXPECT_EQ(picture.pixel(x, 1) != kBlack, shown) << "open " << open << " column " << x;
            if (shown) {
                EXPECT_EQ(At(picture, x, 1), (Led{x, 1, 0}));
            }
        }
    }
    const Millis opened = After(4, cps);
    EXPECT_TRUE(ShowsAt(timeline.PictureAt(opened + 999ms), 8, 0, 0));
    const QImage closing = timeline.PictureAt(opened + 1000ms + After(1, cps));
    EXPECT_EQ(LitCount(closing), 6 * 4);
    EXPECT_EQ(closing.pixel(0, 0), kBlack);
    EXPECT_EQ(closing.pixel(7, 0), kBlack);
}

// --- marquee --------------------------------------------------------------------------

// The border LEDs clockwise from the top left corner.
std::vector<QRgb> Ring(const QImage& picture)
{
    std::vector<QRgb> ring;
    const int w = picture.width();
    const int h = picture.height();
    for (int x = 0; x < w; ++x) ring.push_back(picture.pixel(x, 0));
    for (int y = 1; y < h; ++y) ring.push_back(picture.pixel(w - 1, y));
    for (int x = w - 2; x >= 0; --x) ring.push_back(picture.pixel(x, h - 1));
    for (int y = h - 2; y >= 1; --y) ring.push_back(picture.pixel(0, y));
    return ring;
}

TEST(EffectTimelineTest, MarqueeBorderRunsClockwise)
{
    const SignArea area{10, 5};
    const EffectTimeline timeline(Content(10, 5), {}, Params(Effect::Fix, 0, 5, false, true), area);
    const Millis step(timing::kMarqueeStepMs);
    const int period = timing::kMarqueeDash + timing::kMarqueeGap;
    for (int s = 0; s < 2 * period; ++s) {
        const std::vector<QRgb> now = Ring(timeline.PictureAt(s * step));
        const std::vector<QRgb> next = Ring(timeline.PictureAt((s + 1) * step));
        ASSERT_EQ(now.size(), 26u);
        std::vector<QRgb> advanced(now.size());
        for (std::size_t i = 0; i < now.size(); ++i) advanced[(i + 1) % now.size()] = now[i];
        // 26 LEDs is not a whole number of dashes: the seam at the corner
        // restarts the pattern, so compare away from it.
        for (std::size_t i = 1; i + 1 < now.size(); ++i)
            EXPECT_EQ(next[i], advanced[i]) << "step " << s << " led " << i;
        const long lit = std::count(now.begin(), now.end(), timing::kMarqueeColour);
        EXPECT_GE(lit, 26 / period * timing::kMarqueeDash - timing::kMarqueeDash);
        EXPECT_EQ(lit + std::count(now.begin(), now.end(), kBlack), static_cast<long>(now.size()));
    }
    // Inside the border the message is untouched.
    const QImage picture = timeline.PictureAt(3 * step);
    for (int y = 1; y < 4; ++y)
        for (int x = 1; x < 9; ++x) EXPECT_EQ(At(picture, x, y), (Led{x, y, 0}));
}

// --- odd inputs -------------------------------------------------------------------------

TEST(EffectTimelineTest, NothingToShowIsDarkWithNoCycle)
{
    const EffectTimeline timeline(QImage(), QImage(), Params(Effect::Left, 3, 0, true, true), kArea);
    EXPECT_TRUE(timeline.Empty());
    EXPECT_EQ(timeline.CycleLength(), 0ms);
    const QImage picture = timeline.PictureAt(1234ms);
    EXPECT_EQ(picture.size(), QSize(8, 4));
    EXPECT_TRUE(AllDark(picture));
}

TEST(EffectTimelineTest, OutOfRangeValuesAreClampedAndPicturesCroppedToTheRows)
{
    // A damaged file can hold any number; the sign's own range applies.
    const EffectTimeline wild(Content(6, 9), {}, Params(Effect::Fix, 99, -4), SignArea{0, 4});
    EXPECT_EQ(wild.Area(), (SignArea{1, 4}));
    EXPECT_EQ(wild.CycleLength(), 6 * Millis(timing::kStillWhenNoDwellMs));
    const EffectTimeline fast(Content(6, 4), {}, Params(Effect::Left, 99), kArea);
    EXPECT_EQ(fast.CycleLength(), After(14, Cps(7)));
    const EffectTimeline tall(Content(6, 9), {}, Params(Effect::Fix, 0, 1), kArea);
    EXPECT_TRUE(ShowsAt(tall.PictureAt(0ms), 6, 0, 0));
    EXPECT_TRUE(ShowsAt(tall.PictureAt(-50ms), 6, 0, 0));
    const EffectTimeline shortPicture(Content(6, 2), {}, Params(Effect::Fix, 0, 1), kArea);
    const QImage picture = shortPicture.PictureAt(0ms);
    EXPECT_EQ(At(picture, 2, 1), (Led{2, 1, 0}));
    EXPECT_EQ(picture.pixel(2, 2), kBlack);
}

TEST(EffectTimelineTest, EveryEffectShowsOnlyItsOwnLedsAtAnyTime)
{
    // Any effect, size, speed, dwell and moment: the picture has the sign's
    // size, and every lit LED is the marquee or a content LED in its own row
    // (nothing smeared, nothing out of place vertically except Up and Down).
    std::minstd_rand random(7);
    auto pick = [&](int low, int high) { return low + static_cast<int>(random() % static_cast<unsigned>(high - low + 1)); };
    for (int round = 0; round < 300; ++round) {
        const auto effect = static_cast<Effect>(pick(0, 8));
        const SignArea area{pick(1, 40), pick(1, 16)};
        const int width = pick(1, 90);
        const EffectParams params{effect, pick(-2, 10), pick(-1, 7), pick(0, 1) == 1, pick(0, 1) == 1};
        const bool twoFrames = pick(0, 1) == 1;
        const EffectTimeline timeline(Content(width, area.rows, 0), twoFrames ? Content(width, area.rows, 1) : QImage(),
                                      params, area);
        ASSERT_GT(timeline.CycleLength().count(), 0);
        for (int sample = 0; sample < 5; ++sample) {
            const Millis t(sample == 4 ? 1'000'000'007LL : pick(0, static_cast<int>(3 * timeline.CycleLength().count())));
            const QImage picture = timeline.PictureAt(t);
            ASSERT_EQ(picture.size(), QSize(area.width, area.rows));
            for (int y = 0; y < area.rows; ++y)
                for (int x = 0; x < area.width; ++x) {
                    const QRgb pixel = picture.pixel(x, y);
                    if (pixel == kBlack || (params.marquee && pixel == timing::kMarqueeColour)) continue;
                    const auto led = Decode(pixel);
                    ASSERT_TRUE(led && led->column < width && led->row < area.rows && led->tag <= (twoFrames ? 1 : 0))
                        << "round " << round;
                    if (effect != Effect::Up && effect != Effect::Down) {
                        ASSERT_EQ(led->row, y) << "round " << round;
                    }
                }
        }
    }
}

}  // namespace
}  // namespace lumitag
