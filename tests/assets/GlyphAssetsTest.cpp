// Checks the generated glyph pictures: the glyph text set, the seven fonts in
// three colours, the face picker's symbols and the animated symbols of
// 7-row animations 32..64; and that the generator refuses damaged sheets.

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(LUMITAG_PROGRAM_DIR) / "Data";
constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr std::uint32_t kSignColours[] = {kRed, 0xFF00FF00u, 0xFFFFFF00u};
constexpr int kFontCount = 7;
constexpr int kCharacterCount = 194;
constexpr int kRows = 7;

fs::path FontGlyphPath(int font, int colour, int code)
{
    return kData / "ASCII" / "allAscii" / ("Font" + std::to_string(font)) /
           ("Color" + std::to_string(colour)) / (std::to_string(code) + ".bmp");
}

QImage LoadGlyph(const fs::path& path)
{
    const QImage image(QString::fromStdString(path.string()));
    return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32);
}

bool IsLit(const QImage& image, int x, int y) { return image.pixel(x, y) != kBlack; }

// Rows 0..6 that hold at least one lit pixel.
std::vector<bool> LitRows(const QImage& image)
{
    std::vector<bool> rows(image.height(), false);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) rows[y] = rows[y] || IsLit(image, x, y);
    return rows;
}

int CountLit(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += IsLit(image, x, y);
    return count;
}

bool SameShape(const QImage& a, const QImage& b)
{
    if (a.size() != b.size()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (IsLit(a, x, y) != IsLit(b, x, y)) return false;
    return true;
}

// The first pixel that is neither black nor `colour`, as text; empty if none.
std::string StrayPixel(const QImage& image, std::uint32_t colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t pixel = image.pixel(x, y);
            if (pixel != kBlack && pixel != colour) {
                std::ostringstream text;
                text << std::hex << pixel << " at " << std::dec << x << "," << y;
                return text.str();
            }
        }
    return {};
}

bool IsPrintable(int code) { return (code > 32 && code < 127) || code >= 128; }

struct GlyphFolder {
    fs::path folder;
    int first;
    int last;
    std::uint32_t colour;
};

std::vector<GlyphFolder> AllGlyphFolders()
{
    std::vector<GlyphFolder> folders = {{kData / "ASCII", 0, 127, kRed},
                                        {kData / "ASCII" / "Eruope", 128, 193, kRed}};
    for (int font = 0; font < kFontCount; ++font)
        for (int colour = 0; colour < 3; ++colour)
            folders.push_back({FontGlyphPath(font, colour, 0).parent_path(), 0, kCharacterCount - 1,
                               kSignColours[colour]});
    return folders;
}

TEST(GlyphAssets, EveryGlyphIsSevenRowsInExactlyItsColourOnBlack)
{
    for (const GlyphFolder& set : AllGlyphFolders()) {
        for (int code = set.first; code <= set.last; ++code) {
            const fs::path path = set.folder / (std::to_string(code) + ".bmp");
            const QImage glyph = LoadGlyph(path);
            ASSERT_FALSE(glyph.isNull()) << path;
            EXPECT_EQ(glyph.height(), kRows) << path;
            EXPECT_GT(glyph.width(), 0) << path;
            EXPECT_EQ(StrayPixel(glyph, set.colour), "") << path;
            if (IsPrintable(code)) {
                EXPECT_GT(CountLit(glyph), 0) << path << " is blank";
            }
        }
    }
}

TEST(GlyphAssets, SpaceAndControlCodesAreBlankAndAsWideAsTheSpace)
{
    for (int font = 0; font < kFontCount; ++font) {
        const QImage space = LoadGlyph(FontGlyphPath(font, 0, ' '));
        ASSERT_FALSE(space.isNull()) << "font " << font;
        EXPECT_GE(space.width(), 2) << "font " << font;
        EXPECT_EQ(CountLit(space), 0) << "font " << font;
        for (int code : {0, 9, 31, 127}) {
            const QImage control = LoadGlyph(FontGlyphPath(font, 0, code));
            ASSERT_FALSE(control.isNull());
            EXPECT_EQ(control.width(), space.width()) << "font " << font << " code " << code;
            EXPECT_EQ(CountLit(control), 0) << "font " << font << " code " << code;
        }
    }
    const QImage textSpace = LoadGlyph(kData / "ASCII" / "32.bmp");
    ASSERT_FALSE(textSpace.isNull());
    EXPECT_EQ(CountLit(textSpace), 0);
}

