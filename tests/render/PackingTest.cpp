// Packed bytes of slot images and glyph codes, the word limit, and the BMP
// layout of slot image files: byte for byte.

#include "render/BmpFile.h"
#include "render/GlyphCodePacker.h"
#include "render/ImagePacker.h"
#include "link/WordLimit.h"
#include "tests/render/RenderTestSupport.h"

#include <gtest/gtest.h>

namespace lumitag {
namespace {

using test::Hex;
using test::Repeat;

using test::kBlack, test::kRed, test::kGreen, test::kYellow;
constexpr QRgb kDarkRed = 0xFF800000u;

TEST(PackOneBit, RowsArePackedOnTheirOwnLeftmostPixelInTheTopBit)
{
    // 10 x 7: columns 0, 8 and 9 lit, except row 3 with columns 1 and 9.
    QImage image = test::Solid(10, 7, kBlack);
    for (int y = 0; y < 7; ++y) {
        image.setPixel(y == 3 ? 1 : 0, y, kRed);
        if (y != 3) image.setPixel(8, y, kGreen);
        image.setPixel(9, y, kYellow);
    }
    const auto bytes = PackPixels(image, {.bitsPerPixel = 1});
    EXPECT_EQ(Hex(bytes), Repeat("80c0", 3) + "4040" + Repeat("80c0", 3));
}

TEST(PackOneBit, PlanesSelectPixelsByExactColour)
{
    // red, green, yellow, black, dark red, transparent red
    QImage image = test::Solid(6, 1, kBlack);
    const QRgb pixels[] = {kRed, kGreen, kYellow, kBlack, kDarkRed, 0x00FF0000u};
    for (int x = 0; x < 6; ++x) image.setPixel(x, 0, pixels[x]);
    struct Case {
        Plane plane;
        const char* hex;
    } cases[] = {{Plane::Any, "e8"}, {Plane::Red, "a0"}, {Plane::Green, "60"}};
    for (const auto& c : cases)
        EXPECT_EQ(Hex(PackPixels(image, {.bitsPerPixel = 1, .plane = c.plane})), c.hex) << int(c.plane);
}

TEST(PackOneBit, UnloadablePictureGivesNoBytesEvenForADateSlot)
{
    EXPECT_TRUE(PackPixels(QImage(), {.bitsPerPixel = 1}).empty());
    EXPECT_TRUE(PackPixels(QImage(), {.bitsPerPixel = 1, .pageWidth = 64, .dateFlag = true}).empty());
}

// 70 x 16 on P = 64: page 0 starts red, green, dark red, black; page 1 holds
// the six columns red, green, yellow, black, red, green.
QImage SeventyColumns()
{
    QImage image = test::Solid(70, 16, kBlack);
    const QRgb page0[] = {kRed, kGreen, kDarkRed, kBlack};
    for (int x = 0; x < 4; ++x) image.setPixel(x, 0, page0[x]);
    const QRgb page1[] = {kRed, kGreen, kYellow, kBlack, kRed, kGreen};
    for (int x = 0; x < 6; ++x) image.setPixel(64 + x, 0, page1[x]);
    return image;
}

TEST(PackTwoBits, PagesOfColourCodesPerProtocol)
{
    struct Case {
        const char* name;
        LinkProtocol protocol;
        bool dateFlag;
        std::string hex;
    } cases[] = {
        {"plain", LinkProtocol::Hello, false,
         "36" + Repeat("00", 15) + Repeat(Repeat("00", 16), 15) +  // page 0
             "36f6" + Repeat("ff", 14) + Repeat("00f0" + Repeat("ff", 14), 15)},
        {"inverted", LinkProtocol::Paged273, false,
         "c9" + Repeat("ff", 15) + Repeat(Repeat("ff", 16), 15) +  //
             "c9f9" + Repeat("ff", 14) + Repeat(Repeat("ff", 16), 15)},
        {"zero fill", LinkProtocol::Bus276, false,
         "36" + Repeat("00", 15) + Repeat(Repeat("00", 16), 15) +  //
             "36f6" + Repeat("00", 14) + Repeat("00f0" + Repeat("00", 14), 15)},
        {"date page", LinkProtocol::Hello, true,
         "36" + Repeat("00", 15) + Repeat(Repeat("00", 16), 15) +  //
             "36f6" + Repeat("ff", 14) + Repeat("00f0" + Repeat("ff", 14), 15) + Repeat("00", 256)},
    };
    for (const auto& c : cases) {
        const auto bytes = PackPixels(
            SeventyColumns(), {.protocol = c.protocol, .bitsPerPixel = 2, .pageWidth = 64, .dateFlag = c.dateFlag});
        EXPECT_EQ(Hex(bytes), c.hex) << c.name;
    }
}

TEST(PackTwoBits, InvertedRowsOfAPartialPageKeepTheirUncoveredBitsSet)
{
    // Black rows on the partial page: covered bits 11 when inverted, uncovered 1.
    const auto bytes = PackPixels(test::Solid(70, 16, kBlack),
                                  {.protocol = LinkProtocol::Paged273, .bitsPerPixel = 2, .pageWidth = 64});
    ASSERT_EQ(bytes.size(), 512u);
    EXPECT_EQ(Hex(bytes), Repeat("ff", 512));
}

TEST(PackTwoBits, DateSlotWithoutPictureIsOneZeroPage)
{
    struct Case {
        int pageWidth;
        int rows;
        std::size_t bytes;
    } cases[] = {{64, 16, 256}, {48, 16, 256}, {256, 16, 1024}, {128, 16, 512}};
    for (const auto& c : cases) {
        const auto bytes =
            PackPixels(QImage(), {.bitsPerPixel = 2, .pageWidth = c.pageWidth, .dateFlag = true, .rows = c.rows});
        EXPECT_EQ(bytes, std::vector<std::uint8_t>(c.bytes, 0x00)) << c.pageWidth;
    }
    EXPECT_TRUE(PackPixels(QImage(), {.bitsPerPixel = 2, .pageWidth = 64}).empty());
}

TEST(PackTwoBits, PageBytesGrowWithTallPages)
{
    // 256 columns x 16 rows x 2 bits is 1024 bytes per page, more than 256.
    const auto bytes = PackPixels(test::Solid(300, 16, kRed), {.bitsPerPixel = 2, .pageWidth = 256});
    ASSERT_EQ(bytes.size(), 2u * 1024u);
    EXPECT_EQ(bytes[0], 0xAA);                 // four red pixels
    EXPECT_EQ(bytes[1024 + 10], 0xAA);         // page 1 covers 44 columns: 11 bytes
    EXPECT_EQ(bytes[1024 + 11], 0xFF);         // fill after them
}

TEST(PackTwoBits, PageWidthsOutsideTheCatalogueStayInsideTheirPages)
{
    // Rows start at byte y * 2P / 8: with P = 6 a row's last byte is the next
    // row's first. With P = 1025 on one row the last pixel would fall on byte
    // 256, past the 256-byte page: it is dropped.
    struct Case {
        int width, height, pageWidth;
        std::string hex;
    } cases[] = {
        {6, 2, 6, "aaaafa" + Repeat("ff", 253)},
        {1025, 1, 1025, Repeat("aa", 256)},
        {2050, 1, 1025, Repeat("aa", 512)},
    };
    for (const auto& c : cases) {
        const auto bytes = PackPixels(test::Solid(c.width, c.height, kRed), {.bitsPerPixel = 2, .pageWidth = c.pageWidth});
        EXPECT_EQ(Hex(bytes), c.hex) << c.width << "x" << c.height << " P=" << c.pageWidth;
    }
}

TEST(PackImageFileTest, LoadsTheFileAndReplacesTheRecord)
{
    test::TempFolder folder;
    const auto path = folder.path() / "slot.bmp";
    QImage image = test::Solid(10, 7, kBlack);
    image.setPixel(9, 6, kRed);
    test::WriteFixture(path, image);

    PackedImage record;
    record.data = {1, 2, 3};
    record.size = 3;
    PackImageFile(path, record, {.bitsPerPixel = 1});
    EXPECT_EQ(Hex(record.data), Repeat("0000", 6) + "0040");
    EXPECT_EQ(record.size, 14);

    PackImageFile(folder.path() / "missing.bmp", record, {.bitsPerPixel = 1});
    EXPECT_TRUE(record.data.empty());
    EXPECT_EQ(record.size, 0);
}

TEST(GlyphCodes, TokensCharactersAndDroppedCodes)
{
    struct Case {
        const char* payload;
        const char* hex;
    } cases[] = {
        {"A[GIF_005]", "4165"},
        {"[GIF_099]", ""},            // 195 exceeds 194
        {"B[GIF_098]", "42c2"},       // 194 is the largest code
        {"[GIF_01]", "5b4749465f30315d"},  // no token: nine characters missing
        {"\xc3\x80\xc3\xa9Z", "c05a"},  // U+00C0 kept, U+00E9 dropped
        {"[GIF_  7]", "67"},          // blanks before the number
    };
    for (const auto& c : cases) EXPECT_EQ(Hex(GlyphCodeBytes(c.payload)), c.hex) << c.payload;
}

TEST(GlyphCodes, AtMost4096CodesAndEmptyRecordWithoutCodes)
{
    PackedImage record;
    PackGlyphCodes(std::string(5000, 'A'), record);
    EXPECT_EQ(record.size, 4096);
    EXPECT_EQ(record.data, std::vector<std::uint8_t>(4096, 'A'));

    PackGlyphCodes("\xe4\xb8\xad", record);  // only a code above 194
    EXPECT_TRUE(record.data.empty());
    EXPECT_EQ(record.size, 0);
}

PackedTables Tables(std::initializer_list<std::pair<int, int>> sizes)
{
    PackedTables tables;
    int slot = 0;
    for (auto [a, b] : sizes) {
        tables.frame0[slot].data.assign(a, 0x11);
        tables.frame0[slot].size = a;
        tables.frame1[slot].data.assign(b, 0x22);
        tables.frame1[slot].size = b;
        ++slot;
    }
    return tables;
}

TEST(WordLimitTest, FirstSlotOverTheLimitIsCutLaterOnesDropped)
{
    std::array<bool, kPackedSlots> sent{true, true, true};
    PackedTables tables = Tables({{5000, 0}, {5000, 0}, {5000, 0}});
    const int over = ApplyWordLimit("Q15", sent, tables);
    EXPECT_EQ(over, 3000);
    EXPECT_EQ(OverLimitWords(over), 167);
    EXPECT_EQ(tables.frame0[0].size, 5000);
    EXPECT_EQ(tables.frame0[2].size, 2000);
    EXPECT_EQ(tables.frame0[2].bytes().size(), 2000u);
}

TEST(WordLimitTest, BothFramesShareTheAllowanceAndLaterSlotsAreEmptied)
{
    std::array<bool, kPackedSlots> sent{true, true, false, true};
    PackedTables tables = Tables({{4000, 0}, {8000, 8000}, {9000, 0}, {100, 100}});
    EXPECT_EQ(ApplyWordLimit("Q14", sent, tables), 4000 + 16000 + 200 - 12000);
    EXPECT_EQ(tables.frame0[1].size, 4000);
    EXPECT_EQ(tables.frame1[1].size, 4000);
    EXPECT_EQ(tables.frame0[2].size, 9000);  // not sent: untouched and not counted
    EXPECT_EQ(tables.frame0[3].size, 0);
    EXPECT_EQ(tables.frame1[3].size, 0);
}

TEST(WordLimitTest, OnlyFiveModelsHaveALimit)
{
    std::array<bool, kPackedSlots> sent{true, true, true};
    for (const char* model : {"Q14", "Q15", "Q18", "Q20", "Q21"}) {
        PackedTables tables = Tables({{5000, 0}, {5000, 0}, {5000, 0}});
        EXPECT_EQ(ApplyWordLimit(model, sent, tables), 3000) << model;
    }
    for (const char* model : {"Q16", "Q17", "Q19", "Q22", "Q06", "Q36", "q15"}) {
        PackedTables tables = Tables({{5000, 0}, {5000, 0}, {5000, 0}});
        EXPECT_EQ(ApplyWordLimit(model, sent, tables), 0) << model;
        EXPECT_EQ(tables.frame0[2].size, 5000) << model;
    }
}

TEST(WordLimitTest, ReadsTheSendFieldOfTheParameterTable)
{
    SlotParamTable params;
    params.at(SlotField::send, 0) = 1;
    params.at(SlotField::send, 1) = 0;
    params.at(SlotField::send, 2) = 1;
    PackedTables tables = Tables({{7000, 0}, {7000, 0}, {7000, 0}});
    EXPECT_EQ(ApplyWordLimit("Q20", params, tables), 2000);
    EXPECT_EQ(tables.frame0[1].size, 7000);
    EXPECT_EQ(tables.frame0[2].size, 5000);
}

TEST(BmpFileTest, ThirtyTwoBitBottomUpLayout)
{
    QImage image = test::Solid(2, 2, kBlack);
    image.setPixel(0, 0, kRed);
    image.setPixel(1, 1, kGreen);
    const QByteArray bytes = EncodeBmp32(image);
    EXPECT_EQ(bytes.toHex().toStdString(),
              "424d" "46000000" "00000000" "36000000"  // file header: 70 bytes, pixels at 54
              "28000000" "02000000" "02000000" "0100" "2000" "00000000" "10000000"
              "130b0000" "130b0000" "00000000" "00000000"
              "000000ff" "00ff00ff"   // bottom row: black, green
              "0000ffff" "000000ff"); // top row: red, black
}

TEST(BmpFileTest, NullPictureIsNotWritten)
{
    test::TempFolder folder;
    const auto path = folder.path() / "null.bmp";
    EXPECT_TRUE(EncodeBmp32(QImage()).isEmpty());
    EXPECT_FALSE(WriteBmp32(QImage(), path));
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace lumitag
