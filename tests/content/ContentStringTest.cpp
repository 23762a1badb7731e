#include "render/content/ContentString.h"

#include <gtest/gtest.h>

#include "tests/content/TestPrinters.h"

#include <string>
#include <vector>

namespace lumitag {
namespace {

GlyphItem Glyph(char32_t character) { return GlyphItem{false, character, 0}; }
GlyphItem Symbol(int number) { return GlyphItem{true, 0, number}; }

ContentParse Parsed(std::string_view content)
{
    ContentParse parse;
    ParseContent(content, parse);
    return parse;
}

TEST(ContentForm, PrefixesAreExactCaseSensitiveAndOrdered)
{
    struct Case {
        std::string content;
        ContentForm form;
    };
    const std::vector<Case> cases = {
        {"{\\rtf1 x}", ContentForm::RichText},
        {"{\\rtf", ContentForm::RichText},
        {" {\\rtf1 x}", ContentForm::ImageList},  // untrimmed
        {"{\\RTF1 x}", ContentForm::ImageList},
        {"[ASCII]AB", ContentForm::GlyphText},
        {"[ascii]AB", ContentForm::ImageList},
        {"[DASCII]65", ContentForm::GlyphCodes},
        {"[DATE_110100]", ContentForm::DateItem},
        {"[DATE_", ContentForm::DateItem},
        {"[DATE", ContentForm::ImageList},
        {"", ContentForm::ImageList},
        {"C:\\a.bmp;", ContentForm::ImageList},
    };
    for (const Case& c : cases) EXPECT_EQ(DetectContentForm(c.content), c.form) << c.content;
}

TEST(ContentParse, GlyphTextTokensAndSecondFrame)
{
    struct Case {
        std::string content;
        std::string payload;
        std::vector<GlyphItem> items;
        int hasSecondFrame;
    };
    const std::vector<Case> cases = {
        {"[ASCII]A[GIF_012]B  ", "A[GIF_012]B", {Glyph('A'), Symbol(12), Glyph('B')}, 1},
        // The ninth character is missing: every character is an ordinary glyph.
        {"[ASCII][GIF_01]", "[GIF_01]",
         {Glyph('['), Glyph('G'), Glyph('I'), Glyph('F'), Glyph('_'), Glyph('0'), Glyph('1'), Glyph(']')}, 0},
        {"[ASCII][GIF_ 7x]", "[GIF_ 7x]", {Symbol(7)}, 1},
        {"[ASCII][GIF_abc]", "[GIF_abc]", {Symbol(0)}, 1},
        {"[ASCII][[GIF_999]", "[[GIF_999]", {Glyph('['), Symbol(999)}, 1},
        {"[ASCII]\xC3\xA9\xE4\xB8\xAD\t\r\n", "\xC3\xA9\xE4\xB8\xAD", {Glyph(U'\u00E9'), Glyph(U'\u4E2D')}, 0},
        {"[ASCII]   ", "", {}, 0},
    };
    for (const Case& c : cases) {
        const ContentParse parse = Parsed(c.content);
        EXPECT_EQ(parse.form, ContentForm::GlyphText);
        EXPECT_EQ(parse.payload, c.payload) << c.content;
        EXPECT_EQ(parse.glyphItems, c.items) << c.content;
        EXPECT_EQ(parse.hasSecondFrame, c.hasSecondFrame) << c.content;
    }
}

TEST(ContentParse, GlyphCodesSkipEmptyPiecesAndReadLeadingDigits)
{
    ContentParse parse = Parsed("[DASCII]65,2113,,8257 ");
    EXPECT_EQ(parse.payload, "65,2113,,8257");
    EXPECT_EQ(parse.glyphCodes, (std::vector<std::uint32_t>{65, 2113, 8257}));

    ParseContent("[DASCII], 7x,abc,99999999999,", parse);
    EXPECT_EQ(parse.glyphCodes, (std::vector<std::uint32_t>{7, 0, 0xFFFFFFFF}));

    ParseContent("[DASCII]", parse);
    EXPECT_TRUE(parse.glyphCodes.empty());
}

TEST(ContentParse, GlyphCodeLayout)
{
    EXPECT_EQ(GlyphCharacter(8257), 65u);
    EXPECT_EQ(GlyphColour(8257), 0u);
    EXPECT_EQ(GlyphFont(8257), 1u);
    EXPECT_EQ(GlyphColour(2113), 1u);
    EXPECT_EQ(MakeGlyphCode(193, 2, 6), 193u + 4096u + 49152u);
    EXPECT_EQ(GlyphCharacter(MakeGlyphCode(193, 2, 6)), 193u);
    EXPECT_EQ(GlyphColour(MakeGlyphCode(193, 2, 6)), 2u);
    EXPECT_EQ(GlyphFont(MakeGlyphCode(193, 2, 6)), 6u);
}

TEST(ContentParse, DateItemWithGlyphText)
{
    const ContentParse parse = Parsed("[DATE_110100][ASCII]Today");
    EXPECT_EQ(parse.form, ContentForm::DateItem);
    EXPECT_EQ(parse.dateFlags, "110100");
    EXPECT_EQ(parse.payload, "Today");
    EXPECT_EQ(parse.glyphItems.size(), 5u);
    EXPECT_EQ(parse.dateTextIsRich, 0);
    const std::vector<bool> shown = {true, true, false, true, false, false};
    for (int part = 0; part < 6; ++part)
        EXPECT_EQ(DateFlagShown(parse.dateFlags, static_cast<DatePart>(part)), shown[part]) << part;
}

TEST(ContentParse, DateItemWithRichText)
{
    const ContentParse parse = Parsed("[DATE_000011]{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs32 Now}");
    EXPECT_EQ(parse.dateFlags, "000011");
    EXPECT_EQ(parse.dateTextIsRich, 1);
    ASSERT_EQ(parse.runs.size(), 1u);
    EXPECT_EQ(parse.runs[0].text, "Now");
    EXPECT_EQ(parse.runs[0].height, 16);
}

TEST(ContentParse, DateItemFlagsWithoutTextPart)
{
    struct Case {
        std::string content;
        std::string flags;
    };
    const std::vector<Case> cases = {
        {"[DATE_000011]", "000011"},
        {"[DATE_]", ""},
        {"[DATE_1]x]", "1"},
        {"[DATE_1101", ""},  // no "]": no flags, the text part is the whole string
        {"[DATE_", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(Parsed(c.content).dateFlags, c.flags) << c.content;
    // A flag that is not a digit, or a missing one, shows nothing.
    EXPECT_FALSE(DateFlagShown("1x", DatePart::Month));
    EXPECT_FALSE(DateFlagShown("11", DatePart::Seconds));
    EXPECT_TRUE(DateFlagShown("000009", DatePart::Seconds));
}

TEST(ContentParse, ResultsOfOtherFormsAreKept)
{
    ContentParse parse;
    ParseContent("[ASCII]A[GIF_001]", parse);
    ParseContent("[DATE_000011]", parse);  // no text part: payload and items untouched
    EXPECT_EQ(parse.payload, "A[GIF_001]");
    EXPECT_EQ(parse.glyphItems.size(), 2u);
    EXPECT_EQ(parse.dateTextIsRich, 1);  // initial, and only a text part changes it
    EXPECT_EQ(parse.hasSecondFrame, 0);  // reset by every parse
    ParseContent("C:\\a.bmp;", parse);
    EXPECT_EQ(parse.payload, "A[GIF_001]");
    EXPECT_EQ(parse.dateFlags, "000011");
    EXPECT_EQ(parse.content, "C:\\a.bmp;");
    EXPECT_EQ(parse.form, ContentForm::ImageList);
}

TEST(ContentParse, ImageListTakesStretchesEndingInSemicolon)
{
    struct Case {
        std::string content;
        std::vector<std::string> paths;
    };
    const std::vector<Case> cases = {
        {"C:\\a.bmp;C:\\b.bmp", {"C:\\a.bmp"}},
        {"C:\\a.bmp;C:\\b.bmp;", {"C:\\a.bmp", "C:\\b.bmp"}},
        {";;", {"", ""}},
        {"", {}},
        {"[ascii]AB", {}},
        {"/home/\xC3\xA9t\xC3\xA9/pic.bmp;", {"/home/\xC3\xA9t\xC3\xA9/pic.bmp"}},
    };
    ContentParse parse;
    parse.imagePaths = {"stale"};
    for (const Case& c : cases) {
        ParseContent(c.content, parse);
        EXPECT_EQ(parse.imagePaths, c.paths) << c.content;
    }
}

TEST(ReadDecimal, SkipsBlanksAndStopsAtFirstNonDigit)
{
    struct Case {
        std::string text;
        std::uint32_t value;
    };
    const std::vector<Case> cases = {
        {"003", 3}, {"  12a", 12}, {"\t7", 7}, {"", 0}, {"x1", 0}, {"-5", 0}, {"4294967295", 4294967295u},
        {"4294967296", 4294967295u}, {"123456789012345678901234567890", 4294967295u},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadDecimal(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace lumitag