// Glyphs are set side by side without spacing, so every picture ends in
// dark columns: one, two for the triple-wide font.
TEST(GlyphAssets, EveryGlyphEndsInADarkGap)
{
    const int gaps[kFontCount] = {1, 1, 1, 2, 1, 1, 1};
    for (int font = 0; font < kFontCount; ++font)
        for (int code = 0; code < kCharacterCount; ++code) {
            const QImage glyph = LoadGlyph(FontGlyphPath(font, 0, code));
            ASSERT_FALSE(glyph.isNull());
            for (int x = glyph.width() - gaps[font]; x < glyph.width(); ++x)
                for (int y = 0; y < glyph.height(); ++y)
                    ASSERT_FALSE(IsLit(glyph, x, y)) << "font " << font << " code " << code;
        }
}

TEST(GlyphAssets, TheThreeColoursOfAFontShareEveryShape)
{
    for (int font = 0; font < kFontCount; ++font)
        for (int code = 0; code < kCharacterCount; ++code) {
            const QImage red = LoadGlyph(FontGlyphPath(font, 0, code));
            for (int colour : {1, 2})
                EXPECT_TRUE(SameShape(red, LoadGlyph(FontGlyphPath(font, colour, code))))
                    << "font " << font << " colour " << colour << " code " << code;
        }
}

TEST(GlyphAssets, GlyphTextAndTheFaceSymbolsShowTheFirstFont)
{
    for (int code = 32; code < 127; ++code)
        EXPECT_TRUE(SameShape(LoadGlyph(kData / "ASCII" / (std::to_string(code) + ".bmp")),
                              LoadGlyph(FontGlyphPath(0, 0, code))))
            << code;
    for (int code = 128; code < kCharacterCount; ++code)
        EXPECT_TRUE(SameShape(LoadGlyph(kData / "ASCII" / "Eruope" / (std::to_string(code) + ".bmp")),
                              LoadGlyph(FontGlyphPath(0, 0, code))))
            << code;
}

// The wide fonts are their base font with every column repeated, so a
// letter means the same shape in all of them.
TEST(GlyphAssets, WideFontsStretchTheirBaseFont)
{
    struct Case {
        int wide, base, factor, wideGap, baseGap;
    };
    const Case cases[] = {{2, 0, 2, 1, 1}, {3, 0, 3, 2, 1}, {6, 5, 2, 1, 1}};
    for (const Case& c : cases)
        for (int code = 0; code < kCharacterCount; ++code) {
            const QImage base = LoadGlyph(FontGlyphPath(c.base, 0, code));
            const QImage wide = LoadGlyph(FontGlyphPath(c.wide, 0, code));
            const int drawn = base.width() - c.baseGap;
            ASSERT_EQ(wide.width(), drawn * c.factor + c.wideGap) << "font " << c.wide << " code " << code;
            for (int y = 0; y < kRows; ++y)
                for (int x = 0; x < drawn * c.factor; ++x)
                    ASSERT_EQ(IsLit(wide, x, y), IsLit(base, x / c.factor, y))
                        << "font " << c.wide << " code " << code << " at " << x << "," << y;
        }
}

TEST(GlyphAssets, BoldIsHeavierThanRegular)
{
    for (int code = 33; code < 127; ++code)
        EXPECT_GT(CountLit(LoadGlyph(FontGlyphPath(1, 0, code))),
                  CountLit(LoadGlyph(FontGlyphPath(0, 0, code))))
            << code;
}

