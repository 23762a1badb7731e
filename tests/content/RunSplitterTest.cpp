#include "render/content/RunSplitter.h"

#include <gtest/gtest.h>

#include "tests/content/TestPrinters.h"

#include <string>
#include <vector>

#include "render/content/ContentString.h"
#include "render/content/RtfReader.h"

namespace lumitag {
namespace {

const char* const kHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil Courier New;}}"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green255\\blue0;}";

std::vector<TextRun> RunsOf(const std::string& body)
{
    return SplitRuns(ReadRtf(kHeader + body + "}").text);
}

std::vector<std::string> Texts(const std::vector<TextRun>& runs)
{
    std::vector<std::string> texts;
    for (const TextRun& run : runs) texts.push_back(run.text);
    return texts;
}

TEST(RunSplitter, TwoRunsWithFaceHeightColourAndBold)
{
    const std::vector<TextRun> runs = RunsOf("\\f0\\fs24\\cf1\\b AB\\cf2 C\\par");
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], (TextRun{"AB", "Arial", 12, 0x000000FF, 1, 0, 0}));
    EXPECT_EQ(runs[1], (TextRun{"C", "Arial", 12, 0x0000FF00, 1, 0, 0}));
}

TEST(RunSplitter, EffectBitsAndHeightInWholePoints)
{
    const std::vector<TextRun> runs = RunsOf("\\f1\\fs23\\cf2\\i A\\i0\\ul B\\ulnone\\b\\i\\ul C");
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0], (TextRun{"A", "Courier New", 11, 0x0000FF00, 0, 2, 0}));  // 230 twips / 20
    EXPECT_EQ(runs[1], (TextRun{"B", "Courier New", 11, 0x0000FF00, 0, 0, 4}));
    EXPECT_EQ(runs[2], (TextRun{"C", "Courier New", 11, 0x0000FF00, 1, 2, 4}));
}

TEST(RunSplitter, SymbolTokensAreRunsOfTheirOwn)
{
    struct Case {
        std::string body;
        std::vector<std::string> runs;
    };
    const std::vector<Case> cases = {
        {"X[GIF_003]Y", {"X", "[GIF_003]", "Y"}},
        {"[GIF_003][GIF_004]", {"[GIF_003]", "[GIF_004]"}},
        {"[abc]", {"[abc]"}},
        {"[GIF_01]", {"[GIF_01]"}},
        {"A[[GIF_1 a]", {"A[", "[GIF_1 a]"}},
        // The token keeps the format of its "[" even where its characters differ.
        {"[GIF_0{\\b 0}3]Z", {"[GIF_003]", "Z"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Texts(RunsOf("\\f0 " + c.body)), c.runs) << c.body;
    EXPECT_EQ(RunsOf("\\f0 [GIF_0{\\b 0}3]")[0].bold, 0);
}

TEST(RunSplitter, ParagraphMarksAreSkippedWithoutEndingARun)
{
    struct Case {
        std::string body;
        std::vector<std::string> runs;
    };
    const std::vector<Case> cases = {
        {"AB\\par CD", {"ABCD"}},
        {"\\par\\par AB\\line CD\\par", {"ABCD"}},
        {"AB\\par \\cf1 CD", {"AB", "CD"}},
        {"\\par\\par", {}},
        {"A\\tab B", {"A\tB"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Texts(RunsOf("\\f0 " + c.body)), c.runs) << c.body;
}

TEST(RunSplitter, TrailingWhiteSpaceLeavesOnlyTheLastRun)
{
    EXPECT_EQ(Texts(RunsOf("\\f0 A  B   \\par")), (std::vector<std::string>{"A  B"}));
    EXPECT_EQ(Texts(RunsOf("\\f0 A  \\cf1 B \\tab ")), (std::vector<std::string>{"A  ", "B"}));
    EXPECT_EQ(Texts(RunsOf("\\f0 A\\cf1    ")), (std::vector<std::string>{"A", ""}));
}

TEST(RunSplitter, FaceIsCutToThirtyOneCharacters)
{
    FormattedText text;
    CharFormat format;
    format.face = "\xE5\xAE\x8B" + std::string(40, 'x');  // a wide first character, then 40 more
    text.Append("A", format);
    const std::vector<TextRun> runs = SplitRuns(text);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].face, "\xE5\xAE\x8B" + std::string(30, 'x'));
}

TEST(RunSplitter, RichContentStringGivesRuns)
{
    ContentParse parse;
    ParseContent(kHeader + std::string("\\f0\\cf1 Hi[GIF_007]}"), parse);
    EXPECT_EQ(parse.form, ContentForm::RichText);
    EXPECT_EQ(Texts(parse.runs), (std::vector<std::string>{"Hi", "[GIF_007]"}));
    // Rich text sets the second-frame flag only when drawn.
    EXPECT_EQ(parse.hasSecondFrame, 0);
}

}  // namespace
}  // namespace lumitag
