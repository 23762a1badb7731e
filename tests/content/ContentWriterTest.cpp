// The content strings the editors store, read back by the parser that draws
// them and by the editors that open them again.

#include "render/content/ContentWriter.h"

#include <gtest/gtest.h>

#include "render/content/ContentString.h"
#include "render/content/RtfWriter.h"

namespace lumitag {
namespace {

ContentParse Parsed(std::string_view content)
{
    ContentParse parse;
    ParseContent(content, parse);
    return parse;
}

TEST(ContentWriter, SymbolTokensHaveThreeDigits)
{
    EXPECT_EQ(SymbolToken(0), "[GIF_000]");
    EXPECT_EQ(SymbolToken(97), "[GIF_097]");
    EXPECT_EQ(SymbolToken(7).size(), kSymbolTokenLength);
}

TEST(ContentWriter, GlyphTextRoundTripsWithItsSymbols)
{
    const std::string content = GlyphTextContent("AB" + SymbolToken(33) + "C");
    EXPECT_EQ(content, "[ASCII]AB[GIF_033]C");
    const ContentParse parse = Parsed(content);
    ASSERT_EQ(parse.form, ContentForm::GlyphText);
    ASSERT_EQ(parse.glyphItems.size(), 4u);
    EXPECT_TRUE(parse.glyphItems[2].isSymbol);
    EXPECT_EQ(parse.glyphItems[2].symbol, 33);
    EXPECT_EQ(parse.glyphItems[3].character, U'C');
}

TEST(ContentWriter, GlyphCodesRoundTripThroughParserAndEditor)
{
    const std::vector<std::uint32_t> codes = {65, MakeGlyphCode(65, 1, 0), MakeGlyphCode(65, 0, 1), 34881};
    const std::string content = GlyphCodesContent(codes);
    EXPECT_EQ(content, "[DASCII]65,2113,8257,34881,");
    EXPECT_EQ(Parsed(content).glyphCodes, codes);
    EXPECT_EQ(GlyphCodesOf(content), codes);
    // An empty editor stores the bare prefix.
    EXPECT_EQ(GlyphCodesContent({}), "[DASCII]");
    EXPECT_TRUE(GlyphCodesOf("[DASCII]").empty());
}

TEST(ContentWriter, GlyphCodesOfKeepsAtMostTheEditorsLimitAndSkipsEmptyPieces)
{
    std::string many(kGlyphCodesPrefix);
    for (int i = 0; i < 8005; ++i) many += "66,";
    EXPECT_EQ(GlyphCodesOf(many).size(), 8000u);
    EXPECT_EQ(GlyphCodesOf("[DASCII]1,,2"), (std::vector<std::uint32_t>{1, 2}));
    EXPECT_TRUE(GlyphCodesOf("[ASCII]65,").empty());
}

TEST(ContentWriter, DateItemRoundTripsFlagsAndBothTextForms)
{
    const std::array<bool, 6> flags{true, false, true, false, true, true};
    const std::string plain = DateItemContent(flags, GlyphTextContent("NOW"));
    EXPECT_EQ(plain, "[DATE_101011][ASCII]NOW");
    const ContentParse parse = Parsed(plain);
    ASSERT_EQ(parse.form, ContentForm::DateItem);
    EXPECT_EQ(parse.dateFlags, "101011");
    EXPECT_EQ(parse.dateTextIsRich, 0);
    EXPECT_EQ(parse.payload, "NOW");
    const DateItemParts parts = DateItemOf(plain);
    EXPECT_TRUE(parts.isDateItem);
    EXPECT_EQ(parts.flags, flags);
    EXPECT_EQ(parts.textPart, "[ASCII]NOW");

    FormattedText text;
    text.Append("Hi", CharFormat{"Arial", 320, 0x000000FF});
    const std::string rich = DateItemContent({false, false, false, false, true, true}, WriteRtf(text));
    const ContentParse richParse = Parsed(rich);
    EXPECT_EQ(richParse.dateTextIsRich, 1);
    ASSERT_EQ(richParse.runs.size(), 1u);
    EXPECT_EQ(richParse.runs[0].text, "Hi");
    EXPECT_EQ(richParse.runs[0].colour, 0x000000FFu);
}

TEST(ContentWriter, DateEditorReadsShortAndBrokenTokensAsTheEditorDoes)
{
    struct Case {
        std::string content;
        bool isDate;
        std::array<bool, 6> flags;
        std::string text;
    };
    const Case cases[] = {
        {"[DATE_10]", true, {true, false, false, false, false, false}, ""},
        {"[DATE_1x1111][ASCII]A", true, {true, false, true, true, true, true}, "[ASCII]A"},
        {"[DATE_111111", true, {}, ""},  // no "]": nothing is taken
        {"[DATE_", true, {}, ""},
        {"[ASCII]A", false, {}, ""},
    };
    for (const auto& c : cases) {
        const DateItemParts parts = DateItemOf(c.content);
        EXPECT_EQ(parts.isDateItem, c.isDate) << c.content;
        EXPECT_EQ(parts.flags, c.flags) << c.content;
        EXPECT_EQ(parts.textPart, c.text) << c.content;
    }
}

TEST(ContentWriter, ImageListRoundTripsInOrderWithDuplicates)
{
    const std::vector<std::string> paths = {"/p/a.bmp", "/p/b.png", "/p/a.bmp"};
    const std::string content = ImageListContent(paths);
    EXPECT_EQ(content, "/p/a.bmp;/p/b.png;/p/a.bmp;");
    EXPECT_EQ(Parsed(content).imagePaths, paths);
    EXPECT_EQ(ImageListEntries(content), paths);
    EXPECT_EQ(ImageListContent({}), "");
}

TEST(ContentWriter, ImageEditorListsOnlyPiecesEndingWithASemicolon)
{
    EXPECT_TRUE(ImageListEntries("C:\\a.bmp").empty());
    EXPECT_EQ(ImageListEntries("a;;b;c"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(ImageListEntries("{\\rtf1 a;b;}").empty());
    EXPECT_TRUE(ImageListEntries("[ASCII]a;").empty());
}

}  // namespace
}  // namespace lumitag
