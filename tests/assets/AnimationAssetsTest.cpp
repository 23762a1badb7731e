// Checks the generated animation pictures 0..31 at 7, 12 and 16 rows, and
// that the generator refuses damaged sources instead of writing pictures.

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int kAnimationCount = 32;

const fs::path kProgramDir = LUMITAG_PROGRAM_DIR;

fs::path FramePath(const fs::path& dataDir, int rows, int number, int frame)
{
    return dataDir / "Gif" / std::to_string(rows) / (std::to_string(number) + "_" + std::to_string(frame) + ".bmp");
}

QImage LoadFrame(const fs::path& path)
{
    const QImage image(QString::fromStdString(path.string()));
    return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32);
}

bool ColumnIsBlack(const QImage& image, int x)
{
    for (int y = 0; y < image.height(); ++y)
        if (image.pixel(x, y) != 0xFF000000u) return false;
    return true;
}

bool HasLitPixel(const QImage& image)
{
    for (int x = 0; x < image.width(); ++x)
        if (!ColumnIsBlack(image, x)) return true;
    return false;
}

class AnimationAssets : public ::testing::TestWithParam<int> {
protected:
    QImage Frame(int number, int frame) const { return LoadFrame(FramePath(kProgramDir / "Data", GetParam(), number, frame)); }
};

TEST_P(AnimationAssets, EveryFrameExistsAndIsAsHighAsTheRows)
{
    for (int n = 0; n < kAnimationCount; ++n) {
        for (int f = 0; f < 2; ++f) {
            const QImage image = Frame(n, f);
            ASSERT_FALSE(image.isNull()) << FramePath(kProgramDir / "Data", GetParam(), n, f);
            EXPECT_EQ(image.height(), GetParam()) << "animation " << n << " frame " << f;
        }
    }
}

// The glyph path list adds the width of frame 0 only, so frame 1 must match
// it; and an animation whose frames are equal would not move on the sign.
TEST_P(AnimationAssets, FramesShareTheirWidthButNotTheirPixels)
{
    for (int n = 0; n < kAnimationCount; ++n) {
        const QImage first = Frame(n, 0), second = Frame(n, 1);
        ASSERT_FALSE(first.isNull() || second.isNull()) << "animation " << n;
        EXPECT_EQ(first.width(), second.width()) << "animation " << n;
        EXPECT_NE(first, second) << "animation " << n << " does not move";
    }
}

// The two-plane and 2-bit packers classify pixels by these exact values.
TEST_P(AnimationAssets, EveryPixelIsASignColour)
{
    const std::set<QRgb> palette = {0xFF000000u, 0xFFFF0000u, 0xFF00FF00u, 0xFFFFFF00u};
    for (int n = 0; n < kAnimationCount; ++n) {
        for (int f = 0; f < 2; ++f) {
            const QImage image = Frame(n, f);
            ASSERT_FALSE(image.isNull());
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    ASSERT_TRUE(palette.count(image.pixel(x, y)))
                        << "animation " << n << " frame " << f << " pixel " << x << "," << y << " is "
                        << std::hex << image.pixel(x, y);
        }
    }
}