// Baselines: on the 7-row fonts capitals fill all seven rows, lowercase
// letters sit on row 6 below two free rows; on the 5-row fonts capitals fill
// rows 1..5 and lowercase letters sit on row 5. Accented letters carry their
// mark in the top two rows, above a gap or a shortened letter.
TEST(GlyphAssets, LettersShareOneBaselinePerFont)
{
    struct Case {
        int font, capitalTop, baseline;
    };
    const Case cases[] = {{0, 0, 6}, {1, 0, 6}, {2, 0, 6}, {3, 0, 6}, {4, 0, 6}, {5, 1, 5}, {6, 1, 5}};
    const std::string flatLowercase = "acemnorsuvwxz";
    for (const Case& c : cases) {
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const std::vector<bool> rows = LitRows(LoadGlyph(FontGlyphPath(c.font, 0, letter)));
            for (int y = 0; y < kRows; ++y)
                EXPECT_EQ(rows[y], y >= c.capitalTop && y <= c.baseline)
                    << "font " << c.font << " '" << letter << "' row " << y;
        }
        for (char letter : flatLowercase) {
            const std::vector<bool> rows = LitRows(LoadGlyph(FontGlyphPath(c.font, 0, letter)));
            EXPECT_FALSE(rows[0] || rows[1]) << "font " << c.font << " '" << letter << "'";
            EXPECT_TRUE(rows[c.baseline]) << "font " << c.font << " '" << letter << "'";
            for (int y = c.baseline + 1; y < kRows; ++y)
                EXPECT_FALSE(rows[y]) << "font " << c.font << " '" << letter << "' row " << y;
        }
        // Ä, é, Č: a mark in rows 0..1 and the letter resting on the baseline.
        for (int code : {128, 139, 157}) {
            const std::vector<bool> rows = LitRows(LoadGlyph(FontGlyphPath(c.font, 0, code)));
            EXPECT_TRUE(rows[0] || rows[1]) << "font " << c.font << " code " << code;
            EXPECT_TRUE(rows[c.baseline]) << "font " << c.font << " code " << code;
        }
    }
}

TEST(GlyphAssets, AccentedLettersDifferFromTheirBaseAndFromEachOther)
{
    // à á â ä and the plain a; é è ê ë and e; č š ž with c s z.
    const std::vector<std::vector<int>> families = {
        {'a', 135, 136, 137, 131}, {'e', 138, 139, 140, 141}, {'c', 160}, {'s', 161}, {'z', 162}};
    for (int font = 0; font < kFontCount; ++font)
        for (const auto& family : families)
            for (std::size_t i = 0; i < family.size(); ++i)
                for (std::size_t j = i + 1; j < family.size(); ++j)
                    EXPECT_FALSE(SameShape(LoadGlyph(FontGlyphPath(font, 0, family[i])),
                                           LoadGlyph(FontGlyphPath(font, 0, family[j]))))
                        << "font " << font << ": " << family[i] << " and " << family[j];
}

TEST(GlyphAssets, SevenRowAnimations32To64ShowSymbols128To160InTwoFrames)
{
    for (int n = 32; n <= 64; ++n) {
        const fs::path folder = kData / "Gif" / "7";
        const QImage frame0 = LoadGlyph(folder / (std::to_string(n) + "_0.bmp"));
        const QImage frame1 = LoadGlyph(folder / (std::to_string(n) + "_1.bmp"));
        ASSERT_FALSE(frame0.isNull() || frame1.isNull()) << n;
        EXPECT_EQ(frame0.height(), kRows);
        EXPECT_EQ(frame0.size(), frame1.size()) << n;
        EXPECT_TRUE(SameShape(frame0, LoadGlyph(FontGlyphPath(0, 0, 96 + n)))) << n;
        EXPECT_FALSE(SameShape(frame0, frame1)) << n;
        EXPECT_EQ(StrayPixel(frame0, kRed), "") << n;
        EXPECT_EQ(StrayPixel(frame1, kRed), "") << n;
    }
    EXPECT_FALSE(fs::exists(kData / "Gif" / "7" / "65_0.bmp"));
}

