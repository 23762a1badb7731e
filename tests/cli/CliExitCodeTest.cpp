// Exit codes and bad input: a clear message on stderr, the documented code,
// and no partial output left behind.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "CliTestSupport.h"

namespace lumitag::test {
namespace {

struct BadInputCase {
    const char* name;
    std::vector<std::string> args;  // "{home}" stands for the program folder
    int exitCode;
    const char* message;            // part of stderr
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const BadInputCase& c, std::ostream* os) { *os << c.name; }

class CliBadInputTest : public CliTest, public ::testing::WithParamInterface<BadInputCase> {};

const BadInputCase kBadInputCases[] = {
    {"UnknownCommand", {"sing"}, 2, "unknown command"},
    {"UnknownOption", {"send", "--loud"}, 2, "unknown option --loud"},
    {"MissingValue", {"send", "--model"}, 2, "needs a value"},
    {"UnknownModel", {"send", "--model", "Q99", "--output", "{home}/f.bin"}, 2, "unknown model"},
    {"IdZero", {"send", "--id", "0", "--output", "{home}/f.bin"}, 2, "1 to 256"},
    {"Id300", {"send", "--id", "300", "--output", "{home}/f.bin"}, 2, "1 to 256"},
    {"MissingProject", {"send", "--project", "{home}/none.led", "--output", "{home}/f.bin"}, 2, "not found"},
    {"DamagedProject", {"send", "--project", "{home}/damaged.led", "--output", "{home}/f.bin"}, 2, "not a Lumitag project"},
    {"OutputFolderMissing", {"send", "--output", "{home}/no/such/f.bin"}, 2, "does not exist"},
    {"OutputUnderAFile", {"send", "--output", "{home}/damaged.led/f.bin"}, 2, "does not exist"},
    {"PreviewWithoutPng", {"preview"}, 2, "--png"},
    {"PictureThatWillNotLoad", {"image", "1", "{home}/damaged.led"}, 2, "cannot load picture"},
    {"SlotZero", {"text", "0", "A"}, 2, "SLOT"},
    {"SlotNineOfEightMessageModel", {"text", "9", "A", "--model", "Q01"}, 2, "not shown by model Q01"},
    {"SlotTenOfEightMessageModel", {"slot", "10", "--speed", "2", "--model", "Q01"}, 2, "not shown by model Q01"},
    {"SlotEleven", {"slot", "11", "--speed", "1"}, 2, "SLOT"},
    {"SpeedNine", {"slot", "1", "--speed", "9"}, 2, "--speed"},
    {"TimeSix", {"slot", "1", "--time", "6s"}, 2, "--time"},
    {"TimeOnFixedTimeModel", {"slot", "1", "--time", "2s", "--model", "Q18"}, 2, "fixed dwell time"},
    {"SpeedOfEmptySlot", {"slot", "1", "--clear", "--speed", "2", "--model", "Q01"}, 2, "empty slot"},
    {"EffectNotOnMenu", {"slot", "1", "--effect", "Middle", "--model", "Q26"}, 2, "unknown effect"},
    {"DateWithoutClock", {"date", "1", "X", "--model", "Q01"}, 2, "has no clock"},
    {"SymbolNotOffered", {"text", "1", "--symbol", "40", "--model", "Q18"}, 2, "not offered"},
    {"NonAsciiOnSevenRows", {"text", "1", "\xC3\xA9", "--model", "Q01"}, 2, "ASCII"},
    {"IdChangeZero", {"id-change", "0", "5"}, 2, "ID >=1 and ID <= 256!"},
    {"IdChange300", {"id-change", "12ab", "300"}, 2, "ID >=1 and ID <= 256!"},
    {"IdChangeNegative", {"id-change", "-1", "5"}, 2, "ID >=1 and ID <= 256!"},
    {"PowerOnNonBusModel", {"power", "on", "--ids", "1", "--model", "Q06"}, 2, "bus model"},
    {"GroupIdsOutOfRange", {"group-send", "--ids", "1,300", "--model", "Q26"}, 2, "1 to 256"},
    {"SelectIdZero", {"select-id", "0"}, 2, "ID"},
    {"SelectIdNegative", {"select-id", "-3"}, 2, "from 1 to 255"},
    {"OpenDamaged", {"open", "{home}/damaged.led"}, 2, "not a Lumitag project"},
    {"HomeMissing", {"--home", "{home}/nowhere", "models"}, 2, "program folder not found"},
    {"UnknownLanguage", {"language", "xx"}, 2, "unknown language"},
    {"DeviceThatCannotOpen", {"send", "--device", "/nonexistent/hidraw99"}, 1, "cannot open"},
    {"DeviceIndexBeyondList", {"clock", "--device", "999"}, 1, ""},
};

TEST_P(CliBadInputTest, ReportsAndExitsWithItsCode)
{
    const BadInputCase& c = GetParam();
    WriteFile("damaged.led", std::string("\x89PNG\r\n\x1a\n\0\0garbage", 18));
    RunOk({"text", "1", "KEEP", "--model", "Q01"});
    const std::string before = WorkValue("DATA_00");
    std::vector<std::string> args;
    for (auto arg : c.args) {
        if (const auto at = arg.find("{home}"); at != std::string::npos) arg.replace(at, 6, home_.string());
        args.push_back(arg);
    }
    const CliResult result = Run(args);
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists(home_ / "f.bin"));
    EXPECT_EQ(WorkValue("DATA_00"), before);
}

INSTANTIATE_TEST_SUITE_P(Cli, CliBadInputTest, ::testing::ValuesIn(kBadInputCases),
                         [](const auto& info) { return std::string(info.param.name); });

class CliWordLimitTest : public CliTest {
protected:
    // Three sent slots of 12 rows x 4000 columns: 6000 bytes each on Q15,
    // 18000 in all, over the limit of 12000.
    void SetUp() override
    {
        CliTest::SetUp();
        const auto wide = WriteBmp("wide.bmp", Picture(12, std::string(4000, 'R')));
        for (const char* slot : {"1", "2", "3"}) RunOk({"image", slot, wide.string(), "--model", "Q15"});
    }
};

TEST_F(CliWordLimitTest, WithoutTerminalOrYesTheSendIsDeclined)
{
    RunOk({"language", "en"});
    const CliResult result = Run({"send", "--model", "Q15", "--output", (home_ / "f.bin").string()});
    EXPECT_EQ(result.exitCode, 4);
    // The question of the write-to-file mode: 6000 bytes over, 6000 / 18 + 1 words.
    EXPECT_NE(result.err.find("Data over 334 words!"), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists(home_ / "f.bin"));
}

TEST_F(CliWordLimitTest, TheQuestionIsAskedInTheStoredLanguage)
{
    RunOk({"language", "zh-Hans"});
    const CliResult result = Run({"send", "--model", "Q15", "--output", (home_ / "f.bin").string()});
    EXPECT_EQ(result.exitCode, 4);
    EXPECT_NE(result.err.find("数据超过334个字!\n继续发送吗?"), std::string::npos) << result.err;
}

TEST_F(CliWordLimitTest, YesSendsTheShortenedData)
{
    RunOk({"send", "--model", "Q15", "--output", (home_ / "f.bin").string(), "--yes"});
    // Slot 3 is dropped: the frames carry the 12000 bytes of slots 1 and 2
    // (header 5, parameter frame 42).
    EXPECT_EQ(ReadBytes(home_ / "f.bin").size(), 5u + 42u + 12000u);
    // Q16 has no limit: all 18000 bytes, no question.
    RunOk({"send", "--model", "Q16", "--output", (home_ / "g.bin").string()});
    EXPECT_EQ(ReadBytes(home_ / "g.bin").size(), 5u + 42u + 18000u);
}

TEST_F(CliTest, SendAsksAboutASlotWhosePictureNoLongerLoads)
{
    const auto picture = WriteBmp("gone.bmp", {"R"});
    RunOk({"image", "2", picture.string(), "--model", "Q06"});
    std::filesystem::remove(picture);
    const std::string question = "slot 2: picture " + picture.string() + " cannot be loaded; send anyway?";
    // No terminal and no --yes: declined, nothing written.
    const CliResult declined = Run({"send", "--model", "Q06", "--output", (home_ / "f.bin").string()});
    EXPECT_EQ(declined.exitCode, 2);
    EXPECT_NE(declined.err.find(question), std::string::npos) << declined.err;
    EXPECT_FALSE(std::filesystem::exists(home_ / "f.bin"));
    // On a terminal the answer decides.
    const CliResult no = RunOnTerminal({"send", "--model", "Q06", "--output", (home_ / "f.bin").string()}, "n\n");
    EXPECT_EQ(no.exitCode, 2) << no.out;
    EXPECT_FALSE(std::filesystem::exists(home_ / "f.bin"));
    const CliResult yes = RunOnTerminal({"send", "--model", "Q06", "--output", (home_ / "f.bin").string()}, "y\n");
    EXPECT_EQ(yes.exitCode, 0) << yes.out;
    const Bytes answeredYes = ReadBytes(home_ / "f.bin");
    // --yes answers yes: the picture takes no width, the rest is sent.
    const CliResult assumed = RunOk({"send", "--model", "Q06", "--yes", "--output", (home_ / "g.bin").string()});
    EXPECT_NE(assumed.err.find(question + " yes (--yes)"), std::string::npos) << assumed.err;
    EXPECT_EQ(ReadBytes(home_ / "g.bin"), answeredYes);
    // Not sent, it is no question.
    RunOk({"slot", "2", "--send", "off", "--model", "Q06"});
    const CliResult unsent = RunOk({"send", "--model", "Q06", "--output", (home_ / "h.bin").string()});
    EXPECT_EQ(unsent.err.find(question), std::string::npos) << unsent.err;
}

TEST_F(CliTest, AProjectBehindALinkLoopIsUnreadableNotMissing)
{
    const auto loop = home_ / "loop.led";
    std::filesystem::create_symlink(loop, loop);
    const CliResult result = Run({"show", "--project", loop.string()});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("cannot read project file"), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("not found"), std::string::npos) << result.err;
}