// Symbols stand between glyphs: each frame shows something and keeps its
// last column dark so it never runs into the next character.
TEST_P(AnimationAssets, EveryFrameIsLitAndEndsWithABlankColumn)
{
    for (int n = 0; n < kAnimationCount; ++n) {
        for (int f = 0; f < 2; ++f) {
            const QImage image = Frame(n, f);
            ASSERT_FALSE(image.isNull());
            EXPECT_TRUE(HasLitPixel(image)) << "animation " << n << " frame " << f;
            EXPECT_TRUE(ColumnIsBlack(image, image.width() - 1)) << "animation " << n << " frame " << f;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, AnimationAssets, ::testing::Values(7, 12, 16));

// Runs the generator on sources written into a fresh temporary folder.
class AnimationGenerator : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Tests may run in parallel processes: the test name and the clock
        // keep their folders apart.
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        dir_ = fs::temp_directory_path() / ("lumitag-animation-" + test + "-" + std::to_string(stamp));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // A complete 2-row source: animation n is n+1 red pixels, moving right
    // by one column in frame 1.
    static std::string ValidSource()
    {
        std::string text = "# test source\nrows 2\n";
        for (int n = 0; n < kAnimationCount; ++n) {
            const std::string lit(n + 1, 'R');
            text += "anim " + std::to_string(n) + " bar\n";
            text += lit + ". ." + lit + "\n";
            text += std::string(n + 2, '.') + " " + std::string(n + 2, '.') + "\n";
        }
        return text;
    }

    int Run(const std::string& source)
    {
        const fs::path sourcePath = dir_ / "source.txt";
        std::ofstream(sourcePath) << source;
        const fs::path generator = kProgramDir.parent_path() / "tools" / "lumitag-animation-generator";
        const std::string command = "'" + generator.string() + "' '" + (dir_ / "Data").string() + "' '" +
                                    sourcePath.string() + "' 2>/dev/null";
        return std::system(command.c_str());
    }

    fs::path dir_;
};

TEST_F(AnimationGenerator, DrawsEachFrameWithABlankColumnAdded)
{
    ASSERT_EQ(Run(ValidSource()), 0);
    const QImage first = LoadFrame(FramePath(dir_ / "Data", 2, 2, 0));
    const QImage second = LoadFrame(FramePath(dir_ / "Data", 2, 2, 1));
    ASSERT_FALSE(first.isNull() || second.isNull());
    ASSERT_EQ(first.size(), QSize(5, 2));
    ASSERT_EQ(second.size(), QSize(5, 2));
    // Frame 0 "RRR." and frame 1 ".RRR", then the added column.
    const QRgb red = 0xFFFF0000u, black = 0xFF000000u;
    const QRgb expected[2][5] = {{red, red, red, black, black}, {black, red, red, red, black}};
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(first.pixel(x, 0), expected[0][x]) << x;
        EXPECT_EQ(second.pixel(x, 0), expected[1][x]) << x;
        EXPECT_EQ(first.pixel(x, 1), black) << x;
    }
    EXPECT_TRUE(fs::exists(FramePath(dir_ / "Data", 2, 31, 1)));
}

TEST_F(AnimationGenerator, RefusesDamagedSourcesAndWritesNothing)
{
    const std::string valid = ValidSource();
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = valid;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const struct {
        const char* fault;
        std::string source;
    } cases[] = {
        {"unknown colour", replaced("anim 3 bar\nRRRR.", "anim 3 bar\nRRRB.")},
        {"frames of different widths", replaced("anim 3 bar\nRRRR. .RRRR", "anim 3 bar\nRRRR. .RRRRR")},
        {"rows of different widths", replaced("anim 0 bar\nR. .R\n..", "anim 0 bar\nR. .R\n...")},
        {"equal frames", replaced("anim 5 bar\nRRRRRR. .RRRRRR", "anim 5 bar\nRRRRRR. RRRRRR.")},
        {"a missing row", valid.substr(0, valid.rfind('\n', valid.size() - 2) + 1)},
        {"a missing frame", replaced("anim 7 bar\nRRRRRRRR. .RRRRRRRR", "anim 7 bar\nRRRRRRRR.")},
        {"a missing animation", valid.substr(0, valid.find("anim 31"))},
        {"an animation drawn twice", replaced("anim 9 bar", "anim 10 bar")},
        {"a number out of range", replaced("anim 9 bar", "anim 32 bar")},
        {"no row count", replaced("rows 2", "")},
    };
    for (const auto& c : cases) {
        EXPECT_NE(Run(c.source), 0) << c.fault;
        EXPECT_FALSE(fs::exists(dir_ / "Data")) << c.fault;
        fs::remove_all(dir_ / "Data");  // keep one failure from masking the next case
    }
}

}  // namespace
