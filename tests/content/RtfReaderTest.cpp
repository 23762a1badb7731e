#include "render/content/RtfReader.h"

#include <gtest/gtest.h>

#include "tests/content/TestPrinters.h"

#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "render/content/RunSplitter.h"

namespace lumitag {
namespace {

std::string Fixture(const std::string& name)
{
    std::ifstream in(std::string(LUMITAG_SOURCE_DIR) + "/tests/content/fixtures/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string PlainTextOf(const std::string& rtf)
{
    return ReadRtf(rtf).text.PlainText();
}

TEST(RtfReader, WordPadDocument)
{
    const RtfReadResult result = ReadRtf(Fixture("wordpad.rtf"));
    EXPECT_EQ(result.status, RtfStatus::Complete);
    EXPECT_EQ(result.text.PlainText(),
              "Caf\xC3\xA9 na\xC3\xAFve\r\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xE4\xB8\xAD\xE6\x96\x87 "
              "\xE6\x97\xA5\xE6\x9C\xAC \xE2\x82\xAC" "end\r");
    const std::vector<TextRun> expected = {
        {"Caf\xC3\xA9", "Calibri", 11, 0x000000FF, 1, 0, 0},
        {" ", "Calibri", 11, 0x000000FF, 0, 0, 0},
        {"na\xC3\xAFve", "Calibri", 11, 0x0050B000, 0, 2, 0},
        {"\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 ", "Arial", 11, 0, 0, 0, 0},
        {"\xE4\xB8\xAD\xE6\x96\x87 ", "\xE5\xAE\x8B\xE4\xBD\x93", 11, 0, 0, 0, 0},  // GBK face name
        {"\xE6\x97\xA5\xE6\x9C\xAC", "MS Gothic", 11, 0, 0, 0, 0},  // a Shift-JIS trail byte of 0x7B
        {" ", "Calibri", 11, 0, 0, 0, 0},
        {"\xE2\x82\xAC", "Calibri", 11, 0, 0, 0, 4},
        {"end", "Calibri", 14, 0, 0, 0, 0},
    };
    EXPECT_EQ(SplitRuns(result.text), expected);
}

TEST(RtfReader, LibreOfficeDocument)
{
    const RtfReadResult result = ReadRtf(Fixture("libreoffice.rtf"));
    EXPECT_EQ(result.status, RtfStatus::Complete);
    const std::vector<TextRun> expected = {
        {"Hello ", "Arial", 16, 0x000000FF, 1, 0, 0},
        {"\xE4\xB8\x96\xE7\x95\x8C", "Liberation Serif", 12, 0x00FF0000, 0, 2, 0},
        {"M\xC3\xBCnchen", "Liberation Serif", 12, 0, 0, 0, 4},
    };
    EXPECT_EQ(SplitRuns(result.text), expected);
    EXPECT_EQ(result.text.PlainText(), "Hello \xE4\xB8\x96\xE7\x95\x8C\rM\xC3\xBCnchen\r");
}

TEST(RtfReader, TextEditDocument)
{
    const RtfReadResult result = ReadRtf(Fixture("textedit.rtf"));
    EXPECT_EQ(result.status, RtfStatus::Complete);
    EXPECT_EQ(result.text.PlainText(),
              "\xC3\x80 la carte\r\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7 \xF0\x9F\x98\x80");
    const std::vector<TextRun> runs = SplitRuns(result.text);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], (TextRun{"\xC3\x80 la carte", "Helvetica", 12, 0x000702FB, 0, 0, 0}));
    EXPECT_EQ(runs[1].face, "HelveticaNeue");
    EXPECT_EQ(runs[1].bold, 1);
}

TEST(RtfReader, EscapedBytesFollowTheFontCharsetOrTheDocumentCodePage)
{
    struct Case {
        std::string header;  // document code page and font 0
        std::string bytes;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"\\ansicpg1252{\\fonttbl{\\f0 A;}}", "\\'e9\\'80", "\xC3\xA9\xE2\x82\xAC"},
        {"\\ansicpg1252{\\fonttbl{\\f0\\fcharset134 A;}}", "\\'d6\\'d0\\'ce\\'c4", "\xE4\xB8\xAD\xE6\x96\x87"},
        {"\\ansicpg1252{\\fonttbl{\\f0\\fcharset136 A;}}", "\\'a4\\'a4\\'a4\\'e5", "\xE4\xB8\xAD\xE6\x96\x87"},
        {"\\ansicpg1252{\\fonttbl{\\f0\\fcharset128 A;}}", "\\'93\\'fa\\'96\\'7b", "\xE6\x97\xA5\xE6\x9C\xAC"},
        {"\\ansicpg1252{\\fonttbl{\\f0\\fcharset129 A;}}", "\\'c7\\'d1\\'b1\\'b9", "\xED\x95\x9C\xEA\xB5\xAD"},
        {"\\ansicpg1252{\\fonttbl{\\f0\\fcharset178 A;}}", "\\'e3\\'d1", "\xD9\x85\xD8\xB1"},
        {"\\ansicpg1252{\\fonttbl{\\f0\\fcharset204 A;}}", "\\'cf\\'f0", "\xD0\x9F\xD1\x80"},
        {"\\ansicpg1252{\\fonttbl{\\f0\\fcharset222 A;}}", "\\'ca\\'c7", "\xE0\xB8\xAA\xE0\xB8\xA7"},
        {"\\ansicpg1252{\\fonttbl{\\f0\\fcharset161 A;}}", "\\'c3\\'e5", "\xCE\x93\xCE\xB5"},
        {"\\ansicpg1252{\\fonttbl{\\f0\\fcharset162 A;}}", "\\'f0", "\xC4\x9F"},
        {"\\ansicpg1252{\\fonttbl{\\f0\\fcharset238 A;}}", "\\'bf\\'b3", "\xC5\xBC\xC5\x82"},
        {"\\ansicpg1252{\\fonttbl{\\f0\\fcharset186 A;}}", "\\'e0", "\xC4\x85"},
        {"\\ansicpg1252{\\fonttbl{\\f0\\fcharset177 A;}}", "\\'f9", "\xD7\xA9"},
        {"\\ansicpg1252{\\fonttbl{\\f0\\fcharset163 A;}}", "\\'d0", "\xC4\x90"},
        // \cpg wins over the charset; the default charset takes the document's code page.
        {"\\ansicpg1252{\\fonttbl{\\f0\\fcharset0\\cpg1251 A;}}", "\\'cf", "\xD0\x9F"},
        {"\\ansicpg1251{\\fonttbl{\\f0\\fcharset1 A;}}", "\\'cf", "\xD0\x9F"},
        {"\\ansicpg936", "\\'d6\\'d0", "\xE4\xB8\xAD"},
        // Raw 8-bit text in the document's code page, and raw UTF-8 from a wide string.
        {"\\ansicpg1251", "\xCF\xF0", "\xD0\x9F\xD1\x80"},
        {"\\ansicpg1252", "\xD0\x9F\xE4\xB8\xAD", "\xD0\x9F\xE4\xB8\xAD"},
        // A lead byte without its trail byte, and bytes no code page has.
        {"\\ansicpg936", "\\'d6A", "\xEF\xBF\xBD" "A"},
        {"\\ansicpg1252", "\\'81", "\xEF\xBF\xBD"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlainTextOf("{\\rtf1\\ansi" + c.header + "\\f0 " + c.bytes + "}"), c.text) << c.header << c.bytes;
}

TEST(RtfReader, UnicodeEscapesSkipTheirFallback)
{
    struct Case {
        std::string body;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"\\u233?x", "\xC3\xA9x"},
        {"\\u-196?", "\xEF\xBC\xBC"},                                // U+FF3C is 65340 - 65536
        {"\\u-10179?\\u-8704?", "\xF0\x9F\x98\x80"},                // a surrogate pair
        {"\\uc2\\u233\\'e9\\'e9x", "\xC3\xA9x"},                    // two fallback bytes
        {"\\uc0\\u233 x", "\xC3\xA9x"},
        {"{\\uc3 }\\u233?x", "\xC3\xA9x"},                          // \uc belongs to its group
        {"{\\u233}x", "\xC3\xA9x"},                                 // a group end stops the skipping
        {"\\u-10179?x", "\xEF\xBF\xBDx"},                           // a lone high surrogate
        {"\\u-8704?", "\xEF\xBF\xBD"},                              // a lone low surrogate
        {"\\u x", "x"},                                             // no number: nothing
        {"\\{\\}\\\\\\~\\-\\_", "{}\\\xC2\xA0\xE2\x80\x91"},
        {"\\emdash\\bullet\\lquote\\rdblquote", "\xE2\x80\x94\xE2\x80\xA2\xE2\x80\x98\xE2\x80\x9D"},
    };
    for (const Case& c : cases) EXPECT_EQ(PlainTextOf("{\\rtf1 " + c.body + "}"), c.text) << c.body;
}

TEST(RtfReader, DestinationsWithoutTextAreSkipped)
{
    struct Case {
        std::string body;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"{\\*\\unknown hidden}shown", "shown"},
        {"{\\info{\\title T}{\\author A}}shown", "shown"},
        {"{\\stylesheet{\\s0 Normal;}}shown", "shown"},
        {"{\\pict\\pngblip 89504e47}shown", "shown"},
        {"{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}", "link"},
        {"{\\pntext\\f0 \\'b7\\tab}item", "item"},
        {"{\\upr{ansi}{\\*\\ud{wide}}}", "wide"},
        {"\\bin3 {}}x", "x"},
        {"\\unknownword12 x\\zz y", "xy"},
    };
    for (const Case& c : cases) EXPECT_EQ(PlainTextOf("{\\rtf1 " + c.body + "}"), c.text) << c.body;
}

