// The composing commands write the content strings the editors write, and
// the slot parameters the row controls set; the program-file commands act on
// the work files as the File menu does.

#include "CliTestSupport.h"
#include "render/content/RtfReader.h"

namespace lumitag::test {
namespace {

struct ContentCase {
    const char* name;
    std::vector<std::string> args;  // after "--model M"
    const char* model;
    const char* content;            // DATA_00 afterwards
    const char* params;             // PARA_00 afterwards
};

class CliContentTest : public CliTest, public ::testing::WithParamInterface<ContentCase> {};

const ContentCase kContentCases[] = {
    // 7-row models: plain ASCII, line breaks dropped, blanks trimmed, symbols as tokens.
    {"GlyphTextTrimmed", {"text", "1", "  A\nB  "}, "Q01", "[ASCII]AB", "100000010000"},
    {"GlyphTextSymbols", {"text", "1", "HI", "--symbol", "5", "--symbol", "97"}, "Q02", "[ASCII]HI[GIF_005][GIF_097]",
     "100000010000"},
    // Bitmap fonts: character + 2048 x colour + 8192 x font, each followed by ",".
    {"BitmapFontSmallGreen", {"text", "1", "A", "--font", "Small", "--colour", "green"}, "Q07", "[DASCII]34881,",
     "100000010000"},
    {"BitmapFontSymbol", {"text", "1", "A", "--symbol", "32", "--font", "5x11"}, "Q13", "[DASCII]49217,49280,",
     "100000010000"},
    // An empty text leaves an empty text slot that is sent.
    {"EmptyText", {"text", "1", "   "}, "Q01", "", "100000010000"},
    // Date items: six flag digits, then the text in the model's form.
    {"DateDefaultFlags", {"date", "1", " NOW "}, "Q05", "[DATE_000011][ASCII]NOW", "300000010000"},
    {"DateParts", {"date", "1", "X", "--year", "--day", "--weekday"}, "Q03", "[DATE_101100][ASCII]X", "300000010000"},
    {"DateFlags", {"date", "1", "", "--flags", "111111"}, "Q05", "[DATE_111111][ASCII]", "300000010000"},
    // Slot parameters: kind, effect, speed, time, marquee, spare, send, offset, arabic, blink.
    {"SlotParams", {"slot", "1", "--effect", "right", "--speed", "8", "--time", "5s", "--blink", "on"}, "Q06", "",
     "101750000001"},
    {"SlotSendAndMarquee", {"slot", "1", "--marquee", "on", "--send", "on"}, "Q06", "", "100001010000"},
    {"SlotEffectOfBusMenu", {"slot", "1", "--effect", "Blink"}, "Q26", "", "106000000000"},
    {"SlotClear", {"slot", "1", "--clear"}, "Q06", "", "000000000000"},
    // An empty slot still takes blink; a fixed-time model still takes speed and effect.
    {"SlotClearKeepsBlink", {"slot", "1", "--clear", "--blink", "on"}, "Q06", "", "000000000001"},
    {"FixedTimeModelOtherParams", {"slot", "1", "--speed", "4", "--effect", "Up"}, "Q18", "", "102300000000"},
};

TEST_P(CliContentTest, WritesWhatTheEditorWrites)
{
    const ContentCase& c = GetParam();
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--model", c.model});
    RunOk(args);
    EXPECT_EQ(WorkValue("DATA_00"), c.content);
    EXPECT_EQ(WorkValue("PARA_00"), c.params);
}

INSTANTIATE_TEST_SUITE_P(Editors, CliContentTest, ::testing::ValuesIn(kContentCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliTest, TheLastRowIsEditableWhereTheModelShowsIt)
{
    RunOk({"slot", "10", "--speed", "3", "--model", "Q26"});
    RunOk({"text", "10", "TEN", "--model", "Q26"});
    EXPECT_TRUE(WorkValue("DATA_09").starts_with("{\\rtf"));
    EXPECT_NE(RunOk({"show", "--model", "Q26"}).out.find("10  Text  effect=Left speed=3 "), std::string::npos);
}

TEST_F(CliTest, FormattedTextCarriesFaceSizeColourAndStyle)
{
    RunOk({"text", "1", "Hi\nthere", "--model", "Q18", "--face", "Courier", "--size", "9", "--colour",
           "yellow-red-green", "--italic", "--underline", "--symbol", "3"});
    RunOk({"text", "1", "!", "--model", "Q18", "--append", "--colour", "red", "--bold"});
    const std::string content = WorkValue("DATA_00");
    ASSERT_TRUE(content.starts_with("{\\rtf"));
    const auto read = ReadRtf(content);
    ASSERT_EQ(read.status, RtfStatus::Complete);
    EXPECT_EQ(read.text.PlainText(), "Hi\rthere[GIF_003]!");
    const CharFormat first{"Courier", 180, 0x00FF0096, false, true, true};
    const CharFormat appended{"Arial", 240, 0x000000FF, true, false, false};
    EXPECT_EQ(read.text.FormatAt(0), first);
    EXPECT_EQ(read.text.FormatAt(read.text.size() - 2), first);  // the symbol token
    EXPECT_EQ(read.text.FormatAt(read.text.size() - 1), appended);
}

TEST_F(CliTest, ImageListKeepsOrderAndDuplicates)
{
    const auto a = WriteBmp("a.bmp", {"R.", ".G"});
    const auto b = WriteBmp("b.bmp", {"Y"});
    RunOk({"image", "3", a.string(), b.string(), "--model", "Q06"});
    RunOk({"image", "3", a.string(), "--append", "--model", "Q06"});
    EXPECT_EQ(WorkValue("DATA_02"), a.string() + ";" + b.string() + ";" + a.string() + ";");
    EXPECT_EQ(WorkValue("PARA_02"), "202200010000");  // image, sent; effect and speed of the default
}

TEST_F(CliTest, ProjectFileIsComposedAndSentWithoutTouchingTheWorkFile)
{
    RunOk({"text", "1", "WORK", "--model", "Q01"});
    RunOk({"save", (home_ / "copy.led").string()});
    const auto project = home_ / "copy.led";
    RunOk({"text", "1", "PROJECT", "--model", "Q01", "--project", project.string()});
    EXPECT_EQ(WorkValue("DATA_00"), "[ASCII]WORK");
    EXPECT_EQ(WorkValue("DATA_00", project), "[ASCII]PROJECT");

    // Send reads the project and never writes it.
    const Bytes before = ReadBytes(project);
    RunOk({"send", "--model", "Q01", "--project", project.string(), "--output", (home_ / "f.bin").string()});
    EXPECT_EQ(ReadBytes(project), before);
    // Not even when asked to put the frames or the preview in its place.
    const std::string alias = (home_ / "." / "copy.led").string();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"send", "--project", project.string(), "--output", alias},
          std::vector<std::string>{"preview", "--project", project.string(), "--png", alias}}) {
        const CliResult result = Run(args);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_NE(result.err.find("is the project file being read"), std::string::npos) << result.err;
        EXPECT_EQ(ReadBytes(project), before);
    }
}

