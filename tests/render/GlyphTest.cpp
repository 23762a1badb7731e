// The glyph cache's index layout and loading, the glyph path lists of glyph
// text with their fallbacks, and the drawing of glyphs and glyph codes.

#include "render/CImageWnd.h"
#include "render/GlyphCache.h"
#include "render/GlyphPaths.h"
#include "tests/render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <thread>
#include <vector>

namespace lumitag {
namespace {

namespace fs = std::filesystem;

using test::kBlack, test::kRed, test::kGreen, test::kYellow;

TEST(GlyphCacheIndex, AnimationsByRowCount)
{
    struct Case {
        int rows, number, frame;
        std::optional<int> index;
    } cases[] = {
        {7, 0, 0, 0},      {7, 3, 1, 7},         {7, 64, 1, 129},      {7, 65, 0, std::nullopt},
        {7, 70, 0, std::nullopt},  // 7-row animations stop at 64
        {12, 3, 0, 200},   {12, 3, 1, 201},      {12, 31, 1, 257},     {12, 32, 0, std::nullopt},
        {16, 3, 0, 264},   {16, 31, 1, 321},     {16, 99, 0, std::nullopt},
        {8, 3, 0, std::nullopt},   {12, 3, 2, std::nullopt},   {12, -1, 0, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GlyphCache::AnimationIndex(c.rows, c.number, c.frame), c.index)
            << c.rows << " rows, " << c.number << "_" << c.frame;
}

TEST(GlyphCacheIndex, GlyphCodes)
{
    struct Case {
        std::uint32_t code;
        std::optional<int> index;
    } cases[] = {
        {65, 515},                              // font 0, colour 0
        {2113, 709},                            // character 65, colour 1: 450 + 194 + 65
        {193 + 2048 * 2 + 8192 * 6, 4523},      // the last entry
        {8192 * 1, 450 + 3 * 194},              // font 1 starts after three colours
        {57343, std::nullopt},                  // font 6, colour 3, character 2047
        {194, std::nullopt},                    // character past the set
        {2048 * 3, std::nullopt},               // colour 3
        {8192 * 7, std::nullopt},               // font 7
        {0xFFFFFFFFu, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(GlyphCache::GlyphCodeIndex(c.code), c.index) << c.code;
}

TEST(GlyphCacheTest, EntriesOutOfRangeAreAbsent)
{
    GlyphCache cache;
    cache.Set(4523, test::Solid(1, 7, kRed));
    cache.Set(4524, test::Solid(1, 7, kRed));
    cache.Set(-1, test::Solid(1, 7, kRed));
    EXPECT_NE(cache.Entry(4523), nullptr);
    EXPECT_EQ(cache.Entry(4524), nullptr);
    EXPECT_EQ(cache.Entry(-1), nullptr);
    EXPECT_EQ(cache.LoadedCount(), 1);
}

TEST(GlyphCacheTest, LoadsEveryBlockFromFoldersOfAnyCase)
{
    test::TempFolder home;
    const fs::path data = home.path() / "Data";
    test::WriteFixture(data / "Gif" / "7" / "0_0.bmp", test::Solid(3, 7, kRed));
    test::WriteFixture(data / "Gif" / "12" / "3_1.bmp", test::Solid(4, 12, kRed));
    test::WriteFixture(data / "gif" / "16" / "31_1.bmp", test::Solid(5, 16, kRed));
    test::WriteFixture(data / "Ascii" / "65.bmp", test::Solid(6, 7, kRed));
    test::WriteFixture(data / "ASCII" / "allAscii" / "Font6" / "Color2" / "193.bmp", test::Solid(7, 7, kRed));
    test::WriteFixture(data / "ASCII" / "allascii" / "font0" / "COLOR1" / "65.bmp", test::Solid(8, 7, kRed));
    // Damage: a file that is not a picture, and a folder where a picture should be.
    std::ofstream(data / "Gif" / "7" / "1_0.bmp") << "garbage";
    fs::create_directories(data / "Gif" / "7" / "2_0.bmp");

    GlyphCache cache;
    LoadGlyphCache(cache, home.path());
    EXPECT_EQ(cache.LoadedCount(), 6);
    struct Expect {
        int index;
        int width;
    } expected[] = {{0, 3}, {201, 4}, {321, 5}, {322 + 65, 6}, {4523, 7}, {709, 8}};
    for (const auto& e : expected) {
        ASSERT_NE(cache.Entry(e.index), nullptr) << e.index;
        EXPECT_EQ(cache.Entry(e.index)->width(), e.width) << e.index;
    }
    EXPECT_EQ(cache.Entry(2), nullptr);
    EXPECT_EQ(cache.Entry(4), nullptr);
}

// Pictures are read on first use and kept: a file replaced afterwards shows
// at the next start (a new cache), and one removed before the start is absent.
TEST(GlyphCacheTest, EachStartShowsTheDataFolderAsItIsThen)
{
    test::TempFolder home;
    const fs::path file = home.path() / "Data" / "Gif" / "16" / "2_1.bmp";
    const int index = 258 + 2 * 2 + 1;
    test::WriteFixture(file, test::Solid(3, 16, kRed));
    GlyphCache first;
    LoadGlyphCache(first, home.path());
    ASSERT_NE(first.Entry(index), nullptr);
    EXPECT_EQ(first.Entry(index)->width(), 3);

    test::WriteFixture(file, test::Solid(5, 16, kRed));
    EXPECT_EQ(first.Entry(index)->width(), 3);
    GlyphCache second;
    LoadGlyphCache(second, home.path());
    ASSERT_NE(second.Entry(index), nullptr);
    EXPECT_EQ(second.Entry(index)->width(), 5);

    fs::remove(file);
    GlyphCache third;
    LoadGlyphCache(third, home.path());
    EXPECT_EQ(third.Entry(index), nullptr);
    EXPECT_EQ(third.LoadedCount(), 0);
}

// Previews on several threads may ask for the same entries at once.
TEST(GlyphCacheTest, FirstUseFromSeveralThreadsGivesEachTheOnePicture)
{
    test::TempFolder home;
    for (int c = 0; c < 40; ++c)
        test::WriteFixture(home.path() / "Data" / "ASCII" / (std::to_string(c) + ".bmp"), test::Solid(c + 1, 7, kRed));
    GlyphCache cache;
    LoadGlyphCache(cache, home.path());
    std::vector<std::thread> threads;
    std::vector<std::vector<const QImage*>> seen(4);
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int c = 0; c < 40; ++c) seen[t].push_back(cache.Entry(GlyphCache::kAsciiBase + c));
        });
    for (auto& thread : threads) thread.join();
    for (int c = 0; c < 40; ++c) {
        ASSERT_NE(seen[0][c], nullptr) << c;
        EXPECT_EQ(seen[0][c]->width(), c + 1);
        for (int t = 1; t < 4; ++t) EXPECT_EQ(seen[t][c], seen[0][c]) << c;
    }
}

TEST(GlyphCacheTest, MissingDataFolderLeavesEverythingAbsent)
{
    test::TempFolder home;
    GlyphCache cache;
    LoadGlyphCache(cache, home.path() / "nowhere");
    EXPECT_EQ(cache.LoadedCount(), 0);
}

// A Data folder with glyphs 65 (6 wide), 66 (5 wide), the space (2 wide) and
// 12-row animation 3 (9 wide, both frames).
class GlyphPathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::EnsureGuiApplication();
        const fs::path data = home.path() / "Data";
        test::WriteFixture(data / "Ascii" / "65.bmp", test::Solid(6, 12, kRed));
        test::WriteFixture(data / "Ascii" / "66.bmp", test::Solid(5, 12, kGreen));
        test::WriteFixture(data / "Ascii" / "32.bmp", test::Solid(2, 12, kBlack));
        test::WriteFixture(data / "Gif" / "12" / "3_0.bmp", test::Solid(9, 12, kYellow));
        test::WriteFixture(data / "Gif" / "12" / "3_1.bmp", test::Solid(9, 12, kGreen));
    }
    std::string Ascii(int code) const { return AsciiGlyphPath(home.path(), code).string(); }
    GlyphPathLists Build(std::string_view text, int rows = 12) const
    {
        return BuildGlyphPaths(TokeniseGlyphText(text).items, rows, home.path());
    }