TEST_F(CliTest, PreviewSaysWhichPicturesItDrawsBlack)
{
    const auto picture = WriteBmp("gone.bmp", {"R"});
    RunOk({"image", "2", picture.string(), "--model", "Q06"});
    RunOk({"slot", "2", "--send", "off", "--model", "Q06"});
    const std::string warning = "slot 2: picture " + picture.string() + " cannot be loaded; it is shown black";
    const auto png = (home_ / "p.png").string();
    EXPECT_EQ(RunOk({"preview", "--model", "Q06", "--png", png}).err.find(warning), std::string::npos);
    // Gone, the picture is named even on a row that is not sent: the row shows.
    std::filesystem::remove(picture);
    const CliResult result = RunOk({"preview", "--model", "Q06", "--png", png});
    EXPECT_NE(result.err.find(warning), std::string::npos) << result.err;
}

TEST_F(CliTest, SendToTheSelectedIdsNeedsRs485TickedIdsAndASign)
{
    EXPECT_EQ(Run({"send", "--selected"}).exitCode, 2);
    EXPECT_EQ(Run({"send", "--485", "--selected", "--output", (home_ / "f.bin").string()}).exitCode, 2);
    const CliResult none = Run({"send", "--485", "--selected", "--model", "Q26"});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_NE(none.err.find("No ID selected?"), std::string::npos) << none.err;
    // IDs 3 and 7 ticked in the ID list: the series needs a sign.
    WriteFile("WorkData/IDLIST.id", "[IDLIST]\r\nLEDID3=A\r\nLEDID3_CHECK=1\r\nLEDID3_GROUP=1\r\n"
                                    "LEDID7=B\r\nLEDID7_CHECK=1\r\nLEDID7_GROUP=1\r\n");
    const CliResult noSign = Run({"send", "--485", "--selected", "--model", "Q26", "--device", "/nonexistent/hidraw9"});
    EXPECT_EQ(noSign.exitCode, 1) << noSign.err;
    EXPECT_NE(noSign.err.find("cannot open"), std::string::npos) << noSign.err;
}

