// The preview picture, the date text, the slot images saved for sending and
// the slot image builder over the ten slots.

#include "render/CImageWnd.h"
#include "render/DateText.h"
#include "render/LayoutFlag.h"
#include "model/SignProgram.h"
#include "render/SlotImageBuilder.h"
#include "render/content/RtfWriter.h"
#include "tests/render/RenderTestSupport.h"

#include <QImageReader>

#include <gtest/gtest.h>

#include <fstream>

namespace lumitag {
namespace {

namespace fs = std::filesystem;

using test::kBlack, test::kRed, test::kGreen, test::kYellow;
constexpr QRgb kFrame = 0xFFAD20F0u;
constexpr QRgb kGrid = 0xFF303030u;

struct Piece {
    std::string text;
    std::uint32_t colour = 0x000000FF;
    int height = 16;
};

std::string Rtf(std::initializer_list<Piece> pieces)
{
    FormattedText text;
    for (const auto& p : pieces) {
        CharFormat format;
        format.face = "Liberation Sans";
        format.twips = p.height * 20;
        format.colour = p.colour;
        format.bold = true;
        text.Append(p.text, format);
    }
    return WriteRtf(text);
}

std::tm At(int year, int month, int day, int hour, int minute, int second, int weekday)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_wday = weekday;
    return t;
}

int CountColour(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
    return count;
}

int LeftmostColumnOf(const QImage& image, QRgb colour)
{
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) == colour) return x;
    return -1;
}

TEST(DateTextTest, PartsByFlags)
{
    const std::tm tuesday = At(2024, 3, 5, 14, 7, 9, 2);
    struct Case {
        const char* flags;
        const char* text;
    } cases[] = {
        {"111111", "2024-03-05 \xe6\x98\x9f\xe6\x9c\x9f\xe4\xba\x8c 14:07:09"},
        {"011010", "03-0514:07"},
        {"000001", ""},  // seconds need the time of day
        {"100000", "2024"},
        {"101000", "2024-05"},
        {"001000", "05"},
        {"000100", " \xe6\x98\x9f\xe6\x9c\x9f\xe4\xba\x8c "},
        {"000011", "14:07:09"},
        {"900000", "2024"},  // any non-zero digit
        {"", ""},
        {"11", "2024-03"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatDateText(c.flags, &tuesday), c.text) << c.flags;

    const std::tm sunday = At(2024, 3, 3, 0, 0, 0, 0);
    EXPECT_EQ(FormatDateText("000100", &sunday), " \xe6\x98\x9f\xe6\x9c\x9f\xe5\xa4\xa9 ");
    EXPECT_EQ(FormatDateText("000100", nullptr), " \xe6\x9c\xaa\xe7\x9f\xa5 ");
}

TEST(LayoutFlagTest, SidewaysWithoutDwellTimeIsOneLine)
{
    struct Case {
        const char* model;
        int time, effect, flag;
    } cases[] = {
        {"Q30", 0, 1, 0}, {"Q30", 0, 2, 0}, {"Q30", 0, 0, 1}, {"Q30", 1, 1, 1}, {"Q26", 0, 2, 0},
        {"Q14", 0, 0, 0}, {"Q14", 0, 1, 0}, {"Q14", 0, 2, 1}, {"Q23", 3, 0, 1}, {"Q22", 0, 1, 0},
        {"Q24", 0, 0, 1}, {"Q06", 0, 0, 1}, {"Q07", 0, 0, 1}, {"Q01", 0, 1, 1}, {"Nope", 0, 0, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LayoutFlagFor(c.model, c.time, c.effect), c.flag) << c.model << " " << c.time << " " << c.effect;
}

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::EnsureGuiApplication();
        window.SetProgramFolder(home.path());
        window.SetGlyphCache(&cache);
    }
    std::string Picture(const std::string& name, const QImage& image)
    {
        const fs::path path = home.path() / "pictures" / name;
        test::WriteFixture(path, image);
        return path.string();
    }

    test::TempFolder home;
    GlyphCache cache;
    CImageWnd window{20063};
};