    test::TempFolder home;
};

TEST_F(GlyphPathTest, OneFilePerCharacterAndWidthsAdded)
{
    const auto lists = Build("AB");
    EXPECT_EQ(lists.frame0, (std::vector<std::string>{Ascii(65), Ascii(66)}));
    EXPECT_EQ(lists.frame1, lists.frame0);
    EXPECT_EQ(lists.width, 11);
    EXPECT_EQ(Ascii(65), (home.path() / "Data/Ascii/65.bmp").string());
}

TEST_F(GlyphPathTest, MissingGlyphBecomesTheSpaceInBothFrames)
{
    const auto lists = Build("AZ");
    EXPECT_EQ(lists.frame0, (std::vector<std::string>{Ascii(65), Ascii(32)}));
    EXPECT_EQ(lists.frame1, lists.frame0);
    EXPECT_EQ(lists.width, 8);
}

TEST_F(GlyphPathTest, AnimationSymbolsUseTheRowCountAndKeepTheirSecondFrame)
{
    const auto gif = [&](int rows, int n, int f) { return AnimationPath(home.path(), rows, n, f).string(); };
    auto lists = Build("[GIF_003]");
    EXPECT_EQ(lists.frame0, (std::vector<std::string>{gif(12, 3, 0)}));
    EXPECT_EQ(lists.frame1, (std::vector<std::string>{gif(12, 3, 1)}));
    EXPECT_EQ(gif(12, 3, 0), (home.path() / "Data/Gif/12/3_0.bmp").string());
    EXPECT_EQ(lists.width, 9);

    lists = Build("[GIF_004]");  // no such animation
    EXPECT_EQ(lists.frame0, (std::vector<std::string>{Ascii(32)}));
    EXPECT_EQ(lists.frame1, (std::vector<std::string>{gif(12, 4, 1)}));

    lists = Build("[GIF_003]", 16);  // no 16-row files
    EXPECT_EQ(lists.frame0, (std::vector<std::string>{Ascii(32)}));
    EXPECT_EQ(lists.width, 2);
}