// The generator, run on copies of the sheets in a folder of its own.
class GlyphGeneratorRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = fs::temp_directory_path() /
                ("lumitag-glyphs-" + std::string(info->name()) + "-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(sheets_());
        for (const auto& entry : fs::directory_iterator(fs::path(LUMITAG_SOURCE_DIR) / "assets" / "fonts"))
            if (entry.path().extension() == ".glyphs")
                fs::copy_file(entry.path(), sheets_() / entry.path().filename());
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path sheets_() const { return root_ / "sheets"; }
    fs::path data() const { return root_ / "Data"; }

    void Edit(const std::string& sheet, const std::function<void(std::string&)>& change)
    {
        const fs::path path = sheets_() / sheet;
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        std::string content = text.str();
        change(content);
        std::ofstream(path, std::ios::trunc) << content;
    }

    int Run() const
    {
        const fs::path generator =
            fs::path(LUMITAG_PROGRAM_DIR).parent_path() / "tools" / "lumitag-glyph-generator";
        const std::string command = "'" + generator.string() + "' '" + sheets_().string() + "' '" +
                                    data().string() + "' 2>/dev/null";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::size_t FilesWritten() const
    {
        if (!fs::exists(data())) return 0;
        std::size_t count = 0;
        for (const auto& entry : fs::recursive_directory_iterator(data())) count += entry.is_regular_file();
        return count;
    }

private:
    fs::path root_;
};

TEST_F(GlyphGeneratorRun, WritesTheWholeSetFromTheSheets)
{
    ASSERT_EQ(Run(), 0);
    // 128 glyph text + 7 x 3 x 194 font glyphs + 66 symbols + 33 x 2 frames.
    EXPECT_EQ(FilesWritten(), 128u + 7u * 3u * 194u + 66u + 66u);
}

TEST_F(GlyphGeneratorRun, AnEditedSheetChangesItsGlyph)
{
    Edit("five.glyphs", [](std::string& text) {
        const std::string from = "@ x\n....\n....\n#..#\n";
        text.replace(text.find(from), from.size(), "@ x\n....\n....\n####\n");
    });
    ASSERT_EQ(Run(), 0);
    const QImage x = LoadGlyph(data() / "ASCII" / "allAscii" / "Font5" / "Color2" / "120.bmp");
    ASSERT_FALSE(x.isNull());
    for (int column = 0; column < 4; ++column) EXPECT_TRUE(IsLit(x, column, 2)) << column;
    EXPECT_EQ(x.pixel(0, 2), 0xFFFFFF00u);
}

TEST_F(GlyphGeneratorRun, RefusesDamagedSheetsAndWritesNothing)
{
    struct Damage {
        const char* what;
        const char* sheet;
        std::function<void(std::string&)> change;
    };
    const auto replaceFirst = [](std::string from, std::string to) {
        return [from, to](std::string& text) { text.replace(text.find(from), from.size(), to); };
    };
    const Damage damages[] = {
        {"a row of another width", "regular.glyphs", replaceFirst("@ A\n.###.\n", "@ A\n.###..\n")},
        {"a glyph of six rows", "regular.glyphs", replaceFirst("@ B\n####.\n", "@ B\n")},
        {"a mark of three rows", "small.glyphs", replaceFirst("@ mark dot\n.##.\n", "@ mark dot\n.##.\n.##.\n")},
        {"a stray character", "five.glyphs", replaceFirst("@ o\n....\n", "@ o\n..o.\n")},
        {"a glyph drawn twice", "bold.glyphs", replaceFirst("@ W\n", "@ M\n")},
        {"an unknown directive", "small.glyphs", replaceFirst("!fallback regular", "!fallback regular\n!shrink 2")},
        {"a missing letter", "regular.glyphs", replaceFirst("@ e\n", "@ U+E000\n")},
    };
    for (const Damage& damage : damages) {
        SetUp();
        Edit(damage.sheet, damage.change);
        EXPECT_EQ(Run(), 2) << damage.what;
        EXPECT_EQ(FilesWritten(), 0u) << damage.what;
    }
    SetUp();
    fs::remove(sheets_() / "five.glyphs");
    EXPECT_EQ(Run(), 2) << "a missing sheet";
    EXPECT_EQ(FilesWritten(), 0u) << "a missing sheet";
}

}  // namespace