TEST_F(PreviewTest, SixteenRowsFillTheInteriorWithTwoPixelLeds)
{
    QImage content(150, 16, QImage::Format_ARGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 150; ++x) content.setPixel(x, y, (x + y) % 3 == 0 ? kRed : (x % 5 == 0 ? kGreen : kBlack));
    window.SetClientSize(QSize(282, 34));
    window.SetContent(Picture("p.bmp", content) + ";");
    const QImage& picture = window.Picture();
    ASSERT_EQ(picture.size(), QSize(282, 34));
    for (int x = 0; x < 282; ++x) {
        EXPECT_EQ(picture.pixel(x, 0), kFrame) << x;
        EXPECT_EQ(picture.pixel(x, 33), kFrame) << x;
    }
    for (int y = 0; y < 34; ++y) {
        EXPECT_EQ(picture.pixel(0, y), kFrame) << y;
        EXPECT_EQ(picture.pixel(281, y), kFrame) << y;
    }
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 140; ++x)
            for (int d = 0; d < 4; ++d)
                ASSERT_EQ(picture.pixel(1 + 2 * x + d % 2, 1 + 2 * y + d / 2), content.pixel(x, y)) << x << "," << y;
    EXPECT_EQ(CountColour(picture, kGrid), 0);
    EXPECT_EQ(window.ContentWidth(), 150);
}

TEST_F(PreviewTest, TwelveRowsDrawTheGrid)
{
    window.SetRows(12);
    window.SetClientSize(QSize(282, 34));
    window.SetContent("");
    const QImage& picture = window.Picture();
    int vertical = 0;
    for (int x = 1; x < 281; ++x) vertical += picture.pixel(x, 1) == kGrid;
    int horizontal = 0;
    for (int y = 1; y < 33; ++y) horizontal += picture.pixel(1, y) == kGrid;
    EXPECT_EQ(vertical, 104);
    EXPECT_EQ(horizontal, 11);
    for (QRgb colour : test::Colours(picture.copy(1, 1, 280, 32))) EXPECT_TRUE(colour == kBlack || colour == kGrid);
}

TEST_F(PreviewTest, PictureIsCachedUntilDiscarded)
{
    window.SetClientSize(QSize(100, 18));
    window.SetContent(Picture("r.bmp", test::Solid(4, 16, kRed)) + ";");
    const QImage first = window.Picture();
    EXPECT_TRUE(window.HasPicture());
    EXPECT_EQ(window.Picture().cacheKey(), window.Picture().cacheKey());
    for (auto change : std::vector<std::function<void()>>{
             [&] { window.SetVerticalOffset(1); }, [&] { window.SetLayoutFlag(0); }, [&] { window.SetArabic(1); },
             [&] { window.SetPaging(32, 32); }, [&] { window.SetRows(12); }, [&] { window.SetHeightOverride(12); },
             [&] { window.SetContent("x;"); }}) {
        window.Picture();
        change();
        EXPECT_FALSE(window.HasPicture());
    }
}

TEST_F(PreviewTest, BlankImageListDrawsNothing)
{
    window.SetClientSize(QSize(50, 18));
    window.SetContent("   ");
    EXPECT_EQ(test::Colours(window.Picture().copy(1, 1, 48, 16)), std::vector<QRgb>{kBlack});
    EXPECT_EQ(window.ContentWidth(), 0);
    EXPECT_EQ(window.SaveFrameImage(0), "");
}

TEST_F(PreviewTest, PreviewShowsOnlyTheFirstFrameOfSymbols)
{
    cache.Set(258 + 0, test::Solid(3, 16, kRed));
    cache.Set(258 + 1, test::Solid(3, 16, kGreen));
    window.SetClientSize(QSize(50, 34));
    window.SetContent(Rtf({{"[GIF_000]", 0x0000FFFF}}));
    EXPECT_GT(CountColour(window.Picture(), kRed), 0);
    EXPECT_EQ(CountColour(window.Picture(), kGreen), 0);
    EXPECT_EQ(window.Parse().hasSecondFrame, 1);
}

