#include "render/content/RtfWriter.h"

#include <gtest/gtest.h>

#include "tests/content/TestPrinters.h"

#include <string>
#include <vector>

#include "render/content/RtfReader.h"

namespace lumitag {
namespace {

CharFormat Format(std::string face, int twips, std::uint32_t colour, bool bold = false, bool italic = false,
                  bool underline = false)
{
    return CharFormat{std::move(face), twips, colour, bold, italic, underline};
}

TEST(RtfWriter, CompactDocumentWithTablesAndFormatChanges)
{
    FormattedText text;
    text.Append("AB", Format("Arial", 240, 0x000000FF, true));
    text.Append("C", Format("Arial", 240, 0x0000FF00, true));
    EXPECT_EQ(WriteRtf(text),
              "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Arial;}}"
              "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green255\\blue0;}"
              "\\pard\\plain \\f0\\fs24\\cf1\\b AB\\cf2 C}");
}

TEST(RtfWriter, EscapesEverythingOutsidePrintableAscii)
{
    struct Case {
        std::string text;
        std::string body;
    };
    const std::vector<Case> cases = {
        {"a\\b{c}", "a\\\\b\\{c\\}"},
        {"\xC3\xA9", "\\u233?"},
        {"\xE4\xB8\xAD", "\\u20013?"},
        {"\xEF\xBC\xBC", "\\u-196?"},
        {"\xF0\x9F\x98\x80", "\\u-10179?\\u-8704?"},
        {"a\tb\rc\vd", "a\\tab b\\par c\\line d"},
        {"\x01\x7F", "\\u1?\\u127?"},
        {" \r ", " \\par  "},
    };
    const std::string prefix =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil F;}}{\\colortbl;\\red0\\green0\\blue0;}"
        "\\pard\\plain \\f0\\fs24\\cf1 ";
    for (const Case& c : cases) {
        FormattedText text;
        text.Append(c.text, Format("F", 240, 0));
        EXPECT_EQ(WriteRtf(text), prefix + c.body + "}") << c.text;
    }
}

TEST(RtfWriter, EmptyTextIsStillRichText)
{
    const std::string rtf = WriteRtf(FormattedText{});
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi", 0), 0u);
    const RtfReadResult back = ReadRtf(rtf);
    EXPECT_EQ(back.status, RtfStatus::Complete);
    EXPECT_TRUE(back.text.empty());
}

// Every attribute changes alone somewhere, faces and text in several
// scripts, the characters RTF itself uses, and characters past the BMP.
FormattedText RichSample()
{
    FormattedText text;
    const CharFormat base = Format("Arial", 240, 0x0000FFFF);
    CharFormat format = base;
    text.Append("Latin \xC3\xA0\xC3\xA9\xC3\xAE\xC3\xB5\xC3\xBC \xC3\x91\xC3\x9F\xC5\x93 ", format);
    format.bold = true;
    text.Append("bold ", format);
    format.italic = true;
    text.Append("bold italic ", format);
    format.bold = false;
    text.Append("italic ", format);
    format.italic = false;
    format.underline = true;
    text.Append("underline", format);
    text.AppendParagraphMark(format);
    format = base;
    format.face = "\xE5\xAE\x8B\xE4\xBD\x93";  // a face named in Chinese
    text.Append("\xE4\xB8\xAD\xE6\x96\x87\xE5\xAD\x97\xE5\xB9\x95", format);
    format.twips = 150;
    text.Append("\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82", format);
    format.colour = 0x000096FF;
    text.Append("\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7", format);
    format.face = "Times New Roman";
    text.Append(U'\v', format);
    text.Append("{\\}\t[GIF_003]\xF0\x9F\x98\x80\xEF\xBF\xBF\xC2\xA0 ", format);
    format.twips = 400;
    format.colour = 0x00FF00FF;
    text.Append("end  ", format);
    text.AppendParagraphMark(format);
    return text;
}

TEST(RtfWriter, EveryCharacterAndFormatRoundTrips)
{
    const FormattedText sample = RichSample();
    const std::string rtf = WriteRtf(sample);
    for (char c : rtf) ASSERT_TRUE(c >= 0x20 && c < 0x7F) << "byte " << static_cast<int>(c);
    const RtfReadResult back = ReadRtf(rtf);
    EXPECT_EQ(back.status, RtfStatus::Complete);
    EXPECT_EQ(back.text.PlainText(), sample.PlainText());
    EXPECT_TRUE(back.text == sample);
    // A second pass writes the same document.
    EXPECT_EQ(WriteRtf(back.text), rtf);
}

TEST(RtfWriter, HeightsAreWrittenInHalfPoints)
{
    FormattedText text;
    text.Append("a", Format("F", 255, 0));
    text.Append("b", Format("F", 4, 0));
    const RtfReadResult back = ReadRtf(WriteRtf(text));
    ASSERT_EQ(back.text.size(), 2u);
    EXPECT_EQ(back.text.FormatAt(0).twips, 260);
    EXPECT_EQ(back.text.FormatAt(1).twips, 10);
}

TEST(RtfWriter, FaceNamesCannotEndTheFontTable)
{
    FormattedText text;
    text.Append("x", Format("Odd;Face}{", 240, 0));
    const RtfReadResult back = ReadRtf(WriteRtf(text));
    EXPECT_EQ(back.status, RtfStatus::Complete);
    ASSERT_EQ(back.text.size(), 1u);
    EXPECT_EQ(back.text.FormatAt(0).face, "OddFace}{");
}

}  // namespace
}  // namespace lumitag
