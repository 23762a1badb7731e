// The text rasteriser: page rules with exact positions, colour bands,
// variants, animation symbols, clipping in the preview, and drawing with the
// installed fonts (asserted on properties that hold for any font version).

#include "render/ColourBands.h"
#include "render/PageRules.h"
#include "render/TextRasteriser.h"
#include "tests/render/RenderTestSupport.h"

#include <QFontMetrics>
#include <QFontMetricsF>

#include <gtest/gtest.h>

#include <cmath>

namespace lumitag {
namespace {

using test::kBlack, test::kRed, test::kGreen, test::kYellow;
constexpr QRgb kWhite = 0xFFFFFFFFu;

TEST(PageRuleATest, CharactersNeverStraddleAPage)
{
    struct Case {
        double pen, width;
        int page;
        double placed;
    } cases[] = {
        {56, 8, 64, 56},      // the eighth 8-pixel character ends at 63
        {64, 8, 64, 64},      // the ninth starts the second page
        {60, 10, 64, 64},     // would straddle: moves to 64
        {120, 10, 64, 128},
        {63.5, 1, 64, 63.5},  // ends inside its page
        {60, 10, 0, 60},      // no paging
        {0, 100, 64, 64},     // wider than a page: starts where it ends
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(PageRuleA(c.pen, c.width, c.page), c.placed) << c.pen << "+" << c.width << " P=" << c.page;

    double pen = 0;
    std::vector<double> starts;
    for (int i = 0; i < 9; ++i) {
        pen = PageRuleA(pen, 8, 64);
        starts.push_back(pen);
        pen += 8;
    }
    EXPECT_EQ(starts, (std::vector<double>{0, 8, 16, 24, 32, 40, 48, 56, 64}));
}

TEST(PageRuleBTest, UsableColumnsNarrowingAndNextPage)
{
    struct Case {
        double pen, width;
        int page, pitch;
        double placed, advance;
    } cases[] = {
        {0, 7, 33, 40, 0, 6},     // narrowed: advances by 6
        {0, 5, 33, 40, 0, 5},     // 5 wide: not narrowed
        {28, 5, 33, 40, 28, 5},   // ends on column 32, the last usable one
        {29, 5, 33, 40, 40, 5},   // would end on column 33
        {30, 7, 33, 40, 40, 6},
        {42, 7, 48, 48, 48, 7},   // P a multiple of 12: never narrowed
        {41, 7, 48, 48, 41, 7},   // ends exactly at the page end
        {80, 7, 33, 40, 80, 6},   // second page, first column
        {10, 7, 33, 0, 10, 6},    // no pitch: pages of P
        {30, 7, 33, 0, 33, 6},
    };
    for (const auto& c : cases) {
        const auto placed = PageRuleB(c.pen, c.width, c.page, c.pitch);
        EXPECT_DOUBLE_EQ(placed.penX, c.placed) << c.pen << "+" << c.width << " P=" << c.page << " Q=" << c.pitch;
        EXPECT_DOUBLE_EQ(placed.width, c.advance) << c.pen << "+" << c.width;
    }

    double pen = 0;
    std::vector<double> starts;
    for (int i = 0; i < 7; ++i) {
        const auto placed = PageRuleB(pen, 7, 33, 40);
        starts.push_back(placed.penX);
        pen = placed.penX + placed.width;
    }
    EXPECT_EQ(starts, (std::vector<double>{0, 6, 12, 18, 24, 40, 46}));
}

TEST(VariantTest, ByRowsAndPageWidth)
{
    EXPECT_EQ(VariantOf(16, 64), RunVariant::A);
    EXPECT_EQ(VariantOf(16, 0), RunVariant::A);
    EXPECT_EQ(VariantOf(12, 33), RunVariant::B);
    EXPECT_EQ(VariantOf(12, 0), RunVariant::C);
    EXPECT_EQ(VariantOf(7, 16), RunVariant::C);
}

TEST(ColourBandsTest, SixThreeColourRunColoursAndThreePlainOnes)
{
    using Bands = std::array<QRgb, 3>;
    struct Case {
        std::uint32_t colour;
        std::optional<Bands> bands;
        bool distinct;
    } cases[] = {
        {0x000000FF, Bands{kRed, kRed, kRed}, false},
        {0x0000FF00, Bands{kGreen, kGreen, kGreen}, false},
        {0x0000FFFF, Bands{kYellow, kYellow, kYellow}, false},
        {0x000096FF, Bands{kRed, kYellow, kGreen}, true},
        {0x0000E9A0, Bands{kYellow, kGreen, kRed}, true},
        {0x00FF0096, Bands{kYellow, kRed, kGreen}, true},
        {0x00FF00FF, Bands{kGreen, kYellow, kRed}, true},
        {0x00FF9600, Bands{kGreen, kRed, kYellow}, true},
        {0x00FFFF00, Bands{kRed, kGreen, kYellow}, true},
        {0x00000000, std::nullopt, false},
        {0x00FFFFFF, std::nullopt, false},
        {0x010000FF, std::nullopt, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ColourBands(c.colour), c.bands) << std::hex << c.colour;
        EXPECT_EQ(HasDistinctBands(c.colour), c.distinct) << std::hex << c.colour;
    }
}

TEST(ColourBandsTest, LitPixelsOfTheRangeTakeTheirRowsBand)
{
    struct Case {
        int rows;
        int topEnd, middleEnd;  // first row of the middle and of the bottom band
    } cases[] = {{16, 5, 10}, {12, 4, 8}, {7, 2, 4}};
    for (const auto& c : cases) {
        // Column 0 lit in white, column 1 lit in dark red, column 2 black,
        // column 3 lit but outside the range.
        QImage image = test::Solid(4, c.rows, kBlack);
        for (int y = 0; y < c.rows; ++y) {
            image.setPixel(0, y, kWhite);
            image.setPixel(1, y, 0xFF800000u);
            image.setPixel(3, y, kWhite);
        }
        ApplyBands(image, 0x00FF00FF, 0, 3, c.rows);
        for (int y = 0; y < c.rows; ++y) {
            const QRgb band = y < c.topEnd ? kGreen : y < c.middleEnd ? kYellow : kRed;
            EXPECT_EQ(image.pixel(0, y), band) << c.rows << " rows, row " << y;
            EXPECT_EQ(image.pixel(1, y), band) << c.rows << " rows, row " << y;
            EXPECT_EQ(image.pixel(2, y), kBlack);
            EXPECT_EQ(image.pixel(3, y), kWhite);
        }
    }
    QImage plain = test::Solid(2, 16, kWhite);
    ApplyBands(plain, 0x000000FF, 0, 2, 16);
    EXPECT_EQ(test::Colours(plain), std::vector<QRgb>{kWhite});

    // A picture of 24-bit pixels is converted, not read as 32-bit words.
    QImage narrow = test::Solid(3, 12, kWhite).convertToFormat(QImage::Format_RGB888);
    ApplyBands(narrow, 0x00FFFF00, 0, 3, 12);
    ASSERT_EQ(narrow.format(), QImage::Format_ARGB32);
    EXPECT_EQ(test::Colours(narrow.copy(0, 0, 3, 4)), std::vector<QRgb>{kRed});
    EXPECT_EQ(test::Colours(narrow.copy(0, 4, 3, 4)), std::vector<QRgb>{kGreen});
    EXPECT_EQ(test::Colours(narrow.copy(0, 8, 3, 4)), std::vector<QRgb>{kYellow});
}

TextRun MakeRun(std::string text, std::uint32_t colour = 0x000000FF, int height = 16, std::string face = "Liberation Sans")
{
    TextRun run;
    run.text = std::move(text);
    run.face = std::move(face);
    run.height = height;
    run.colour = colour;
    return run;
}

class DrawRunsTest : public ::testing::Test {
protected:
    void SetUp() override { test::EnsureGuiApplication(); }

    int Draw(const std::vector<TextRun>& runs, QImage& target, bool drawEverything = true, int frame = 0)
    {
        return DrawRuns(runs, layout, target, drawEverything, frame, hasSecondFrame);
    }
    static int LitCount(const QImage& image, int x0 = 0, int x1 = -1)
    {
        if (x1 < 0) x1 = image.width();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = std::max(x0, 0); x < std::min(x1, image.width()); ++x) count += image.pixel(x, y) != kBlack;
        return count;
    }
    static int LowestLitRow(const QImage& image)
    {
        for (int y = image.height() - 1; y >= 0; --y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != kBlack) return y;
        return -1;
    }
    static double Advance(const TextRun& run, const QString& text)
    {
        return QFontMetricsF(RunFont(run)).horizontalAdvance(text);
    }

    RunLayout layout{.rows = 16, .pageWidth = 0, .pagePitch = 0, .clientWidth = 280};
    int hasSecondFrame = 0;
};

TEST_F(DrawRunsTest, EveryLitPixelHasExactlyTheRunColour)
{
    struct Case {
        const char* name;
        TextRun run;
        QRgb colour;
    } cases[] = {
        {"regular", MakeRun("Hello, sign!", 0x000000FF), kRed},
        {"bold", [] { auto r = MakeRun("Bold 123", 0x0000FF00); r.bold = 1; return r; }(), kGreen},
        {"italic underline", [] { auto r = MakeRun("Wavy", 0x0000FFFF); r.italic = 2; r.underline = 4; return r; }(), kYellow},
        {"serif", MakeRun("Serif", 0x000000FF, 12, "Liberation Serif"), kRed},
        {"missing face", MakeRun("Fallback", 0x0000FF00, 12, "No Such Face"), kGreen},
        {"Chinese", MakeRun("\xe4\xb8\xad\xe6\x96\x87\xe5\xad\x97", 0x000000FF, 16, "SimSun"), kRed},
        {"dark colour", MakeRun("dim", 0x00000080, 16), 0xFF800000u},
    };
    for (const auto& c : cases) {
        for (int arabic : {0, 1}) {
            layout.arabic = arabic;
            QImage target = test::Solid(200, 16, kBlack);
            EXPECT_GT(Draw({c.run}, target), 0) << c.name;
            EXPECT_GT(LitCount(target), 10) << c.name;
            for (QRgb colour : test::Colours(target))
                EXPECT_TRUE(colour == kBlack || colour == c.colour) << c.name << std::hex << " " << colour;
        }
    }
}

TEST_F(DrawRunsTest, ArabicRunIsShapedWhole)
{
    layout.arabic = 1;
    layout.pageWidth = 16;
    QImage target = test::Solid(200, 16, kBlack);
    const int width = Draw({MakeRun("\xd9\x85\xd8\xb1\xd8\xad\xd8\xa8\xd8\xa7", 0x0000FF00, 16, "DejaVu Sans")}, target);
    EXPECT_GT(width, 0);
    EXPECT_GT(LitCount(target), 10);
    for (QRgb colour : test::Colours(target)) EXPECT_TRUE(colour == kBlack || colour == kGreen);
}

TEST_F(DrawRunsTest, TextStaysInsideItsCellHeight)
{
    for (int height : {7, 12, 16}) {
        QImage target = test::Solid(200, 40, kBlack);
        layout.rows = 40;
        Draw({MakeRun("Hgjy|Q", 0x000000FF, height)}, target);
        EXPECT_LT(LowestLitRow(target), height) << height;
        EXPECT_GE(LowestLitRow(target), height / 2) << height;  // and does fill it
    }
}

TEST_F(DrawRunsTest, FontIsTheLargestWhoseCellFitsTheRunHeight)
{
    auto cell = [](QFont font, int pixelSize) {
        font.setPixelSize(pixelSize);
        const QFontMetrics metrics(font);
        return metrics.ascent() + metrics.descent();
    };
    struct Case {
        const char* face;
        int height, bold, italic;
    } cases[] = {
        {"Liberation Sans", 7, 0, 0},   {"Liberation Sans", 12, 1, 0}, {"Liberation Sans", 16, 0, 1},
        {"Liberation Serif", 16, 1, 1}, {"Liberation Sans", 333, 0, 0}, {"Liberation Mono", 1000, 1, 0},
        {"No Such Face 1", 16, 0, 0},   {"No Such Face 2", 700, 0, 0},
    };
    for (const auto& c : cases) {
        TextRun run = MakeRun("A", 0x000000FF, c.height, c.face);
        run.bold = c.bold;
        run.italic = c.italic;
        const QFont font = RunFont(run);
        EXPECT_LE(cell(font, font.pixelSize()), c.height) << c.face << " " << c.height;
        EXPECT_GT(cell(font, font.pixelSize() + 1), c.height) << c.face << " " << c.height;
    }
}

TEST_F(DrawRunsTest, VerticalOffsetMovesEveryRunAndSymbol)
{
    GlyphCache cache;
    cache.Set(258 + 2 * 1, test::Solid(3, 16, kGreen));
    layout.cache = &cache;
    const std::vector<TextRun> runs = {MakeRun("Hxg"), MakeRun("[GIF_001]"), MakeRun("Ab", 0x0000FFFF)};
    QImage plain = test::Solid(100, 16, kBlack);
    const int width = Draw(runs, plain);
    layout.verticalOffset = -2;
    QImage raised = test::Solid(100, 16, kBlack);
    EXPECT_EQ(Draw(runs, raised), width);
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 100; ++x) ASSERT_EQ(raised.pixel(x, y), plain.pixel(x, y + 2)) << x << "," << y;
    EXPECT_EQ(LitCount(raised, 0, 100), LitCount(plain, 0, 100) - LitCount(plain.copy(0, 0, 100, 2)));
}

TEST_F(DrawRunsTest, PassBlacksOutTheSignRowsFirst)
{
    QImage target = test::Solid(20, 20, kWhite);
    Draw({}, target);
    EXPECT_EQ(test::Colours(target.copy(0, 0, 20, 16)), std::vector<QRgb>{kBlack});
    EXPECT_EQ(test::Colours(target.copy(0, 16, 20, 4)), std::vector<QRgb>{kWhite});
}

TEST_F(DrawRunsTest, VariantAMovesACharacterThatWouldStraddleAPage)
{
    const TextRun run = MakeRun("MMMM", 0x000000FF, 16, "Liberation Mono");
    const double w = Advance(run, "M");
    ASSERT_GT(w, 4);
    const int page = static_cast<int>(std::floor(3 * w - 1));  // the third M would straddle it
    ASSERT_GT(page, 2 * w + 2);
    layout.pageWidth = page;

    QImage paged = test::Solid(200, 16, kBlack);
    EXPECT_EQ(Draw({run}, paged), static_cast<int>(std::trunc(page + 2 * w)));
    EXPECT_EQ(LitCount(paged, static_cast<int>(std::ceil(2 * w)), page), 0);  // gap before the page
    EXPECT_GT(LitCount(paged, page, page + static_cast<int>(w)), 0);

    for (auto whole : {std::pair{0, 0}, std::pair{1, 1}}) {  // layout flag off, or Arabic on
        layout.layoutFlag = whole.first;
        layout.arabic = whole.second;
        QImage line = test::Solid(200, 16, kBlack);
        EXPECT_EQ(Draw({run}, line), static_cast<int>(std::trunc(Advance(run, "MMMM"))));
        EXPECT_GT(LitCount(line, static_cast<int>(std::ceil(2 * w)), page), 0);
    }
}

TEST_F(DrawRunsTest, VariantBNarrowsAndPagesOnTwelveRows)
{
    layout.rows = 12;
    layout.pageWidth = 33;
    layout.pagePitch = 40;
    const TextRun run = MakeRun("MMMMMMMM", 0x000000FF, 12, "Liberation Mono");
    const double w = Advance(run, "M");
    double pen = 0;
    for (int i = 0; i < 8; ++i) {
        const auto placed = PageRuleB(pen, w, 33, 40);
        pen = placed.penX + placed.width;
    }
    QImage target = test::Solid(200, 12, kBlack);
    EXPECT_EQ(Draw({run}, target), static_cast<int>(std::trunc(pen)));
    EXPECT_EQ(LitCount(target, 33, 40), 0);  // the unusable columns of the first page

    layout.pageWidth = 0;  // variant C even with the layout flag
    QImage whole = test::Solid(200, 12, kBlack);
    EXPECT_EQ(Draw({run}, whole), static_cast<int>(std::trunc(8 * w)));
}

TEST_F(DrawRunsTest, ThreeColourRunIsDrawnInBands)
{
    QImage target = test::Solid(200, 16, kBlack);
    TextRun run = MakeRun("HHH|||", 0x00FF00FF, 16);
    run.bold = 1;
    Draw({run}, target);
    for (int y = 0; y < 16; ++y) {
        const QRgb band = y < 5 ? kGreen : y < 10 ? kYellow : kRed;
        for (QRgb colour : test::Colours(target.copy(0, y, 200, 1)))
            EXPECT_TRUE(colour == kBlack || colour == band) << "row " << y << std::hex << " " << colour;
    }
    EXPECT_GT(LitCount(target.copy(0, 0, 200, 5)), 0);
    EXPECT_GT(LitCount(target.copy(0, 10, 200, 6)), 0);
}

TEST_F(DrawRunsTest, AnimationSymbolsComeFromTheCacheByRowsAndFrame)
{
    GlyphCache cache;
    cache.Set(6, test::Solid(2, 7, kRed));          // 7 rows, frame 0
    cache.Set(7, test::Solid(3, 7, kGreen));        // 7 rows, frame 1
    cache.Set(194 + 6, test::Solid(5, 12, kRed));   // 12 rows
    cache.Set(194 + 7, test::Solid(7, 12, kGreen));
    layout.cache = &cache;
    struct Case {
        int rows, frame, width;
        QRgb colour;
    } cases[] = {{7, 0, 2, kRed}, {7, 1, 3, kGreen}, {12, 0, 5, kRed}, {12, 1, 7, kGreen}, {8, 0, 0, kBlack}};
    for (const auto& c : cases) {
        layout.rows = c.rows;
        hasSecondFrame = 0;
        QImage target = test::Solid(20, c.rows, kBlack);
        EXPECT_EQ(Draw({MakeRun("[GIF_003]")}, target, true, c.frame), c.width) << c.rows;
        EXPECT_EQ(hasSecondFrame, 1);
        EXPECT_EQ(target.pixel(0, c.rows - 1), c.colour) << c.rows;
        EXPECT_EQ(target.pixel(c.width, 0), kBlack) << c.rows;
    }
    layout.rows = 7;
    QImage target = test::Solid(20, 7, kBlack);
    EXPECT_EQ(Draw({MakeRun("[GIF_070]"), MakeRun("[GIF_100]")}, target), 0);  // past the 7-row set
}

TEST_F(DrawRunsTest, PreviewSkipsRunsThatStartPastTheClientWidthButCountsThem)
{
    GlyphCache cache;
    cache.Set(258, test::Solid(300, 16, kGreen));
    layout.cache = &cache;
    layout.clientWidth = 280;
    const TextRun red = MakeRun("AB", 0x000000FF);
    for (int flag : {0, 1}) {
        layout.layoutFlag = flag;
        layout.pageWidth = flag ? 64 : 0;
        double end = 300 + Advance(red, "AB");
        if (flag) {
            end = 300;
            for (const char* c : {"A", "B"}) end = PageRuleA(end, Advance(red, c), 64) + Advance(red, c);
        }
        QImage preview = test::Solid(400, 16, kBlack);
        EXPECT_EQ(Draw({MakeRun("[GIF_000]"), red}, preview, false), static_cast<int>(std::trunc(end)));
        EXPECT_EQ(test::Colours(preview, 300, 400), std::vector<QRgb>{kBlack});

        QImage sent = test::Solid(400, 16, kBlack);
        EXPECT_EQ(Draw({MakeRun("[GIF_000]"), red}, sent, true), static_cast<int>(std::trunc(end)));
        EXPECT_GT(LitCount(sent, 300, 400), 0);
    }
}


// Characters set from their remembered pixels must give exactly the picture
// the renderer draws itself: every face, size, style and colour, on every
// variant, moved by the vertical offset and clipped at the picture's edges.
TEST_F(DrawRunsTest, RememberedCharactersMatchTheRendererPixelForPixel)
{
    std::vector<TextRun> runs;
    const char* faces[] = {"Liberation Sans", "Liberation Serif", "DejaVu Sans", "No Such Face", "SimSun"};
    const std::uint32_t colours[] = {0x000000FF, 0x0000FF00, 0x0000FFFF, 0x00FF00FF, 0x000096FF, 0x00000080};
    const std::string texts[] = {"Wavy jQ|g,", "Lumitag 0123", "\xe4\xb8\xad\xe6\x96\x87 \xc3\xa9\xc3\xa8 \xf0\x9f\x98\x80", "ff fi W"};
    int n = 0;
    for (const char* face : faces)
        for (int height : {7, 12, 16, 20}) {
            TextRun run = MakeRun(texts[n % 4], colours[n % 6], height, face);
            run.bold = n % 2;
            run.italic = n % 3 == 0 ? 1 : 0;
            run.underline = n % 5 == 0 ? 1 : 0;
            runs.push_back(run);
            ++n;
        }
    struct Variant {
        int rows, pageWidth, pagePitch, arabic, offset, width;
    } variants[] = {
        {16, 64, 0, 0, 0, 2000}, {16, 64, 0, 0, -3, 2000}, {16, 0, 0, 0, 2, 2000}, {12, 33, 40, 0, 0, 2000},
        {12, 48, 48, 0, 1, 2000}, {7, 0, 0, 0, 0, 2000},  {16, 64, 0, 0, 0, 150},  {16, 64, 0, 1, 0, 2000},
    };
    for (const auto& v : variants) {
        layout = {.rows = v.rows, .pageWidth = v.pageWidth, .pagePitch = v.pagePitch, .arabic = v.arabic,
                  .verticalOffset = v.offset, .clientWidth = 280};
        QImage drawn = test::Solid(v.width, v.rows, kBlack);
        UseGlyphSprites(false);
        const int drawnWidth = Draw(runs, drawn);
        UseGlyphSprites(true);
        for (int pass = 0; pass < 2; ++pass) {  // the second pass reads every character remembered
            QImage set = test::Solid(v.width, v.rows, kBlack);
            EXPECT_EQ(Draw(runs, set), drawnWidth) << v.rows << " " << v.pageWidth << " " << v.offset;
            EXPECT_TRUE(set == drawn) << v.rows << " " << v.pageWidth << " " << v.offset << " pass " << pass;
        }
    }
}

}  // namespace
}  // namespace lumitag