TEST_F(GlyphPathTest, WithoutASpaceGlyphAMissingCharacterTakesNoWidth)
{
    fs::remove(home.path() / "Data" / "Ascii" / "32.bmp");
    const auto lists = Build("AZB");
    EXPECT_EQ(lists.frame0.size(), 3u);
    EXPECT_EQ(lists.width, 11);
}

TEST_F(GlyphPathTest, ListsNameTheFilesAsTheyAreSpelledOnDisk)
{
    // The glyph folder as the Data folder ships it, and a symbol in other case.
    fs::rename(home.path() / "Data" / "Ascii", home.path() / "Data" / "ASCII");
    fs::rename(home.path() / "Data" / "Gif", home.path() / "Data" / "GIF");
    const fs::path ascii = home.path() / "Data" / "ASCII";
    const fs::path gif = home.path() / "Data" / "GIF" / "12";
    const auto lists = Build("AZ[GIF_003][GIF_004]A");
    EXPECT_EQ(lists.frame0, (std::vector<std::string>{(ascii / "65.bmp").string(), (ascii / "32.bmp").string(),
                                                      (gif / "3_0.bmp").string(), (ascii / "32.bmp").string(),
                                                      (ascii / "65.bmp").string()}));
    EXPECT_EQ(lists.frame1, (std::vector<std::string>{(ascii / "65.bmp").string(), (ascii / "32.bmp").string(),
                                                      (gif / "3_1.bmp").string(),
                                                      AnimationPath(home.path(), 12, 4, 1).string(),
                                                      (ascii / "65.bmp").string()}));
    EXPECT_EQ(lists.width, 6 + 2 + 9 + 2 + 6);
}

