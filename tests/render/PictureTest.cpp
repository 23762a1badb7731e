// Picture loading: every BMP flavour a user or a damaged Data folder may
// hand us, and things that are not pictures at all.

#include "render/CaseInsensitivePath.h"
#include "render/PictureLoader.h"
#include "tests/render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <fstream>
#include <limits>

namespace lumitag {
namespace {

using test::kBlack, test::kRed, test::kGreen, test::kYellow;

void Put(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string FromHex(const std::string& hex)
{
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

struct BmpSpec {
    std::int32_t width;
    std::int32_t height;  // negative: top-down
    int bpp;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB
    std::vector<std::uint32_t> masks;    // bit fields (R, G, B)
    std::string pixelHex;                // rows as stored, padded to 4 bytes
};

std::string MakeBmp(const BmpSpec& s)
{
    const std::string pixels = FromHex(s.pixelHex);
    const std::uint32_t offset = 14 + 40 + 4 * static_cast<std::uint32_t>(s.palette.size() + s.masks.size());
    std::string out = "BM";
    Put(out, offset + static_cast<std::uint32_t>(pixels.size()), 4);
    Put(out, 0, 4);
    Put(out, offset, 4);
    Put(out, 40, 4);
    Put(out, static_cast<std::uint32_t>(s.width), 4);
    Put(out, static_cast<std::uint32_t>(s.height), 4);
    Put(out, 1, 2);
    Put(out, s.bpp, 2);
    Put(out, s.compression, 4);
    Put(out, static_cast<std::uint32_t>(pixels.size()), 4);
    Put(out, 2835, 4);
    Put(out, 2835, 4);
    Put(out, static_cast<std::uint32_t>(s.palette.size()), 4);
    Put(out, 0, 4);
    for (auto m : s.masks) Put(out, m, 4);
    for (auto c : s.palette) Put(out, c, 4);
    return out + pixels;
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<QRgb> Pixels(const QImage& image)
{
    std::vector<QRgb> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) out.push_back(image.pixel(x, y));
    return out;
}

class PictureTest : public ::testing::Test {
protected:
    test::TempFolder folder;
};

TEST_F(PictureTest, EveryBmpFlavourGivesItsPixelsTopRowFirst)
{
    struct Case {
        const char* name;
        BmpSpec spec;
        std::vector<QRgb> pixels;
    } cases[] = {
        {"1 bit", {3, 2, 1, 0, {0x000000, 0xFF0000}, {}, "a0000000" "40000000"},
         {kBlack, kRed, kBlack, kRed, kBlack, kRed}},
        {"4 bits", {2, 1, 4, 0, {0x000000, 0xFF0000, 0x00FF00}, {}, "12000000"}, {kRed, kGreen}},
        {"8 bits", {2, 1, 8, 0, {0x000000, 0xFF0000, 0xFFFF00}, {}, "02010000"}, {kYellow, kRed}},
        {"24 bits", {2, 1, 24, 0, {}, {}, "0000ff" "00ff00" "0000"}, {kRed, kGreen}},
        {"32 bits top-down", {1, -2, 32, 0, {}, {}, "0000ff00" "00ff0000"}, {kRed, kGreen}},
        {"32 bits bottom-up", {1, 2, 32, 0, {}, {}, "0000ff00" "00ff0000"}, {kGreen, kRed}},
        {"32-bit bit fields", {1, 1, 32, 3, {}, {0x00FF0000, 0x0000FF00, 0x000000FF}, "00ffff00"}, {kYellow}},
    };
    for (const auto& c : cases) {
        const auto path = folder.path() / "flavour.bmp";
        WriteBytes(path, MakeBmp(c.spec));
        const QImage image = LoadPicture(path);
        ASSERT_FALSE(image.isNull()) << c.name;
        EXPECT_EQ(image.format(), QImage::Format_ARGB32) << c.name;
        EXPECT_EQ(Pixels(image), c.pixels) << c.name;
        EXPECT_EQ(PictureWidth(path), c.spec.width) << c.name;
    }
}

TEST_F(PictureTest, DamagedOrHostileFilesAreUnloadable)
{
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"huge", MakeBmp({60000, 60000, 24, 0, {}, {}, "0000ff"})},
        {"huge top-down", MakeBmp({60000, -60000, 32, 0, {}, {}, "00000000"})},
        {"over the allocation limit", MakeBmp({20000, 20000, 24, 0, {}, {}, "0000ff"})},
        {"lowest height", MakeBmp({4, std::numeric_limits<std::int32_t>::min(), 32, 0, {}, {}, "00000000"})},
        {"zero width", MakeBmp({0, 4, 32, 0, {}, {}, ""})},
        {"truncated header", MakeBmp({2, 1, 24, 0, {}, {}, "0000ff00ff000000"}).substr(0, 30)},
        {"not a picture", "this is not a bitmap at all"},
        {"empty", ""},
    };
    for (const auto& c : cases) {
        const auto path = folder.path() / "hostile.bmp";
        WriteBytes(path, c.bytes);
        EXPECT_TRUE(LoadPicture(path).isNull()) << c.name;
        EXPECT_EQ(PictureWidth(path), 0) << c.name;
    }
}

// An uncompressed file whose header claims more rows than the file holds
// is refused before decoding; a last row without its padding still loads.
TEST_F(PictureTest, PixelDataShorterThanTheHeaderClaimsIsRefused)
{
    struct Case {
        const char* name;
        std::string bytes;
        bool loads;
    } cases[] = {
        {"512 x 15873 in 57 bytes", MakeBmp({512, 15873, 1, 0, {}, {}, "ff"}), false},
        {"one row of two", MakeBmp({2, 2, 24, 0, {}, {}, "0000ff00ff000000"}), false},
        {"top-down, one row of two", MakeBmp({1, -2, 32, 0, {}, {}, "0000ff00"}), false},
        {"bit fields, short", MakeBmp({4, 4, 32, 3, {}, {0x00FF0000, 0x0000FF00, 0x000000FF}, "00ffff00"}), false},
        {"last row without padding", MakeBmp({2, 2, 24, 0, {}, {}, "0000ff00ff000000" "0000ff00ff00"}), true},
        {"whole", MakeBmp({2, 2, 24, 0, {}, {}, "0000ff00ff000000" "0000ff00ff000000"}), true},
    };
    for (const auto& c : cases) {
        const auto path = folder.path() / "short.bmp";
        WriteBytes(path, c.bytes);
        EXPECT_EQ(!LoadPicture(path).isNull(), c.loads) << c.name;
        EXPECT_EQ(!LoadPictureData(QByteArray::fromStdString(c.bytes)).isNull(), c.loads) << c.name;
    }
}

TEST_F(PictureTest, OddPixelDataNeverCrashes)
{
    // Whatever the reader makes of these, it answers and stays in bounds.
    const std::string cases[] = {
        MakeBmp({2, 2, 8, 0, {0x000000, 0xFF0000}, {}, "c8ff0000" "01000000"}),  // index past the palette
        MakeBmp({64, 64, 24, 0, {}, {}, "0000ff"}),                              // pixel data cut short
        MakeBmp({4, 1, 8, 1, {0x000000, 0xFF0000}, {}, "ff01" "0001"}),           // RLE run past the row
        MakeBmp({1, 1, 32, 3, {}, {0, 0, 0}, "ffffffff"}),                       // empty masks
    };
    for (const auto& bytes : cases) {
        const auto path = folder.path() / "odd.bmp";
        WriteBytes(path, bytes);
        const QImage image = LoadPicture(path);
        if (!image.isNull()) {
            EXPECT_EQ(image.format(), QImage::Format_ARGB32);
            EXPECT_LE(image.width(), 64);
            EXPECT_LE(image.height(), 64);
        }
    }
}

TEST_F(PictureTest, OnlyRegularFilesAreRead)
{
    const auto real = folder.path() / "real.bmp";
    test::WriteFixture(real, test::Solid(3, 2, kRed));

    const auto directory = folder.path() / "folder.bmp";
    std::filesystem::create_directories(directory);
    const auto fifo = folder.path() / "pipe.bmp";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const auto link = folder.path() / "link.bmp";
    std::filesystem::create_symlink(real, link);

    EXPECT_TRUE(LoadPicture(directory).isNull());
    EXPECT_TRUE(LoadPicture(fifo).isNull());  // would block forever if opened
    EXPECT_TRUE(LoadPicture("/dev/zero").isNull());
    EXPECT_TRUE(LoadPicture(folder.path() / "missing.bmp").isNull());
    EXPECT_TRUE(LoadPicture("").isNull());
    EXPECT_EQ(LoadPicture(link).size(), QSize(3, 2));
}

TEST_F(PictureTest, NamesAreMatchedIgnoringCase)
{
    const auto real = folder.path() / "Data" / "ASCII" / "65.bmp";
    test::WriteFixture(real, test::Solid(6, 7, kRed));

    EXPECT_EQ(ResolveIgnoringCase(folder.path() / "Data" / "Ascii" / "65.bmp"), real);
    EXPECT_EQ(ResolveIgnoringCase(folder.path() / "data" / "ascii" / "65.BMP"), real);
    EXPECT_EQ(ResolveIgnoringCase(real), real);
    EXPECT_FALSE(ResolveIgnoringCase(folder.path() / "Data" / "Ascii" / "66.bmp"));
    EXPECT_FALSE(ResolveIgnoringCase(folder.path() / "Data" / "ASCII" / "65.bmp" / "x"));
    EXPECT_EQ(LoadPicture(folder.path() / "DATA" / "ascii" / "65.bmp").width(), 6);

    // Names from content strings may be any length: within what a file system
    // opens they resolve, beyond it they name nothing (and cost nothing).
    std::string dots;
    for (int i = 0; i < 1000; ++i) dots += "./";
    EXPECT_EQ(ResolveIgnoringCase(folder.path().string() + "/" + dots + "DATA/Ascii/65.bmp"), real);
    for (int i = 0; i < 5000; ++i) dots += "./";
    EXPECT_FALSE(ResolveIgnoringCase(folder.path().string() + "/" + dots + "DATA/Ascii/65.bmp"));
    std::string ups = folder.path().string();
    for (int i = 0; i < 20000; ++i) ups += "/..";
    EXPECT_FALSE(ResolveIgnoringCase(ups + "/nothing.bmp"));
    EXPECT_TRUE(LoadPicture(ups + "/nothing.bmp").isNull());
}

}  // namespace
}  // namespace lumitag
