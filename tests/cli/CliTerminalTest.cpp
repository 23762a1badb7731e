// What changes when a person sits at a terminal: the progress bar is drawn
// only there, and questions are asked only there and answered by what is
// typed.

#include "CliTestSupport.h"

namespace lumitag::test {
namespace {

class CliTerminalTest : public CliTest {
protected:
    // Three sent slots of 6000 bytes on Q15: 18000 in all, over its limit of
    // 12000, so a send asks first.
    void ComposeOverTheWordLimit()
    {
        const auto wide = WriteBmp("wide.bmp", Picture(12, std::string(4000, 'R')));
        for (const char* slot : {"1", "2", "3"}) RunOk({"image", slot, wide.string(), "--model", "Q15"});
        RunOk({"language", "en"});
    }
    std::vector<std::string> SendToFile(const char* model)
    {
        return {"send", "--model", model, "--output", (home_ / "f.bin").string()};
    }
};

TEST_F(CliTerminalTest, ProgressBarOnlyOnATerminal)
{
    RunOk({"image", "1", WriteBmp("a.bmp", {"RG", "YW"}).string(), "--model", "Q06"});

    const CliResult shown = RunOnTerminal(SendToFile("Q06"));
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    // The bar ends its line before the result is printed.
    const auto barEnd = shown.out.find("########################################] 100%\r\n");
    ASSERT_NE(barEnd, std::string::npos) << shown.out;
    const auto lineStart = barEnd + 48;
    const auto result = shown.out.find(" bytes of frames written", lineStart);
    ASSERT_NE(result, std::string::npos) << shown.out;
    EXPECT_EQ(shown.out.substr(lineStart, result - lineStart).find_first_not_of("0123456789"), std::string::npos)
        << shown.out;

    const CliResult quiet = RunOk(SendToFile("Q06"));
    EXPECT_EQ(quiet.out.find('%'), std::string::npos) << quiet.out;
    EXPECT_EQ(quiet.out.find('#'), std::string::npos) << quiet.out;
    EXPECT_NE(quiet.out.find("bytes of frames written"), std::string::npos);
}

struct AnswerCase {
    const char* name;
    std::string typed;
    int exitCode;
    bool written;
};

void PrintTo(const AnswerCase& c, std::ostream* os) { *os << c.name; }

class CliWordLimitAnswerTest : public CliTerminalTest, public ::testing::WithParamInterface<AnswerCase> {};

const AnswerCase kAnswers[] = {
    {"Yes", "y\n", 0, true},
    {"YesInCapitals", "YES\n", 0, true},
    {"No", "n\n", 4, false},
    {"JustEnter", "\n", 4, false},
    {"EndOfInput", "\x04", 4, false},
    {"AskedAgainAfterNonsense", "maybe\ny\n", 0, true},
    // A long line is one answer, whatever letters it ends with.
    {"LongLineIsOneAnswer", std::string(63, 'x') + "yes\nn\n", 4, false},
};

TEST_P(CliWordLimitAnswerTest, TheQuestionIsAnsweredByWhatIsTyped)
{
    const AnswerCase& c = GetParam();
    ComposeOverTheWordLimit();
    const CliResult result = RunOnTerminal(SendToFile("Q15"), c.typed);
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
    EXPECT_NE(result.err.find("Data over 334 words!\nContinue Send? [y/N]"), std::string::npos) << result.err;
    EXPECT_EQ(std::filesystem::exists(home_ / "f.bin"), c.written);
    // Yes sends the shortened data: slots 1 and 2 only.
    if (c.written) {
        EXPECT_EQ(ReadBytes(home_ / "f.bin").size(), 5u + 42u + 12000u);
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, CliWordLimitAnswerTest, ::testing::ValuesIn(kAnswers),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliTerminalTest, NewAsksOnATerminal)
{
    RunOk({"text", "1", "KEEP", "--model", "Q01"});
    const CliResult declined = RunOnTerminal({"new"}, "n\n");
    EXPECT_EQ(declined.exitCode, 2);
    EXPECT_NE(declined.err.find("New File\xEF\xBC\x9F [y/N]"), std::string::npos) << declined.err;
    EXPECT_EQ(WorkValue("DATA_00"), "[ASCII]KEEP");

    EXPECT_EQ(RunOnTerminal({"new"}, "y\n").exitCode, 0);
    EXPECT_EQ(WorkValue("DATA_00"), "");
}

}  // namespace
}  // namespace lumitag::test