TEST_F(GlyphPathTest, WindowDrawsGlyphTextFramesSideBySide)
{
    CImageWnd window;
    window.SetProgramFolder(home.path());
    window.SetRows(12);
    window.SetContent("[ASCII]A[GIF_003]B  ");
    EXPECT_EQ(window.Parse().payload, "A[GIF_003]B");
    EXPECT_EQ(window.Parse().hasSecondFrame, 1);
    EXPECT_EQ(window.ContentWidth(), 20);

    for (int frame : {0, 1}) {
        QImage target = test::Solid(40, 12, kBlack);
        EXPECT_EQ(window.DrawGlyphList(target, true, frame), 20);
        EXPECT_EQ(target.pixel(0, 0), kRed);
        EXPECT_EQ(target.pixel(6, 11), frame == 0 ? kYellow : kGreen);
        EXPECT_EQ(target.pixel(15, 5), kGreen);
        EXPECT_EQ(target.pixel(20, 5), kBlack);
    }
}

TEST_F(GlyphPathTest, RepeatedGlyphsAndPicturesAreDrawnAtEveryPlace)
{
    CImageWnd window;
    window.SetProgramFolder(home.path());
    window.SetRows(12);
    window.SetContent("[ASCII]ABAA");
    QImage target = test::Solid(40, 12, kBlack);
    EXPECT_EQ(window.DrawGlyphList(target, true, 0), 23);
    for (int x : {0, 5, 11, 16, 17, 22}) EXPECT_EQ(target.pixel(x, 6), kRed) << x;
    for (int x : {6, 10}) EXPECT_EQ(target.pixel(x, 6), kGreen) << x;
    EXPECT_EQ(target.pixel(23, 6), kBlack);

    const std::string b = (home.path() / "Data" / "Ascii" / "66.bmp").string();
    window.SetContent(b + ";" + b + ";missing.bmp;" + b + ";");
    target = test::Solid(40, 12, kBlack);
    EXPECT_EQ(window.DrawImageList(target, true), 15);
    EXPECT_EQ(test::Colours(target, 0, 15), std::vector<QRgb>{kGreen});
    EXPECT_EQ(test::Colours(target, 15, 40), std::vector<QRgb>{kBlack});
}

TEST_F(GlyphPathTest, WindowDrawsGlyphCodesFromTheCache)
{
    GlyphCache cache;
    cache.Set(709, test::Solid(4, 7, kGreen));  // code 2113
    cache.Set(515, test::Solid(3, 7, kRed));    // code 65
    CImageWnd window;
    window.SetGlyphCache(&cache);
    window.SetRows(7);
    window.SetContent("[DASCII]2113,57343,,65,9999999");
    QImage target = test::Solid(20, 7, kBlack);
    EXPECT_EQ(window.DrawGlyphCodes(target, true), 7);
    EXPECT_EQ(target.pixel(3, 3), kGreen);
    EXPECT_EQ(target.pixel(4, 3), kRed);
    EXPECT_EQ(target.pixel(7, 3), kBlack);

    // The preview draws nothing that starts at or past the client width.
    window.SetClientSize(QSize(4, 10));
    target = test::Solid(20, 7, kBlack);
    EXPECT_EQ(window.DrawGlyphCodes(target, false), 7);
    EXPECT_EQ(target.pixel(3, 3), kGreen);
    EXPECT_EQ(target.pixel(4, 3), kBlack);
}

}  // namespace
}  // namespace lumitag