TEST_F(PreviewTest, DateItemShowsTheClockBehindItsText)
{
    window.SetClientSize(QSize(402, 34));
    window.SetContent("[DATE_000011]" + Rtf({{"Hi", 0x0000FF00}}));
    EXPECT_TRUE(window.ClockRunning());
    window.Tick(At(2024, 3, 5, 14, 7, 9, 2));
    const QImage first = window.Picture();
    const int textWidth = window.ContentWidth();
    ASSERT_GT(textWidth, 0);
    EXPECT_GT(CountColour(first, kGreen), 0);
    ASSERT_GT(CountColour(first, kRed), 0);
    EXPECT_GE(LeftmostColumnOf(first, kRed), 1 + 2 * textWidth);

    window.Tick(At(2024, 3, 5, 9, 51, 33, 2));
    EXPECT_FALSE(window.HasPicture());
    EXPECT_NE(window.Picture(), first);
    EXPECT_EQ(window.ContentWidth(), textWidth);  // the date does not count

    window.SetContent(Rtf({{"Hi", 0x0000FF00}}));
    EXPECT_FALSE(window.ClockRunning());
}

TEST_F(PreviewTest, SavedImageIsTrimmedAndWrittenAsThirtyTwoBitBmp)
{
    QImage content = test::Solid(20, 16, kBlack);
    content.setPixel(3, 0, kGreen);
    content.setPixel(12, 15, kRed);
    window.SetContent(Picture("t.bmp", content) + ";");
    const std::string path = window.SaveFrameImage(0);
    EXPECT_EQ(path, (home.path() / "Image" / "20063_0.bmp").string());

    std::ifstream file(path, std::ios::binary);
    std::string header(30, '\0');
    file.read(header.data(), 30);
    EXPECT_EQ(header.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<int>(header[28]), 32);  // bits per pixel

    const QImage saved = QImageReader(QString::fromStdString(path)).read().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(saved.size(), QSize(13, 16));
    EXPECT_EQ(saved, content.copy(0, 0, 13, 16));

    EXPECT_EQ(window.SaveFrameImage(1), "");  // no animation symbol: no second frame
    EXPECT_FALSE(fs::exists(home.path() / "Image" / "20063_1.bmp"));
}

TEST_F(PreviewTest, UnlitImageKeepsItsWidthAndOverrideSetsTheHeight)
{
    window.SetRows(7);
    window.SetHeightOverride(12);
    window.SetContent(Picture("b.bmp", test::Solid(9, 7, kBlack)) + ";" + Picture("r.bmp", test::Solid(2, 3, kRed)) + ";");
    QImage image;
    EXPECT_FALSE(window.SaveFrameImage(0, &image).empty());
    EXPECT_EQ(image.size(), QSize(11, 12));

    window.SetContent(Picture("b.bmp", test::Solid(9, 7, kBlack)) + ";");
    EXPECT_FALSE(window.SaveFrameImage(0, &image).empty());
    EXPECT_EQ(image.size(), QSize(9, 12));
}

TEST_F(PreviewTest, DateItemsAreSentThroughTheirRichTextOnly)
{
    fs::create_directories(home.path() / "Data" / "Ascii");
    test::WriteFixture(home.path() / "Data" / "Ascii" / "65.bmp", test::Solid(4, 16, kRed));
    window.SetContent("[DATE_111111][ASCII]A");
    EXPECT_EQ(window.Parse().dateTextIsRich, 0);
    EXPECT_EQ(window.SaveFrameImage(0), "");

    window.SetContent("[DATE_111111]" + Rtf({{"A", 0x000000FF}}));
    QImage image;
    EXPECT_FALSE(window.SaveFrameImage(0, &image).empty());
    EXPECT_EQ(CountColour(image, kRed) + CountColour(image, kBlack), image.width() * image.height());

    // Without a text part nothing is left over from the earlier content.
    window.SetContent("[DATE_000011]");
    EXPECT_EQ(window.SaveFrameImage(0), "");
    window.SetClientSize(QSize(200, 34));
    EXPECT_EQ(CountColour(window.Picture(), kRed) > 0, true);  // the clock alone
    EXPECT_EQ(window.ContentWidth(), 0);
}