TEST(RtfReader, PlainResetsCharacterFormatToTheDefaultFont)
{
    const RtfReadResult result = ReadRtf(
        "{\\rtf1\\deff1{\\fonttbl{\\f0 Zero;}{\\f1 One;}}{\\colortbl;\\red1\\green2\\blue3;}"
        "\\f0\\fs40\\cf1\\b\\i\\ul A\\plain B\\b1 C\\b0 D}");
    ASSERT_EQ(result.text.size(), 4u);
    EXPECT_EQ(result.text.FormatAt(0), (CharFormat{"Zero", 400, 0x00030201, true, true, true}));
    EXPECT_EQ(result.text.FormatAt(1), (CharFormat{"One", 240, 0, false, false, false}));
    EXPECT_TRUE(result.text.FormatAt(2).bold);
    EXPECT_FALSE(result.text.FormatAt(3).bold);
}

TEST(RtfReader, HostileInputEndsCleanly)
{
    struct Case {
        std::string input;
        std::string text;
        RtfStatus status;
    };
    const std::string deep(100000, '{');
    const std::vector<Case> cases = {
        {"", "", RtfStatus::NotRtf},
        {"{\\RTF1 x}", "", RtfStatus::NotRtf},
        {"{\\rtf1 abc", "abc", RtfStatus::Truncated},
        {"{\\rtf1 ab{\\b cd", "abcd", RtfStatus::Truncated},
        {"{\\rtf1 ab}}}}cd", "ab", RtfStatus::Complete},
        {"{\\rtf1 ab\\'", "ab", RtfStatus::Truncated},
        {"{\\rtf1 ab\\'4", "ab", RtfStatus::Truncated},
        {"{\\rtf1 ab\\'zz}", "abzz", RtfStatus::Complete},
        {"{\\rtf1 ab\\", "ab", RtfStatus::Truncated},
        {"{\\rtf1 \\u", "", RtfStatus::Truncated},
        {"{\\rtf1 \\bin99999999999 abc}", "", RtfStatus::Truncated},
        {"{\\rtf1 \\uc99999999999\\u65 abcdef}", "A", RtfStatus::Complete},
        {"{\\rtf1 x" + deep + "y", "x", RtfStatus::LimitReached},
        {"{\\rtf1 a" + std::string(255, '{') + "b" + std::string(300, '}'), "ab", RtfStatus::Complete},
        {"{\\rtf1 {\\colortbl" + std::string(5000, ';') + "}x}", "", RtfStatus::LimitReached},
    };
    for (const Case& c : cases) {
        const RtfReadResult result = ReadRtf(c.input);
        EXPECT_EQ(result.text.PlainText(), c.text) << c.input.substr(0, 60);
        EXPECT_EQ(result.status, c.status) << c.input.substr(0, 60);
    }
}

