// Playing the rows on one clock: which rows change as virtual time passes,
// restarting a row, the slots' own pictures, and the rows drawn as LEDs.

#include "render/EffectTiming.h"
#include "render/ProgramPlayback.h"
#include "render/RowPlayer.h"
#include "tests/render/RenderTestSupport.h"

#include <gtest/gtest.h>

namespace lumitag {
namespace {

using namespace std::chrono_literals;
using test::kBlack, test::kRed, test::kGreen;

constexpr SignArea kArea{8, 4};

EffectTimeline Timeline(Effect effect, QRgb colour = kRed, int width = 4, int time = 1)
{
    return EffectTimeline(test::Solid(width, 4, colour), {}, EffectParams{effect, 3, time, false, false}, kArea);
}

TEST(RowPlayerTest, ReportsOnlyTheRowsWhosePictureChanged)
{
    RowPlayer player(3);
    player.Start(0, Timeline(Effect::Fix), 0ms);
    player.Start(1, Timeline(Effect::Left, kRed, 4, 0), 0ms);
    EXPECT_EQ(player.Advance(0ms), (std::vector<int>{0, 1}));  // both just started; row 2 plays nothing
    const QImage before = player.Picture(1);
    EXPECT_EQ(player.Advance(200ms), (std::vector<int>{1}));    // the still row is left alone
    EXPECT_NE(player.Picture(1), before);
    EXPECT_EQ(player.Picture(1), Timeline(Effect::Left, kRed, 4, 0).PictureAt(200ms));
    EXPECT_EQ(player.Advance(201ms), (std::vector<int>{}));     // not a whole column further yet
    EXPECT_TRUE(player.Picture(2).isNull());
}

TEST(RowPlayerTest, AStartedRowPlaysFromItsBeginningOthersGoOn)
{
    RowPlayer player(2);
    player.Start(0, Timeline(Effect::Left, kRed, 4, 0), 0ms);
    player.Start(1, Timeline(Effect::Left, kRed, 4, 0), 0ms);
    player.Advance(300ms);
    // A changed parameter: row 1 gets its new timeline and starts over.
    player.Start(1, Timeline(Effect::Left, kGreen, 4, 0), 300ms);
    EXPECT_EQ(player.StartedAt(1), 300ms);
    const std::vector<int> changed = player.Advance(400ms);
    EXPECT_EQ(changed, (std::vector<int>{0, 1}));
    EXPECT_EQ(player.Picture(1), Timeline(Effect::Left, kGreen, 4, 0).PictureAt(100ms));
    EXPECT_EQ(player.Picture(0), Timeline(Effect::Left, kRed, 4, 0).PictureAt(400ms));
    // Started again with the same timeline: reported even if it looks the same.
    player.Start(0, Timeline(Effect::Fix), 400ms);
    player.Advance(400ms);
    player.Start(0, Timeline(Effect::Fix), 500ms);
    EXPECT_EQ(player.Advance(500ms), (std::vector<int>{0, 1}));
}

TEST(RowPlayerTest, AClearedRowGoesDarkOnce)
{
    RowPlayer player(1);
    player.Start(0, Timeline(Effect::Fix), 0ms);
    player.Advance(0ms);
    player.Clear(0);
    EXPECT_FALSE(player.Playing(0));
    EXPECT_EQ(player.Advance(10ms), (std::vector<int>{0}));
    EXPECT_EQ(player.Picture(0).size(), QSize(8, 4));
    EXPECT_EQ(test::Colours(player.Picture(0)), (std::vector<QRgb>{kBlack}));
    EXPECT_EQ(player.Advance(20ms), (std::vector<int>{}));
    EXPECT_THROW(player.Start(1, Timeline(Effect::Fix), 0ms), std::out_of_range);
}

class ProgramPlaybackTest : public ::testing::Test {
protected:
    void SetUp() override { test::EnsureGuiApplication(); }
    test::TempFolder folder_;
};

TEST_F(ProgramPlaybackTest, RowsPlayTheSlotsOwnPictures)
{
    const auto picture = folder_.path() / "p.bmp";
    QImage image = test::Solid(3, 16, kBlack);
    image.setPixel(0, 0, kRed);
    image.setPixel(2, 5, kGreen);
    test::WriteFixture(picture, image);

    ModelSettings settings;
    ASSERT_TRUE(ApplyModel(settings, "Q36"));
    SlotParamTable params;
    std::array<std::string, kSlotCount> contents;
    params.at(SlotField::kind, 0) = 2;  // image, Fix (menu 1 code 0)
    params.at(SlotField::time, 0) = 2;
    contents[0] = picture.string() + ";";
    params.at(SlotField::kind, 1) = 0;  // none: an old content string is not played
    contents[1] = picture.string() + ";";
    SlotWindows windows(nullptr);
    windows.SetProgramFolder(folder_.path());
    windows.Load("Q36", settings, params, contents);

    RowPlayer player(ShownRows(settings));
    ASSERT_EQ(player.RowCount(), 10);
    StartProgram(player, windows, "Q36", settings, params, 0ms);
    player.Advance(1000ms);
    const QImage& row0 = player.Picture(0);
    ASSERT_EQ(row0.size(), QSize(256, 16));
    EXPECT_EQ(row0.pixel(0, 0), kRed);
    EXPECT_EQ(row0.pixel(2, 5), kGreen);
    EXPECT_EQ(row0.pixel(1, 0), kBlack);
    EXPECT_EQ(test::Colours(player.Picture(1)), (std::vector<QRgb>{kBlack}));
    EXPECT_EQ(SlotTimeline(windows.Window(1), "Q36", settings, params, 1).CycleLength(), 0ms);
    EXPECT_EQ(SlotTimeline(windows.Window(0), "Q36", settings, params, 0).CycleLength(), 2000ms);

    // The sheet: LED (x, y) of row r at (3x, r * 51 + 3y), grid between.
    QImage sheet;
    PaintSheet(player, SignAreaOf("Q36", settings), 3, sheet);
    EXPECT_EQ(sheet.size(), SheetSize(10, {256, 16}, 3));
    EXPECT_EQ(sheet.size(), QSize(768, 10 * 48 + 9 * 3));
    EXPECT_EQ(sheet.pixel(0, 0), kRed);
    EXPECT_EQ(sheet.pixel(1, 1), kRed);
    EXPECT_EQ(sheet.pixel(2, 0), 0xFF303030u);  // the grid
    EXPECT_EQ(sheet.pixel(0, 2), 0xFF303030u);
    EXPECT_EQ(sheet.pixel(6, 15), kGreen);
    EXPECT_EQ(sheet.pixel(3, 0), kBlack);
    EXPECT_EQ(sheet.pixel(0, 48), 0xFF303030u);  // between rows
    EXPECT_EQ(sheet.pixel(0, 51), kBlack);       // row 1's first LED
}

}  // namespace
}  // namespace lumitag
