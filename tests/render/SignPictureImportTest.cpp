// Pictures made for the sign: the formats of the models, fitting to the
// sign's rows, reduction to its colours by threshold and by ordered
// dithering, the drawing operations of the picture editor, and the reasons
// a picture file does not load.

#include "render/SignPictureEdit.h"
#include "render/SignPictureImport.h"
#include "tests/render/RenderTestSupport.h"

#include <QBuffer>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

namespace lumitag {
namespace {

using test::kBlack, test::kRed, test::kGreen, test::kYellow;

// A picture as rows of characters: '.' black, 'R' red, 'G' green, 'Y' yellow.
QImage FromMap(const std::vector<std::string>& rows)
{
    QImage image(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const char c = rows[y][x];
            image.setPixel(x, y, c == 'R' ? kRed : c == 'G' ? kGreen : c == 'Y' ? kYellow : kBlack);
        }
    return image;
}

std::vector<std::string> ToMap(const QImage& image)
{
    std::vector<std::string> rows;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            row += c == kBlack ? '.' : c == kRed ? 'R' : c == kGreen ? 'G' : c == kYellow ? 'Y' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

QImage Grey(int width, int height, int level)
{
    return test::Solid(width, height, qRgb(level, level, level));
}

TEST(SignPaletteTest, ExactlyTheSignColours)
{
    const auto single = SignPalette(SignColourKind::SingleColour);
    EXPECT_EQ(std::vector<QRgb>(single.begin(), single.end()), (std::vector<QRgb>{0xFF000000u, 0xFFFF0000u}));
    const auto four = SignPalette(SignColourKind::FourColour);
    EXPECT_EQ(std::vector<QRgb>(four.begin(), four.end()),
              (std::vector<QRgb>{0xFF000000u, 0xFFFF0000u, 0xFF00FF00u, 0xFFFFFF00u}));
}

TEST(PictureFormatTest, RowsAndColoursOfTheModel)
{
    using K = SignColourKind;
    struct Case {
        const char* model;
        SignPictureFormat format;
    } cases[] = {
        {"Q01", {7, K::SingleColour}},  {"Q05", {7, K::SingleColour}},  {"Q06", {12, K::SingleColour}},
        {"Q07", {7, K::FourColour}},    {"Q13", {7, K::FourColour}},    {"Q14", {12, K::SingleColour}},
        {"Q25", {12, K::SingleColour}}, {"Q26", {16, K::FourColour}},   {"Q36", {16, K::FourColour}},
        // The worker applies names ignoring case, the packer compares them whole.
        {"q07", {7, K::SingleColour}},  {"", {12, K::SingleColour}},    {"Q99", {12, K::SingleColour}},
    };
    for (const auto& c : cases) EXPECT_EQ(PictureFormatOfModel(c.model), c.format) << c.model;
}

TEST(FitTest, SizesKeepTheAspectRatio)
{
    struct Case {
        QSize source;
        int rows;
        QSize fitted;
    } cases[] = {
        {{100, 50}, 12, {24, 12}},
        {{1000, 1000}, 16, {16, 16}},
        {{1920, 1080}, 12, {21, 12}},   // 21.33
        {{1280, 720}, 16, {28, 16}},    // 28.44
        {{10, 4}, 7, {18, 7}},          // 17.5 rounds up
        {{3, 1000}, 7, {1, 7}},         // never narrower than a column
        {{32768, 1}, 16, {4096, 16}},   // never wider than the editor's limit
        {{32768, 32768}, 16, {16, 16}},
        {{5, 7}, 7, {5, 7}},
        {{0, 10}, 12, {}},
        {{10, 10}, 0, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(FittedSize(c.source, c.rows), c.fitted) << c.source.width() << "x" << c.source.height();
}

TEST(FitTest, ShrinkingAveragesAndEnlargingRepeatsPixels)
{
    // Columns of white and black pairs shrink to mid grey.
    QImage stripes(8, 8, QImage::Format_ARGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) stripes.setPixel(x, y, x % 2 ? kBlack : 0xFFFFFFFFu);
    const QImage half = FitToRows(stripes, 4);
    ASSERT_EQ(half.size(), QSize(4, 4));
    for (int x = 0; x < 4; ++x) EXPECT_NEAR(qRed(half.pixel(x, 1)), 128, 2) << x;

    const QImage small = FromMap({"RG", ".Y"});
    EXPECT_EQ(ToMap(FitToRows(small, 4)), (std::vector<std::string>{"RRGG", "RRGG", "..YY", "..YY"}));
}

TEST(FitTest, TransparentPartsBecomeBlack)
{
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, 0x00FFFFFFu);
    picture.setPixel(1, 0, kGreen);
    const QImage fitted = FitToRows(picture, 1);
    EXPECT_EQ(fitted.format(), QImage::Format_ARGB32);
    EXPECT_EQ(ToMap(fitted), (std::vector<std::string>{".G"}));
}

TEST(ThresholdTest, SingleColourLightsByLuminance)
{
    const int levels[] = {0, 100, 127, 128, 200, 255};
    QImage greys(6, 1, QImage::Format_ARGB32);
    for (int x = 0; x < 6; ++x) greys.setPixel(x, 0, qRgb(levels[x], levels[x], levels[x]));
    const QImage reduced = ReduceToSignColours(greys, SignColourKind::SingleColour, ColourReduction::Threshold, 128);
    EXPECT_EQ(ToMap(reduced), (std::vector<std::string>{"...RRR"}));
    // Threshold 0 still leaves black unlit; 255 lights only white.
    EXPECT_EQ(ToMap(ReduceToSignColours(greys, SignColourKind::SingleColour, ColourReduction::Threshold, 0)),
              (std::vector<std::string>{".RRRRR"}));
    EXPECT_EQ(ToMap(ReduceToSignColours(greys, SignColourKind::SingleColour, ColourReduction::Threshold, 255)),
              (std::vector<std::string>{".....R"}));
}

TEST(ThresholdTest, FourColoursFollowTheRedAndGreenChannels)
{
    const QRgb inputs[] = {qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 255), qRgb(0, 0, 255),
                           qRgb(200, 100, 0), qRgb(100, 200, 50), qRgb(128, 128, 0),  0x00FFFFFFu};
    QImage picture(8, 1, QImage::Format_ARGB32);
    for (int x = 0; x < 8; ++x) picture.setPixel(x, 0, inputs[x]);
    const QImage reduced = ReduceToSignColours(picture, SignColourKind::FourColour, ColourReduction::Threshold, 128);
    EXPECT_EQ(ToMap(reduced), (std::vector<std::string>{"RGY.RGY."}));
    EXPECT_TRUE(HasOnlySignColours(reduced, SignColourKind::FourColour));
}

TEST(OrderedTest, BayerPatternsOfKnownGreys)
{
    struct Case {
        int level;
        int threshold;
        std::vector<std::string> map;
    } cases[] = {
        {128, 128, {"R.R.", ".R.R", "R.R.", ".R.R"}},  // half the cells
        {64, 128, {"R.R.", "....", "R.R.", "...."}},   // a quarter
        {192, 128, {"RRRR", ".R.R", "RRRR", ".R.R"}},  // three quarters
        {64, 64, {"R.R.", ".R.R", "R.R.", ".R.R"}},    // the threshold moves the pattern
        {0, 0, {"....", "....", "....", "...."}},
        {255, 128, {"RRRR", "RRRR", "RRRR", "RRRR"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToMap(ReduceToSignColours(Grey(4, 4, c.level), SignColourKind::SingleColour, ColourReduction::Ordered,
                                            c.threshold)),
                  c.map)
            << c.level << "/" << c.threshold;
}

TEST(OrderedTest, PatternRepeatsEveryFourPixelsAndChannelsDitherApart)
{
    const QImage reduced = ReduceToSignColours(test::Solid(8, 4, qRgb(128, 64, 0)), SignColourKind::FourColour,
                                               ColourReduction::Ordered, 128);
    EXPECT_EQ(ToMap(reduced), (std::vector<std::string>{"Y.Y.Y.Y.", ".R.R.R.R", "Y.Y.Y.Y.", ".R.R.R.R"}));
}

TEST(ImportTest, APhotoBecomesASignPictureOfTheModel)
{
    QImage photo(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) photo.setPixel(x, y, qRgb(x * 255 / 639, y * 255 / 479, (x + y) % 256));
    for (const char* model : {"Q01", "Q07", "Q14", "Q30"}) {
        const SignPictureFormat format = PictureFormatOfModel(model);
        for (const auto mode : {ColourReduction::Threshold, ColourReduction::Ordered}) {
            const QImage picture = ImportForSign(photo, format, mode, 128);
            EXPECT_EQ(picture.size(), QSize(format.rows * 4 / 3, format.rows)) << model;
            EXPECT_TRUE(HasOnlySignColours(picture, format.colours)) << model;
        }
    }
    EXPECT_FALSE(HasOnlySignColours(photo, SignColourKind::FourColour));
    EXPECT_FALSE(HasOnlySignColours(FromMap({"G"}), SignColourKind::SingleColour));
}

TEST(EditTest, LinesLightTheSamePixelsEitherWay)
{
    QImage a = NewSignPicture(5, 3);
    DrawLine(a, {0, 0}, {4, 2}, kRed);
    EXPECT_EQ(ToMap(a), (std::vector<std::string>{"R....", ".RR..", "...RR"}));  // halves round down the picture
    QImage b = NewSignPicture(5, 3);
    DrawLine(b, {4, 2}, {0, 0}, kRed);
    EXPECT_EQ(ToMap(b), ToMap(a));
    QImage clipped = NewSignPicture(3, 1);
    DrawLine(clipped, {-5, 0}, {10, 0}, kGreen);  // outside parts ignored
    EXPECT_EQ(ToMap(clipped), (std::vector<std::string>{"GGG"}));
}

TEST(EditTest, RectangleOutlineFillAndFlood)
{
    QImage picture = NewSignPicture(6, 5);
    DrawRectangle(picture, {4, 3}, {1, 0}, kYellow, false);
    EXPECT_EQ(ToMap(picture), (std::vector<std::string>{".YYYY.", ".Y..Y.", ".Y..Y.", ".YYYY.", "......"}));
    // The fill stays inside the outline; outside, the black area wraps round.
    EXPECT_EQ(FloodFill(picture, {2, 1}, kRed), 4);
    EXPECT_EQ(FloodFill(picture, {0, 0}, kGreen), 14);
    EXPECT_EQ(ToMap(picture), (std::vector<std::string>{"GYYYYG", "GYRRYG", "GYRRYG", "GYYYYG", "GGGGGG"}));
    EXPECT_EQ(FloodFill(picture, {0, 0}, kGreen), 0);
    EXPECT_EQ(FloodFill(picture, {9, 9}, kRed), 0);
    DrawRectangle(picture, {-1, -1}, {1, 1}, kBlack, true);
    EXPECT_EQ(ToMap(picture)[0], "..YYYG");
    EXPECT_EQ(ToMap(picture)[1], "..RRYG");
}

TEST(EditTest, FloodFillOfTheLargestCanvas)
{
    QImage picture = NewSignPicture(kMaxSignPictureWidth, kMaxSignPictureRows);
    EXPECT_EQ(FloodFill(picture, {100, 5}, kGreen), kMaxSignPictureWidth * kMaxSignPictureRows);
}

TEST(EditTest, NewPictureAndCanvasLimits)
{
    EXPECT_EQ(NewSignPicture(40, 12).size(), QSize(40, 12));
    EXPECT_EQ(NewSignPicture(100000, 100).size(), QSize(kMaxSignPictureWidth, kMaxSignPictureRows));
    EXPECT_EQ(NewSignPicture(0, 0).size(), QSize(1, 1));
    const QImage grown = ResizeCanvas(FromMap({"RG", "YR"}), {3, 3});
    EXPECT_EQ(ToMap(grown), (std::vector<std::string>{"RG.", "YR.", "..."}));
    EXPECT_EQ(ToMap(ResizeCanvas(FromMap({"RG", "YR"}), {1, 2})), (std::vector<std::string>{"R", "Y"}));
}

TEST(EditTest, MoveLeavesBlackAndDropsWhatFallsOff)
{
    QImage picture = FromMap({"RG..", "YR..", "...."});
    MoveArea(picture, QRect(0, 0, 2, 2), {1, 1});
    EXPECT_EQ(ToMap(picture), (std::vector<std::string>{"....", ".RG.", ".YR."}));
    MoveArea(picture, QRect(1, 1, 2, 2), {2, 0});
    EXPECT_EQ(ToMap(picture), (std::vector<std::string>{"....", "...R", "...Y"}));
}

TEST(EditTest, StampedTextHasOnlyTheChosenColourAndStartsWhereAsked)
{
    test::EnsureGuiApplication();
    QImage picture = NewSignPicture(60, 12);
    const int width = StampText(picture, {10, 0}, {"Hi", "Liberation Sans", 12, true}, kGreen);
    EXPECT_GT(width, 4);
    const auto colours = test::Colours(picture);
    EXPECT_EQ(colours.size(), 2u);
    EXPECT_NE(std::find(colours.begin(), colours.end(), kGreen), colours.end());
    EXPECT_EQ(test::Colours(picture, 0, 10), (std::vector<QRgb>{kBlack}));
    EXPECT_EQ(test::Colours(picture, 10 + width + 2), (std::vector<QRgb>{kBlack}));
}

class LoadReasonTest : public ::testing::Test {
protected:
    std::filesystem::path Write(const std::string& name, const QByteArray& bytes)
    {
        const auto path = folder_.path() / name;
        std::ofstream(path, std::ios::binary).write(bytes.constData(), bytes.size());
        return path;
    }
    test::TempFolder folder_;
};

QByteArray Png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A BMP header claiming `width` x `height` at 24 bits with no pixels behind it.
QByteArray HugeBmpHeader(std::uint32_t width, std::uint32_t height)
{
    QByteArray out("BM");
    auto put = [&out](std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) out.append(char((v >> (8 * i)) & 0xFF));
    };
    put(54, 4), put(0, 4), put(54, 4), put(40, 4), put(width, 4), put(height, 4), put(1, 2), put(24, 2);
    put(0, 4), put(0, 4), put(2835, 4), put(2835, 4), put(0, 4), put(0, 4);
    return out;
}

std::uint32_t Crc32(const QByteArray& bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= std::uint8_t(byte);
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// The PNG signature and a valid header chunk claiming 60000 x 60000.
QByteArray HugePngHeader()
{
    QByteArray chunk("IHDR");
    for (const std::uint8_t b : {0, 0, 0xEA, 0x60, 0, 0, 0xEA, 0x60, 8, 2, 0, 0, 0}) chunk.append(char(b));
    auto be32 = [](std::uint32_t v) {
        const char bytes[] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
        return QByteArray(bytes, 4);
    };
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + be32(13) + chunk + be32(Crc32(chunk));
}

TEST(ClaimedSizeTest, HeadersOfEachFormat)
{
    struct Case {
        const char* name;
        QByteArray head;
        std::optional<std::pair<std::int64_t, std::int64_t>> size;
    } cases[] = {
        {"bmp", HugeBmpHeader(60000, 60000), std::pair{60000, 60000}},
        {"top-down bmp", HugeBmpHeader(5, std::uint32_t(-7)), std::pair{5, 7}},
        {"png", HugePngHeader(), std::pair{60000, 60000}},
        {"gif", QByteArray("GIF87a\x03\x00\x02\x00", 10), std::pair{3, 2}},
        // The frame header after an application segment.
        {"jpeg", QByteArray("\xFF\xD8\xFF\xE0\x00\x04JF\xFF\xC2\x00\x0B\x08\x00\x10\x00\x20\x01\x01\x11\x00",21),
         std::pair{32, 16}},
        // A segment length running past the bytes, or shorter than itself.
        {"jpeg cut", QByteArray("\xFF\xD8\xFF\xE0\xFF\xF0JFIF\x00\x00", 12), std::nullopt},
        {"jpeg loop", QByteArray("\xFF\xD8\xFF\xE0\x00\x00\x00\x00\x00\x00\x00", 11), std::nullopt},
        {"short bmp", QByteArray("BM\x00\x00", 4), std::nullopt},
        {"text", QByteArray("hello there, no picture"), std::nullopt},
    };
    for (const auto& c : cases) {
        const auto claimed = ClaimedSizeOf(c.head);
        ASSERT_EQ(claimed.has_value(), c.size.has_value()) << c.name;
        if (claimed) {
            EXPECT_EQ(claimed->width, c.size->first) << c.name;
            EXPECT_EQ(claimed->height, c.size->second) << c.name;
        }
    }
}

TEST_F(LoadReasonTest, EachFailureHasItsReason)
{
    const QImage picture = FromMap({"RG.", "YRG"});
    const QByteArray png = Png(picture);
    const QByteArray bigPng = Png(test::Solid(40, 40, kRed));

    struct Case {
        const char* name;
        QByteArray bytes;
        PictureLoadError error;
    } cases[] = {
        {"good.png", png, PictureLoadError::None},
        {"good.bmp", EncodeBmp32(picture), PictureLoadError::None},
        {"notes.txt", "just some words, not a picture\n", PictureLoadError::UnsupportedFormat},
        {"empty.png", "", PictureLoadError::UnsupportedFormat},
        {"huge.bmp", HugeBmpHeader(60000, 60000), PictureLoadError::TooLarge},
        {"huge.png", HugePngHeader(), PictureLoadError::TooLarge},
        {"huge.gif", QByteArray("GIF89a\x60\xEA\x60\xEA\x00\x00\x00", 13), PictureLoadError::TooLarge},
        {"huge.jpg", QByteArray("\xFF\xD8\xFF\xE0\x00\x04JF\xFF\xC0\x00\x0B\x08\xEA\x60\xEA\x60\x01\x01\x11\x00\xFF\xD9",23),
         PictureLoadError::TooLarge},
        {"cut.png", bigPng.left(bigPng.size() / 2), PictureLoadError::Damaged},
    };
    for (const auto& c : cases) {
        const LoadedPicture loaded = LoadPictureWithReason(Write(c.name, c.bytes));
        EXPECT_EQ(loaded.error, c.error) << c.name;
        EXPECT_EQ(loaded.image.isNull(), c.error != PictureLoadError::None) << c.name;
        if (c.error == PictureLoadError::None) {
            EXPECT_EQ(ToMap(loaded.image), ToMap(picture)) << c.name;
        }
    }
    EXPECT_EQ(LoadPictureWithReason(folder_.path() / "missing.png").error, PictureLoadError::NotFound);
    EXPECT_EQ(LoadPictureWithReason(folder_.path()).error, PictureLoadError::NotAFile);
    const auto fifo = folder_.path() / "pipe.png";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(LoadPictureWithReason(fifo).error, PictureLoadError::NotAFile);
}

}  // namespace
}  // namespace lumitag