TEST(RtfReader, HugeParametersAreClamped)
{
    const RtfReadResult result =
        ReadRtf("{\\rtf1{\\colortbl;\\red99999\\green-5\\blue256;}\\fs99999999999999999999\\cf1 A\\cf-7\\fs-3 B}");
    ASSERT_EQ(result.text.size(), 2u);
    EXPECT_EQ(result.text.FormatAt(0).colour, 0x00FF00FFu);
    EXPECT_EQ(result.text.FormatAt(0).twips, 327670);
    EXPECT_EQ(result.text.FormatAt(1).colour, 0u);
    EXPECT_EQ(result.text.FormatAt(1).twips, 10);
}

TEST(RtfReader, FontTableLimitKeepsTheTextBefore)
{
    std::string rtf = "{\\rtf1 before{\\fonttbl";
    for (int i = 0; i < kRtfMaxTableEntries + 10; ++i) rtf += "{\\f" + std::to_string(i) + " F;}";
    rtf += "}after}";
    const RtfReadResult result = ReadRtf(rtf);
    EXPECT_EQ(result.text.PlainText(), "before");
    EXPECT_EQ(result.status, RtfStatus::LimitReached);
}

TEST(RtfReader, OutputIsBoundedByTheInput)
{
    std::mt19937 random(20240301);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::string alphabet = "{}\\'*;0123456789abfuc -\r\n";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (int round = 0; round < 300; ++round) {
        std::string input = "{\\rtf1";
        for (int i = 0; i < 2000; ++i)
            input += round % 2 ? static_cast<char>(byte(random)) : alphabet[pick(random)];
        const RtfReadResult result = ReadRtf(input);
        EXPECT_LE(result.text.size(), input.size());
    }
    std::string megabyte = "{\\rtf1\\f0 ";
    for (int i = 0; i < 1 << 17; ++i) megabyte += "\\u20013?";
    megabyte += "}";
    const RtfReadResult result = ReadRtf(megabyte);
    EXPECT_EQ(result.text.size(), std::size_t{1} << 17);
    EXPECT_EQ(result.status, RtfStatus::Complete);
}

}  // namespace
}  // namespace lumitag