TEST_F(CliTest, OpenCopiesAProjectInAndNewResetsIt)
{
    RunOk({"text", "1", "ONE", "--model", "Q01"});
    RunOk({"save", (home_ / "one.led").string()});
    RunOk({"text", "1", "TWO", "--model", "Q01"});
    RunOk({"open", (home_ / "one.led").string()});
    EXPECT_EQ(WorkValue("DATA_00"), "[ASCII]ONE");

    // Without a terminal New is declined unless --yes answers it.
    EXPECT_EQ(Run({"new"}).exitCode, 2);
    EXPECT_EQ(WorkValue("DATA_00"), "[ASCII]ONE");
    RunOk({"new", "--yes"});
    EXPECT_EQ(WorkValue("DATA_00"), "");
}

TEST_F(CliTest, SelectIdAndModelChangeFollowTheWorkFiles)
{
    RunOk({"set-model", "q14"});
    RunOk({"text", "1", "KEEP"});
    // Same group: the program stays.
    EXPECT_NE(Run({"set-model", "Q25"}).out.find("kept"), std::string::npos);
    EXPECT_NE(WorkValue("DATA_00"), "");
    // Another group: reset to the new model's default project (242 for Q30).
    RunOk({"set-model", "Q30"});
    EXPECT_EQ(WorkValue("DATA_00"), "");
    EXPECT_EQ(WorkValue("PARA_07"), "10070000000");

    RunOk({"select-id", "5"});
    RunOk({"text", "2", "FIVE"});
    EXPECT_TRUE(std::filesystem::exists(home_ / "WorkData" / "5.led"));
    EXPECT_TRUE(WorkValue("DATA_01", home_ / "WorkData" / "5.led").starts_with("{\\rtf"));
    EXPECT_EQ(WorkValue("DATA_01"), "");  // ID 0's program is untouched
}

}  // namespace
}  // namespace lumitag::test

namespace lumitag::test {
namespace {

TEST_F(CliTest, AMissingDataFolderIsReported)
{
    RunOk({"text", "1", "ABC", "--model", "Q01"});
    const CliResult result = RunOk({"send", "--model", "Q01", "--output", (home_ / "f.bin").string()});
    EXPECT_NE(result.err.find("warning: no Data folder in " + home_.string()), std::string::npos) << result.err;
    std::filesystem::create_directory(home_ / "Data");
    EXPECT_EQ(RunOk({"preview", "--model", "Q01", "--png", (home_ / "p.png").string()}).err, "");
}

TEST_F(CliTest, SendTakesTheCurrentIdsProgramAndLeavesTheStoredModel)
{
    RunOk({"set-model", "Q06"});
    RunOk({"text", "1", "ZERO"});
    RunOk({"select-id", "5"});
    RunOk({"text", "1", "FIVE"});
    const auto frames = [&](const std::vector<std::string>& extra) {
        std::vector<std::string> args = {"send", "--output", (home_ / "f.bin").string()};
        args.insert(args.end(), extra.begin(), extra.end());
        RunOk(args);
        return ReadBytes(home_ / "f.bin");
    };
    const Bytes current = frames({});
    ASSERT_FALSE(current.empty());
    EXPECT_EQ(current, frames({"--project", (home_ / "WorkData" / "5.led").string()}));
    EXPECT_NE(current, frames({"--project", (home_ / "WorkData" / "0.led").string()}));

    // Another model for one run: other frames, and the stored model stays.
    EXPECT_NE(frames({"--model", "Q26"}), current);
    EXPECT_NE(RunOk({"show"}).out.find(", model Q06\n"), std::string::npos);
    EXPECT_EQ(frames({}), current);
}

}  // namespace
}  // namespace lumitag::test
