#include "model/SignProgram.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <fstream>
#include <iterator>

#include "model/Reporter.h"
#include "model/TextEncoding.h"

namespace lumitag {
namespace {

namespace fs = std::filesystem;

MessageSlot Fields(std::initializer_list<std::int32_t> v)
{
    const auto* p = v.begin();
    MessageSlot s;
    s.kind = p[0], s.effect = p[1], s.speed = p[2], s.time = p[3], s.marquee = p[4];
    s.spare = p[5], s.send = p[6], s.offset = p[7], s.arabic = p[8], s.blink = p[9];
    return s;
}

// The ten fields as text, so that a failed comparison says which one differs.
std::string Text(const MessageSlot& s)
{
    return std::to_string(s.kind) + "," + std::to_string(s.effect) + "," + std::to_string(s.speed) + "," +
           std::to_string(s.time) + "," + std::to_string(s.marquee) + "," + std::to_string(s.spare) + "," +
           std::to_string(s.send) + "," + std::to_string(s.offset) + "," + std::to_string(s.arabic) + "," +
           std::to_string(s.blink) + "," + s.content;
}

TEST(SlotParamTable, IsFieldMajor)
{
    SlotParamTable table;
    table.at(SlotField::offset, 3) = -8;
    table.at(SlotField::kind, 9) = 2;
    EXPECT_EQ(table.values[73], -8);
    EXPECT_EQ(table.values[9], 2);
    SetSlot(table, 4, Fields({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    for (int f = 0; f < kSlotFieldCount; ++f) EXPECT_EQ(table.values[static_cast<std::size_t>(f * 10 + 4)], f + 1);
    EXPECT_EQ(Text(SlotOf(table, 4)), Text(Fields({1, 2, 3, 4, 5, 6, 7, 8, 9, 10})));
}

TEST(SlotParamTable, FormatParams)
{
    struct Case {
        MessageSlot fields;
        const char* text;
    };
    const Case cases[] = {
        {Fields({1, 3, 2, 1, 0, 0, 1, -2, 0, 1}), "10321001-201"},
        {Fields({0, 0, 0, 0, 0, 0, 0, -8, 0, 0}), "00000000-800"},
        {Fields({3, 7, 7, 5, 1, 0, 1, 8, 1, 1}), "307751010811"},
        // Wider values widen the string and shift later columns; nothing overflows.
        {Fields({12, 100, 0, 0, 0, 0, 0, 0, 0, 0}), "12100000000000"},
        {Fields({INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN}),
         "-2147483648-2147483648-2147483648-2147483648-2147483648-2147483648-2147483648-2147483648-"
         "2147483648-2147483648"},
    };
    for (const Case& c : cases) {
        SlotParamTable table;
        SetSlot(table, 6, c.fields);
        EXPECT_EQ(FormatParams(table, 6), c.text);
    }
}

TEST(SlotParamTable, ParseParamsByFixedPositions)
{
    struct Case {
        const char* text;
        MessageSlot fields;
    };
    const Case cases[] = {
        {"10110000000", Fields({1, 1, 1, 0, 0, 0, 0, 0, 0, 0})},  // default projects: 11 characters
        {"10321001-201", Fields({1, 3, 2, 1, 0, 0, 1, -2, 0, 1})},
        {"00000000-800", Fields({0, 0, 0, 0, 0, 0, 0, -8, 0, 0})},
        {"", Fields({0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
        {"2", Fields({2, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
        {"1-5", Fields({1, -5, 0, 0, 0, 0, 0, 0, 0, 0})},
        {"x9ab7", Fields({0, 9, 0, 7, 0, 0, 0, 0, 0, 0})},             // non-numeric columns give 0
        {"10321001-2019999", Fields({1, 3, 2, 1, 0, 0, 1, -2, 0, 1})},  // extra text ignored
        {"199999999999", Fields({1, 99, 9, 9, 9, 9, 9, 99, 9, 9})},     // out of range, kept as read
        {"\xC3\xA9" "0211111111", Fields({0, 2, 1, 1, 1, 1, 1, 11, 1, 0})},  // é is one position
        {"1-", Fields({1, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SlotParamTable table;
        table.values.fill(77);
        ParseParams(c.text, table, 2);
        EXPECT_EQ(Text(SlotOf(table, 2)), Text(c.fields));
        EXPECT_EQ(table.at(SlotField::kind, 3), 77);  // other slots untouched
    }
}

TEST(SlotParamTable, InRangeValuesRoundTrip)
{
    for (const MessageSlot& fields :
         {Fields({1, 3, 2, 1, 0, 0, 1, -2, 0, 1}), Fields({3, 7, 7, 5, 1, 9, 1, 8, 1, 1}),
          Fields({0, 0, 0, 0, 0, 0, 0, -8, 0, 0}), Fields({2, 6, 0, 5, 0, 3, 1, -1, 1, 0})}) {
        SlotParamTable table;
        SetSlot(table, 0, fields);
        SlotParamTable back;
        ParseParams(FormatParams(table, 0), back, 0);
        EXPECT_EQ(Text(SlotOf(back, 0)), Text(fields));
    }
}

TEST(SignProgram, RemoveLineBreaks)
{
    const std::pair<std::string, std::string> cases[] = {
        {"one\r\ntwo", "onetwo"},
        {"one\ntwo", "one\ntwo"},
        {"one\rtwo", "one\rtwo"},
        {"\r\n\r\n", ""},
        {"a\r\r\n\nb", "ab"},  // the pair that removal brings together goes too
        {"a\n\rb", "a\n\rb"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(RemoveLineBreaks(in), out);
}

class SignProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static std::atomic<int> counter{0};
        folder_ = fs::temp_directory_path() /
                  ("lumitag-program-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::create_directories(folder_);
        program_.SetReporter(&reporter_);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    fs::path WriteUtf16(const std::string& name, std::string_view text)
    {
        const fs::path path = folder_ / name;
        std::ofstream out(path, std::ios::binary);
        out << "\xFF\xFE";
        const auto body = Utf16LeBytes(text);
        out.write(reinterpret_cast<const char*>(body.data()), static_cast<std::streamsize>(body.size()));
        return path;
    }
    static std::string ReadText(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        if (bytes.size() < 2) return bytes;
        std::u16string units;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                           static_cast<unsigned char>(bytes[i + 1]) << 8);
        return Utf16ToUtf8(units);
    }

    fs::path folder_;
    RecordingReporter reporter_;
    SignProgram program_;
};

TEST_F(SignProgramTest, LoadProgramParsesEveryParameterString)
{
    const fs::path path = WriteUtf16("1.led",
                                     "[INFO]\r\nPARA_00=10110000000\r\nPARA_01=10321001-201\r\n"
                                     "PARA_09=307751010811\r\nDATA_01=[ASCII]Hi\r\n");
    program_.Params().values.fill(5);
    ASSERT_TRUE(program_.LoadProgram(path));
    EXPECT_EQ(program_.ProjectPath(), path);
    EXPECT_EQ(Text(SlotOf(program_.Params(), 0)), Text(Fields({1, 1, 1, 0, 0, 0, 0, 0, 0, 0})));
    EXPECT_EQ(Text(SlotOf(program_.Params(), 1)), Text(Fields({1, 3, 2, 1, 0, 0, 1, -2, 0, 1})));
    EXPECT_EQ(Text(SlotOf(program_.Params(), 5)), Text(MessageSlot{}));  // missing key: empty slot
    EXPECT_EQ(Text(SlotOf(program_.Params(), 9)), Text(Fields({3, 7, 7, 5, 1, 0, 1, 8, 1, 1})));
    EXPECT_EQ(program_.GetContent(1), "[ASCII]Hi");
    EXPECT_EQ(program_.GetContent(2), "");
}

TEST_F(SignProgramTest, FailedLoadLeavesEverySlotEmpty)
{
    program_.Params().values.fill(5);
    EXPECT_FALSE(program_.LoadProgram(folder_ / "missing.led"));
    for (const auto v : program_.Params().values) EXPECT_EQ(v, 0);
    EXPECT_EQ(program_.GetContent(0), "");
}

TEST_F(SignProgramTest, SaveParamsWritesAllTenSlotsInOrderOnce)
{
    const fs::path path = WriteUtf16("2.led", "[INFO]\r\nDATA_00=x\r\nPARA_03=1\r\n");
    ASSERT_TRUE(program_.LoadProgram(path));
    SetSlot(program_.Params(), 0, Fields({1, 3, 2, 1, 0, 0, 1, -2, 0, 1}));
    ASSERT_TRUE(program_.SaveParams());
    EXPECT_EQ(ReadText(path),
              "[INFO]\r\nDATA_00=x\r\nPARA_03=100000000000\r\nPARA_00=10321001-201\r\n"
              "PARA_01=000000000000\r\nPARA_02=000000000000\r\nPARA_04=000000000000\r\n"
              "PARA_05=000000000000\r\nPARA_06=000000000000\r\nPARA_07=000000000000\r\n"
              "PARA_08=000000000000\r\nPARA_09=000000000000\r\n");
    EXPECT_TRUE(reporter_.entries().empty());
}

TEST_F(SignProgramTest, PutContentStoresOneLineAndGetContentRereadsTheFile)
{
    const fs::path path = folder_ / "3.led";
    ASSERT_FALSE(program_.LoadProgram(path));  // a new work file
    ASSERT_TRUE(program_.PutContent(4, "line one\r\nline two"));
    EXPECT_EQ(ReadText(path), "[INFO]\r\nDATA_04=line oneline two\r\n");
    ASSERT_TRUE(program_.PutContent(5, "a\nb"));
    EXPECT_EQ(program_.GetContent(5), "a\nb");

    // Another writer changes the file: the next GetContent sees it.
    WriteUtf16("3.led", "[INFO]\r\nDATA_04=changed\r\n");
    EXPECT_EQ(program_.GetContent(4), "changed");
}

TEST_F(SignProgramTest, LoadingAnotherProgramMergesIntoMemory)
{
    const fs::path a = WriteUtf16("a.led", "[INFO]\r\nDATA_07=from a\r\nPARA_00=2\r\n");
    const fs::path b = WriteUtf16("b.led", "[INFO]\r\nPARA_00=3\r\n");
    ASSERT_TRUE(program_.LoadProgram(a));
    ASSERT_TRUE(program_.LoadProgram(b));
    EXPECT_EQ(program_.Params().at(SlotField::kind, 0), 3);
    // Keys only the first file had stay in memory, as the store merges reads.
    EXPECT_EQ(program_.File().GetString("INFO", "DATA_07"), "from a");
}

TEST_F(SignProgramTest, UnboundOrBlankPathWritesNothing)
{
    for (const char* path : {"", "   ", "\t"}) {
        SCOPED_TRACE(path);
        SignProgram program;
        program.SetReporter(&reporter_);
        program.LoadProgram(path);
        EXPECT_FALSE(program.SaveParams());
        EXPECT_FALSE(program.PutContent(0, "x"));
    }
    EXPECT_TRUE(reporter_.entries().empty());
    EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(SignProgramTest, AFileThatExistsButCannotBeReadIsNeverOverwritten)
{
    const fs::path path = folder_ / "huge.led";
    {
        std::ofstream out(path, std::ios::binary);
        out << "\xFF\xFE";
    }
    fs::resize_file(path, kMaxReadBytes + 2);
    EXPECT_FALSE(program_.LoadProgram(path));
    EXPECT_FALSE(program_.SaveParams());
    EXPECT_FALSE(program_.PutContent(0, "x"));
    EXPECT_EQ(fs::file_size(path), kMaxReadBytes + 2);
    EXPECT_EQ(reporter_.texts(), (std::vector<std::string>{"Open failed", "Open failed"}));

    // Binding to a readable file lifts the guard.
    const fs::path ok = WriteUtf16("ok.led", "[INFO]\r\nPARA_00=1\r\n");
    ASSERT_TRUE(program_.LoadProgram(ok));
    EXPECT_TRUE(program_.SaveParams());
}

}  // namespace
}  // namespace lumitag
