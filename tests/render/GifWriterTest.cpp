// Animated GIFs as Qt's own reader sees them: frame count, size, delays and
// the exact colours of sign pictures.

#include "render/GifWriter.h"
#include "render/SignColours.h"
#include "tests/render/RenderTestSupport.h"

#include <QBuffer>
#include <QImageReader>
#include <QMovie>

#include <gtest/gtest.h>

namespace lumitag {
namespace {

QImage Filled(QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

struct Decoded {
    std::vector<QImage> frames;
    std::vector<int> delays;
    int loopCount = 0;
    int imageCount = 0;
};

Decoded Decode(const std::vector<std::uint8_t>& bytes)
{
    QByteArray data(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    Decoded decoded;
    decoded.imageCount = reader.imageCount();
    decoded.loopCount = reader.loopCount();
    QImage frame;
    while (reader.read(&frame)) {
        decoded.frames.push_back(frame.convertToFormat(QImage::Format_ARGB32));
        decoded.delays.push_back(reader.nextImageDelay());
    }
    return decoded;
}

class GifWriterTest : public ::testing::Test {
protected:
    void SetUp() override { test::EnsureGuiApplication(); }
};

TEST_F(GifWriterTest, QtReadsEveryFrameWithItsPixelsAndDelay)
{
    const QSize size(20, 7);
    std::vector<GifFrame> frames;
    frames.push_back({Filled(size, kSignBlack), 5});
    QImage second = Filled(size, kSignBlack);
    second.setPixel(3, 2, kSignRed);
    second.setPixel(19, 6, kSignYellow);
    frames.push_back({second, 10});
    frames.push_back({second, 7});  // unchanged: still a frame of its own
    QImage fourth = Filled(size, kSignGreen);
    fourth.setPixel(0, 0, kSignBlack);
    frames.push_back({fourth, 20});

    const GifEncoding gif = EncodeAnimatedGif(frames);
    ASSERT_TRUE(gif.Ok()) << gif.error;
    const Decoded decoded = Decode(gif.bytes);
    EXPECT_EQ(decoded.imageCount, 4);
    ASSERT_EQ(decoded.frames.size(), 4u);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(decoded.frames[i].size(), size);
        EXPECT_EQ(decoded.frames[i], frames[i].image.convertToFormat(QImage::Format_ARGB32)) << "frame " << i;
        EXPECT_EQ(decoded.delays[i], frames[i].delayCentiseconds * 10) << "frame " << i;
    }
    EXPECT_EQ(decoded.loopCount, -1);  // forever

    QByteArray data(reinterpret_cast<const char*>(gif.bytes.data()), static_cast<qsizetype>(gif.bytes.size()));
    QBuffer buffer(&data);
    QMovie movie(&buffer, "gif");
    EXPECT_TRUE(movie.isValid());
    EXPECT_EQ(movie.frameCount(), 4);
}

TEST_F(GifWriterTest, NewColoursLaterAndRichPicturesStillDecode)
{
    const QSize size(32, 16);
    // A smooth ramp has more than 256 colours: the cube keeps them close.
    QImage ramp(size, QImage::Format_ARGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) ramp.setPixel(x, y, qRgb(x * 8, y * 16, (x * y) % 256));
    QImage later = Filled(size, kSignBlack);
    later.setPixel(5, 5, 0xFF123456u);  // not in the first frame's table
    const GifFrame frames[] = {{Filled(size, kSignBlack), 5}, {later, 5}, {ramp, 5}};
    const GifEncoding gif = EncodeAnimatedGif(frames);
    ASSERT_TRUE(gif.Ok()) << gif.error;
    const Decoded decoded = Decode(gif.bytes);
    ASSERT_EQ(decoded.frames.size(), 3u);
    EXPECT_EQ(decoded.frames[1], later);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const QRgb want = ramp.pixel(x, y);
            const QRgb got = decoded.frames[2].pixel(x, y);
            EXPECT_LE(std::abs(qRed(want) - qRed(got)), 26);
            EXPECT_LE(std::abs(qGreen(want) - qGreen(got)), 26);
            EXPECT_LE(std::abs(qBlue(want) - qBlue(got)), 26);
        }
}

TEST_F(GifWriterTest, RefusesWhatCannotBeAGif)
{
    EXPECT_FALSE(EncodeAnimatedGif({}).Ok());
    const GifFrame mixed[] = {{Filled(QSize(4, 4), kSignBlack), 5}, {Filled(QSize(5, 4), kSignBlack), 5}};
    const GifEncoding refused = EncodeAnimatedGif(mixed);
    EXPECT_FALSE(refused.Ok());
    EXPECT_TRUE(refused.bytes.empty());
    const GifFrame null[] = {{QImage(), 5}};
    EXPECT_FALSE(EncodeAnimatedGif(null).Ok());

    GifWriter writer;
    ASSERT_TRUE(writer.Add(Filled(QSize(2, 2), kSignRed), 5));
    EXPECT_TRUE(writer.Finish().Ok());
    EXPECT_FALSE(writer.Add(Filled(QSize(2, 2), kSignRed), 5));
    EXPECT_FALSE(writer.Finish().Ok());
}

}  // namespace
}  // namespace lumitag
