// preview --animate: the rows playing, as a GIF that Qt reads back.

#include "tests/cli/CliTestSupport.h"

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

namespace lumitag::test {
namespace {

struct Gif {
    int frames = 0;
    QSize size;
    std::vector<QImage> images;
};

Gif ReadGif(const std::filesystem::path& path)
{
    QImageReader reader(QString::fromStdString(path.string()), "gif");
    Gif gif;
    gif.frames = reader.imageCount();
    gif.size = reader.size();
    QImage frame;
    while (reader.read(&frame)) gif.images.push_back(frame.convertToFormat(QImage::Format_ARGB32));
    return gif;
}

class CliAnimateTest : public CliTest {
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        if (!QGuiApplication::instance()) {
            static int argc = 1;
            static char name[] = "cli_test";
            static char* argv[] = {name, nullptr};
            static QGuiApplication app(argc, argv);
        }
    }
};

TEST_F(CliAnimateTest, WritesTheShownRowsPlayingForTheGivenSeconds)
{
    RunOk({"set-model", "Q36"});
    const auto red = WriteBmp("red.bmp", {"RRRR", "RRRR", "RRRR", "RRRR"});
    // Row 1 stands still, row 2 scrolls in from the right.
    RunOk({"image", "1", red.string()});
    RunOk({"slot", "1", "--effect", "Fix", "--time", "5s", "--send", "on"});
    RunOk({"image", "2", red.string()});
    RunOk({"slot", "2", "--effect", "Left", "--speed", "8", "--time", "0s", "--send", "on"});
    const auto path = home_ / "show.gif";
    const CliResult result = RunOk({"preview", "--animate", path.string(), "--seconds", "2"});
    EXPECT_NE(result.out.find("show.gif"), std::string::npos);

    const Gif gif = ReadGif(path);
    // 20 frames a second; Q36 shows 10 rows of 256 x 16 LEDs, 3 pixels apart,
    // with one pitch between rows.
    EXPECT_EQ(gif.frames, 40);
    const QSize size(256 * 3, 10 * 16 * 3 + 9 * 3);
    EXPECT_EQ(gif.size, size);
    ASSERT_EQ(gif.images.size(), 40u);
    const int row2 = 16 * 3 + 3;
    const QImage& first = gif.images.front();
    EXPECT_EQ(first.size(), size);
    EXPECT_EQ(first.pixel(0, 0), 0xFFFF0000u);          // row 1: lit from the start
    EXPECT_EQ(first.pixel(3 * 3, 3 * 3), 0xFFFF0000u);
    EXPECT_EQ(first.pixel(4 * 3, 0), 0xFF000000u);
    EXPECT_EQ(first.pixel(255 * 3, row2), 0xFF000000u);  // row 2: not in yet
    // Half a second later the scroll has brought row 2's picture in at the right.
    const QImage& later = gif.images[10];
    int litInRow2 = 0;
    for (int x = 0; x < size.width(); x += 3) litInRow2 += later.pixel(x, row2) == 0xFFFF0000u;
    EXPECT_EQ(litInRow2, 4);
    EXPECT_EQ(later.pixel(0, 0), 0xFFFF0000u);
}

TEST_F(CliAnimateTest, RefusesSecondsOutOfRange)
{
    const auto path = home_ / "x.gif";
    for (const char* seconds : {"0", "61", "ten"}) {
        const CliResult result = Run({"preview", "--model", "Q01", "--animate", path.string(), "--seconds", seconds});
        EXPECT_EQ(result.exitCode, 2) << seconds;
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

}  // namespace
}  // namespace lumitag::test