TEST_F(PreviewTest, UnwritableImageFolderSendsNothingStale)
{
    window.SetContent(Picture("r.bmp", test::Solid(4, 16, kRed)) + ";");
    std::ofstream(home.path() / "Image") << "a file where the folder should be";
    EXPECT_EQ(window.SaveFrameImage(0), "");
}

TEST_F(PreviewTest, ContentFarWiderThanAnySignIsBounded)
{
    std::string list;
    const std::string wide = Picture("w.bmp", test::Solid(30000, 16, kRed));
    for (int i = 0; i < 4; ++i) list += wide + ";";
    window.SetClientSize(QSize(282, 34));
    window.SetContent(list);
    window.Picture();
    EXPECT_EQ(window.ContentWidth(), 120000);
    QImage image;
    window.SaveFrameImage(0, &image);
    EXPECT_EQ(image.height(), 16);
    EXPECT_LE(image.width(), 1 << 16);
    EXPECT_GT(image.width(), 30000);
}

// Ten slots built for a model from content strings and parameters.
class BuilderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::EnsureGuiApplication();
        windows.SetProgramFolder(home.path());
    }
    void Build(const char* model, const std::array<std::string, kSlotCount>& contents)
    {
        ModelSettings settings;
        ASSERT_TRUE(ApplyModel(settings, model));
        windows.Load(model, settings, params, contents);
        windows.Build(tables);
    }
    static bool AllZero(const PackedImage& record)
    {
        return std::all_of(record.data.begin(), record.data.end(), [](auto b) { return b == 0; });
    }

    test::TempFolder home;
    GlyphCache cache;
    SlotWindows windows{&cache};
    SlotParamTable params;
    PackedTables tables;
};

TEST_F(BuilderTest, TwoPlaneModelSendsRedAndGreenPlanes)
{
    Build("Q07", {Rtf({{"HI", 0x000000FF, 7}}), Rtf({{"HI", 0x0000FFFF, 7}}), Rtf({{"HI", 0x0000FF00, 7}})});
    ASSERT_GT(tables.frame0[0].size, 0);
    EXPECT_EQ(tables.frame0[0].size % 7, 0);  // rows of ceil(W / 8) bytes
    EXPECT_FALSE(AllZero(tables.frame0[0]));
    EXPECT_EQ(tables.frame1[0].size, tables.frame0[0].size);
    EXPECT_TRUE(AllZero(tables.frame1[0]));
    EXPECT_FALSE(AllZero(tables.frame0[1]));
    EXPECT_EQ(tables.frame0[1].data, tables.frame1[1].data);  // yellow lights both
    EXPECT_TRUE(AllZero(tables.frame0[2]));
    EXPECT_FALSE(AllZero(tables.frame1[2]));
    EXPECT_EQ(tables.frame0[3].size, 0);  // empty slot
    EXPECT_TRUE(fs::exists(home.path() / "Image" / "20060_0.bmp"));
    EXPECT_TRUE(fs::exists(home.path() / "Image" / "20062_0.bmp"));
}

TEST_F(BuilderTest, GlyphCodeModelsSendThePayloadAndKeepFrameOne)
{
    tables.frame1[0].data = {9, 9};
    tables.frame1[0].size = 2;
    Build("Q05", {"[ASCII]A[GIF_005]", Rtf({{"A"}}), "[DATE_110000][ASCII]B[GIF_099]", "[DASCII]65,66"});
    EXPECT_EQ(test::Hex(tables.frame0[0].data), "4165");
    EXPECT_EQ(tables.frame0[1].size, 0);
    EXPECT_EQ(test::Hex(tables.frame0[2].data), "42");
    EXPECT_EQ(test::Hex(tables.frame0[3].data), "36352c3636");
    EXPECT_EQ(test::Hex(tables.frame1[0].data), "0909");
}