TEST_F(CliTest, AnotherJobOnTheProgramFolderIsRefused)
{
    const int fd = open(home_.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
    const CliResult busy = Run({"send", "--output", (home_ / "f.bin").string()});
    EXPECT_EQ(busy.exitCode, 5);
    EXPECT_NE(busy.err.find("another job"), std::string::npos);
    close(fd);
    RunOk({"send", "--output", (home_ / "f.bin").string()});
}

TEST_F(CliTest, EveryCommandHasHelpWithTheExitCodes)
{
    const CliResult general = RunOk({"--help"});
    for (const char* command : {"models", "devices", "send", "preview", "show", "text", "image", "date", "slot",
                                "clock", "scan", "power", "id-read", "id-change", "group-send", "new", "open",
                                "save", "select-id", "set-model", "language"}) {
        EXPECT_NE(general.out.find(std::string("  ") + command + " "), std::string::npos) << command;
        // Help needs no program folder.
        const CliResult help = RunOk({"--home", (home_ / "nowhere").string(), command, "--help"});
        EXPECT_NE(help.out.find(std::string("Usage: lumitag-cli [--home DIR] ") + command), std::string::npos);
        EXPECT_NE(help.out.find("Options:\n"), std::string::npos) << command;
        EXPECT_NE(help.out.find("  -h, --help"), std::string::npos) << command;
        EXPECT_NE(help.out.find("5  another job is running"), std::string::npos) << command;
        EXPECT_EQ(RunOk({command, "-h"}).out, help.out);
        EXPECT_EQ(RunOk({"help", command}).out, help.out);
    }
    EXPECT_FALSE(std::filesystem::exists(home_ / "nowhere"));
}

TEST_F(CliTest, HelpWinsOverAnIncompleteCommandLine)
{
    // "--help" where a value was due still asks for help, not for the value.
    EXPECT_NE(RunOk({"send", "--model", "--help"}).out.find("--output FILE"), std::string::npos);
    EXPECT_NE(RunOk({"id-change", "--help"}).out.find("OLD NEW"), std::string::npos);
    // After "--" it is text for the slot.
    RunOk({"text", "1", "--model", "Q01", "--", "--help"});
    EXPECT_EQ(WorkValue("DATA_00"), "[ASCII]--help");
}

TEST_F(CliTest, ModelsListsTheCatalogueInOrder)
{
    const CliResult result = RunOk({"models"});
    EXPECT_NE(result.out.find("Q01      7        8  0 HelloFixed12    no\n"), std::string::npos);
    EXPECT_NE(result.out.find("Q26     16       10  5 Bus276          yes\n"), std::string::npos);
    EXPECT_LT(result.out.find("Q09 "), result.out.find("Q10 "));
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 37);
}

}  // namespace
}  // namespace lumitag::test