TEST_F(BuilderTest, PagedModelPacksFramesAndDatePages)
{
    cache.Set(258 + 2 * 4, test::Solid(5, 16, kRed));
    cache.Set(258 + 2 * 4 + 1, test::Solid(6, 16, kGreen));
    params.at(SlotField::kind, 2) = 3;
    params.at(SlotField::kind, 5) = 3;
    Build("Q30", {"", "", "[DATE_000011]", Rtf({{"Hello"}}), Rtf({{"A[GIF_004]", 0x0000FF00}}),
                  "[DATE_000011]" + Rtf({{"Hi"}})});
    EXPECT_EQ(tables.frame0[2].data, std::vector<std::uint8_t>(256, 0x00));
    EXPECT_EQ(tables.frame1[2].data, std::vector<std::uint8_t>(256, 0x00));
    EXPECT_EQ(tables.frame0[3].size, 256);  // "Hello" fits one page of 64
    EXPECT_EQ(tables.frame1[3].size, 0);    // no second frame
    EXPECT_EQ(tables.frame0[4].size, 256);
    EXPECT_EQ(tables.frame1[4].size, 256);
    EXPECT_NE(tables.frame0[4].data, tables.frame1[4].data);
    EXPECT_EQ(tables.frame0[5].size, 512);  // one text page and the date page
    EXPECT_EQ(std::vector<std::uint8_t>(tables.frame0[5].data.begin() + 256, tables.frame0[5].data.end()),
              std::vector<std::uint8_t>(256, 0x00));
    // Paged273 inverts the codes: a black pixel is 11.
    EXPECT_EQ(tables.frame0[3].data[255], 0xFF);
}

TEST_F(BuilderTest, WindowsFollowTheModelAndSlotParameters)
{
    params.at(SlotField::time, 1) = 2;
    params.at(SlotField::offset, 2) = -3;
    params.at(SlotField::arabic, 3) = 1;
    Build("Q14", {});
    EXPECT_EQ(windows.Window(0).Rows(), 12);
    EXPECT_EQ(windows.Window(0).LayoutFlag(), 0);  // Left without dwell time
    EXPECT_EQ(windows.Window(1).LayoutFlag(), 1);
    EXPECT_EQ(windows.Window(0).HeightOverride(), 0);
    EXPECT_EQ(windows.Window(4).ControlId(), 20064);
    Build("Q03", {});
    EXPECT_EQ(windows.Window(0).Rows(), 7);
    EXPECT_EQ(windows.Window(0).HeightOverride(), 12);
}

TEST_F(BuilderTest, SendStopsAtTheFirstPictureOfASentSlotThatWillNotLoad)
{
    const fs::path good = home.path() / "good.bmp";
    test::WriteFixture(good, test::Solid(3, 16, kRed));
    const fs::path folder = home.path() / "folder.bmp";
    fs::create_directories(folder);
    const fs::path project = home.path() / "p.led";
    std::ofstream(project) << "[INFO]\r\nDATA_00=" << good.string() << ";\r\nDATA_01=" << good.string() << ";"
                           << (home.path() / "gone.bmp").string() << ";\r\nDATA_02=" << folder.string() << ";\r\n";
    SignProgram program;
    ASSERT_TRUE(program.LoadProgram(project));
    for (int slot = 0; slot < 3; ++slot) program.Params().at(SlotField::send, slot) = 1;

    ModelSettings settings;
    ASSERT_TRUE(ApplyModel(settings, "Q06"));
    auto bad = FindUnloadablePicture("Q06", settings, program);
    ASSERT_TRUE(bad.has_value());
    EXPECT_EQ(bad->slot, 1);
    EXPECT_EQ(bad->path, (home.path() / "gone.bmp").string());

    // A slot that is not sent is no obstacle; a folder is no picture.
    program.Params().at(SlotField::send, 1) = 0;
    bad = FindUnloadablePicture("Q06", settings, program);
    ASSERT_TRUE(bad.has_value());
    EXPECT_EQ(bad->slot, 2);

    // Glyph-code models send no pictures at all.
    ASSERT_TRUE(ApplyModel(settings, "Q05"));
    EXPECT_FALSE(FindUnloadablePicture("Q05", settings, program).has_value());
}

}  // namespace
}  // namespace lumitag
