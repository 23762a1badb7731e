#include "model/IniFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "model/Reporter.h"
#include "model/TextEncoding.h"

namespace lumitag {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes Hex(std::string_view hex)
{
    Bytes out;
    for (std::size_t i = 0; i + 1 < hex.size();) {
        if (hex[i] == ' ') {
            ++i;
            continue;
        }
        out.push_back(static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
        i += 2;
    }
    return out;
}

std::string ToHex(const Bytes& bytes)
{
    std::string out;
    char cell[4];
    for (const auto b : bytes) {
        std::snprintf(cell, sizeof cell, "%02X ", b);
        out += cell;
    }
    if (!out.empty()) out.pop_back();
    return out;
}

Bytes Raw(std::string_view text) { return Bytes(text.begin(), text.end()); }

Bytes Utf16Le(std::string_view utf8)
{
    Bytes out{0xFF, 0xFE};
    const auto body = Utf16LeBytes(utf8);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static std::atomic<int> counter{0};
        folder_ = fs::temp_directory_path() /
                  ("lumitag-ini-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::create_directories(folder_);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    fs::path Write(const std::string& name, const Bytes& bytes)
    {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    static Bytes Read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    // Loads bytes through a real file, as the program does.
    CIniFile LoadBytes(const Bytes& bytes)
    {
        CIniFile ini(Write("in.ini", bytes));
        EXPECT_TRUE(ini.Load());
        return ini;
    }
    std::vector<std::string> FolderEntries() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder_)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder_;
};

// ---- line rules -----------------------------------------------------------

TEST_F(IniFileTest, LineRules)
{
    struct Case {
        const char* text;
        const char* section;
        const char* key;
        bool found;
        const char* value;
    };
    const Case cases[] = {
        {"[INFO]\r\nPARA_00=1", "INFO", "PARA_00", false, ""},        // no final CR LF
        {"[INFO]\r\nPARA_00=1\r\n", "INFO", "PARA_00", true, "1"},
        {"[[A]]\r\nk=1\r\n", "A", "k", true, "1"},                     // all brackets stripped
        {"[A]]]x]\r\nk=1\r\n", "A]]]x", "k", true, "1"},                // only the trailing run
        {"[A] \r\n", "", "", true, "A] "},                              // not a header: entry, first char dropped
        {"abc\r\n", "", "", true, "bc"},
        {"\xC3\xA9t\xC3\xA9\r\n", "", "", true, "t\xC3\xA9"},            // first character, not first byte
        {"k=v=w\r\n", "", "k", true, "v=w"},
        {" k = v \r\n", "", " k ", true, " v "},                        // nothing is trimmed
        {";c=1\r\n", "", ";c", true, "1"},                               // no comments
        {"=x\r\n", "", "", true, "x"},
        {"[]\r\nk=1\r\n", "", "k", true, "1"},
        {"[ S ]\r\nk=1\r\n", " S ", "k", true, "1"},
        {"a=1\nb=2\r\n", "", "a", true, "1\nb=2"},                        // a lone LF is not a line end
        {"a=1\rb=2\r\n", "", "a", true, "1\rb=2"},
        {"k=1\r\nk=2\r\n", "", "k", true, "2"},                          // later line wins
        {"[A]\r\n[B]\r\nk=1\r\n", "B", "k", true, "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CIniFile ini;
        ini.MergeText(c.text);
        const int s = ini.FindSection(c.section);
        EXPECT_EQ(ini.FindEntry(s, c.key) >= 0, c.found);
        EXPECT_EQ(ini.GetString(c.section, c.key), c.value);
    }
}

TEST_F(IniFileTest, HeaderAloneCreatesNoSection)
{
    CIniFile ini;
    ini.MergeText("[A]\r\n[B]\r\nk=1\r\n[INFO]\r\nPARA_00=1");
    EXPECT_EQ(ini.FindSection("A"), -1);
    EXPECT_EQ(ini.FindSection("INFO"), -1);
    EXPECT_EQ(ini.FindSection("B"), 0);
    EXPECT_EQ(ini.GetString("INFO", "PARA_00"), "");
    EXPECT_EQ(ini.lastError(), "Unable to locate specified key.");
    EXPECT_EQ(ini.GetString("B", "x"), "");
    EXPECT_EQ(ini.lastError(), "Unable to locate specified value.");
}

TEST_F(IniFileTest, LookupsAreExactAndFirstMatchWins)
{
    CIniFile ini;
    ini.MergeText("[Setting]\r\nLedType=Q14\r\n");
    EXPECT_EQ(ini.GetString("setting", "LedType"), "");
    EXPECT_EQ(ini.GetString("Setting", "ledtype"), "");
    EXPECT_EQ(ini.GetString("Setting", "LedType"), "Q14");
    EXPECT_EQ(ini.FindEntry(-1, "LedType"), -1);
    EXPECT_EQ(ini.FindEntry(7, "LedType"), -1);
}

TEST_F(IniFileTest, PutStringWithoutCreateNeverAdds)
{
    CIniFile ini;
    EXPECT_FALSE(ini.PutString("S", "k", "v", false));
    EXPECT_EQ(ini.SectionCount(), 0);
    EXPECT_TRUE(ini.PutString("S", "k", "v", true));
    EXPECT_FALSE(ini.PutString("S", "other", "v", false));
    EXPECT_TRUE(ini.PutString("S", "k", "w", false));
    EXPECT_EQ(ini.GetString("S", "k"), "w");
    EXPECT_TRUE(ini.PutInt("S", "n", INT_MIN));
    EXPECT_EQ(ini.GetString("S", "n"), "-2147483648");
}

TEST_F(IniFileTest, GetIntReadsALeadingDecimalNumber)
{
    const std::pair<const char*, int> cases[] = {
        {"", 0},           {"abc", 0},        {"12abc", 12},     {"3.9", 3},
        {"-2.5", -2},      {"  42", 42},      {"\t7", 7},        {"+5", 5},
        {"-0.9", 0},       {".5", 0},         {"1e3", 1000},     {"1e", 1},
        {"0x1A", 0},       {"inf", 0},        {"nan", 0},        {"- 1", 0},
        {"2147483647", INT_MAX}, {"2147483648", INT_MAX}, {"-2147483649", INT_MIN},
        {"1e400", INT_MAX},      {"-1e400", INT_MIN},     {"1e-400", 0},
        {"99999999999999999999999", INT_MAX},
    };
    for (const auto& [text, expected] : cases) {
        CIniFile ini;
        ini.PutString("S", "k", text);
        EXPECT_EQ(ini.GetInt("S", "k"), expected) << '"' << text << '"';
    }
    CIniFile empty;
    EXPECT_EQ(empty.GetInt("S", "k"), 0);
}

// ---- reading files --------------------------------------------------------

TEST_F(IniFileTest, LoadMergesIntoMemory)
{
    CIniFile ini(Write("a.ini", Utf16Le("[S]\r\nk=1\r\nonlyFirst=x\r\n")));
    ASSERT_TRUE(ini.Load());
    Write("a.ini", Utf16Le("[S]\r\nk=2\r\n[T]\r\nm=3\r\n"));
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.GetString("S", "k"), "2");
    EXPECT_EQ(ini.GetString("S", "onlyFirst"), "x");
    EXPECT_EQ(ini.GetString("T", "m"), "3");
}

TEST_F(IniFileTest, EveryEncodingReadsTheSameContent)
{
    const std::string text = "[INFO]\r\nName=Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x98\x80\r\n";
    const std::u16string units = Utf8ToUtf16(text);
    Bytes be{0xFE, 0xFF};
    for (const char16_t u : units) {
        be.push_back(static_cast<std::uint8_t>(u >> 8));
        be.push_back(static_cast<std::uint8_t>(u & 0xFF));
    }
    Bytes utf8Bom = Hex("EF BB BF");
    utf8Bom.insert(utf8Bom.end(), text.begin(), text.end());

    const Bytes inputs[] = {Utf16Le(text), be, utf8Bom, Raw(text)};
    for (const Bytes& input : inputs) {
        SCOPED_TRACE(ToHex(Bytes(input.begin(), input.begin() + 4)));
        CIniFile ini = LoadBytes(input);
        EXPECT_EQ(ini.GetString("INFO", "Name"), "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x98\x80");
        EXPECT_EQ(ini.Serialize(), Utf16Le(text));
    }
}

TEST_F(IniFileTest, FileWithoutMarkThatIsNotUtf8IsWindows1252WithNoByteDropped)
{
    // E9 é, 80 €, 81 undefined in 1252 (kept as U+0081), EF alone is not a mark.
    CIniFile ini = LoadBytes(Hex("5B 53 5D 0D 0A 6B 3D 43 61 66 E9 20 80 81 0D 0A 78 3D EF 0D 0A"));
    EXPECT_EQ(ini.GetString("S", "k"), "Caf\xC3\xA9 \xE2\x82\xAC\xC2\x81");
    EXPECT_EQ(ini.GetString("S", "x"), "\xC3\xAF");
}

TEST_F(IniFileTest, ShortAndPartialMarks)
{
    EXPECT_EQ(LoadBytes({}).SectionCount(), 0);
    EXPECT_EQ(LoadBytes(Hex("FF")).SectionCount(), 0);
    // EF BB without BF is no mark: the whole file is code-page text.
    CIniFile partial = LoadBytes(Hex("EF BB 3D 31 0D 0A"));
    EXPECT_EQ(partial.GetString("", "\xC3\xAF\xC2\xBB"), "1");
}

TEST_F(IniFileTest, DamagedUtf16)
{
    // Odd byte count: the last byte is no code unit and is ignored.
    CIniFile odd = LoadBytes(Hex("FF FE 6B 00 3D 00 31 00 0D 00 0A 00 41"));
    EXPECT_EQ(odd.GetString("", "k"), "1");

    // Lone surrogates survive a load and a save unit for unit.
    const Bytes lone = Hex("FF FE 5B 00 53 00 5D 00 0D 00 0A 00 6B 00 3D 00 00 D8 41 00 00 DC 0D 00 0A 00");
    CIniFile ini = LoadBytes(lone);
    EXPECT_EQ(ini.GetString("S", "k"), "\xED\xA0\x80" "A" "\xED\xB0\x80");
    EXPECT_EQ(ToHex(ini.Serialize()), ToHex(lone));

    // NUL characters are ordinary characters.
    CIniFile nul = LoadBytes(Hex("FF FE 6B 00 3D 00 61 00 00 00 62 00 0D 00 0A 00"));
    EXPECT_EQ(nul.GetString("", "k"), std::string("a\0b", 3));
    EXPECT_EQ(ToHex(nul.Serialize()), "FF FE 5B 00 5D 00 0D 00 0A 00 6B 00 3D 00 61 00 00 00 62 00 0D 00 0A 00");
}

TEST_F(IniFileTest, InvalidUtf8AfterAMarkBecomesReplacementCharacters)
{
    CIniFile ini = LoadBytes(Hex("EF BB BF 6B 3D 61 FF 62 E2 82 63 ED A0 80 0D 0A"));
    EXPECT_EQ(ini.GetString("", "k"), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD" "c\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST_F(IniFileTest, ReadsTheWholeFileHoweverLong)
{
    // Ten 2 KB slots and a megabyte line: far past 25000 characters.
    std::string text = "[INFO]\r\n";
    for (int i = 0; i < 10; ++i) text += "DATA_0" + std::to_string(i) + "=" + std::string(2048, 'a' + i) + "\r\n";
    const std::string huge(1 << 20, 'z');
    text += "BIG=" + huge + "\r\nLAST=end\r\n";
    CIniFile ini = LoadBytes(Utf16Le(text));
    EXPECT_EQ(ini.GetString("INFO", "DATA_09"), std::string(2048, 'j'));
    EXPECT_EQ(ini.GetString("INFO", "BIG"), huge);
    EXPECT_EQ(ini.GetString("INFO", "LAST"), "end");
}

TEST_F(IniFileTest, MillionsOfDistinctKeysLoadInLinearTime)
{
    std::string text;
    for (int i = 0; i < 200000; ++i) text += std::to_string(i) + "=v\r\n";
    CIniFile ini = LoadBytes(Raw(text));
    EXPECT_EQ(ini.Section(0).entryNames.size(), 200000u);
    EXPECT_EQ(ini.GetString("", "199999"), "v");
}

TEST_F(IniFileTest, UnreadablePathsFailAndLeaveMemoryAlone)
{
    const fs::path fifo = folder_ / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path big = folder_ / "big.ini";
    {
        std::ofstream out(big, std::ios::binary);
        out << "\xFF\xFE";
    }
    fs::resize_file(big, kMaxReadBytes + 1);

    struct Case {
        fs::path path;
        FileStatus status;
    };
    const Case cases[] = {
        {folder_ / "missing.ini", FileStatus::OpenFailed},
        {folder_, FileStatus::NotAFile},
        {fifo, FileStatus::NotAFile},  // must not wait for a writer
        {big, FileStatus::TooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.string());
        CIniFile ini;
        ini.PutString("S", "k", "kept");
        ini.SetPath(c.path);
        EXPECT_FALSE(ini.Load());
        EXPECT_EQ(ini.LoadResult().status, c.status);
        EXPECT_EQ(ini.GetString("S", "k"), "kept");
        EXPECT_EQ(ini.SectionCount(), 1);
    }
    EXPECT_NE(Describe(CIniFile().LoadResult()), "");
}

TEST_F(IniFileTest, FileOfExactlyTheBoundIsRead)
{
    std::string text = "k=v\r\n";
    text.resize(kMaxReadBytes, 'x');
    CIniFile ini = LoadBytes(Raw(text));
    EXPECT_EQ(ini.GetString("", "k"), "v");
}

// ---- writing files --------------------------------------------------------

// Under the undefined-behaviour sanitizer this also checks that empty text
// never reaches memcpy with a null pointer.
TEST_F(IniFileTest, EmptyTextEncodesToNoBytes)
{
    EXPECT_TRUE(Utf16LeBytes("").empty());
    EXPECT_EQ(ToHex(Utf16LeBytes("A")), "41 00");
}

TEST_F(IniFileTest, SaveOfEmptyContentWritesOnlyTheMark)
{
    CIniFile ini(folder_ / "empty.ini");
    EXPECT_TRUE(ini.Save());
    EXPECT_EQ(ToHex(Read(folder_ / "empty.ini")), "FF FE");
}

TEST_F(IniFileTest, SaveWritesSectionsAndKeysInOrderLeavingOutEmptyOnes)
{
    CIniFile ini(folder_ / "out.ini");
    ini.MergeText("lost\r\n[E]\r\n=x\r\n[B]\r\nk=1\r\n");
    ini.PutString("A", "z", "");
    ini.PutString("B", "", "dropped");
    ini.PutString("B", "j", "\xC3\xA9");
    ini.PutString("Empty", "", "");
    ASSERT_TRUE(ini.Save());
    // [] and [E] hold only empty keys: their headers are written, the keys not.
    EXPECT_EQ(ToHex(Read(folder_ / "out.ini")),
              "FF FE "
              "5B 00 5D 00 0D 00 0A 00 "                                // []
              "5B 00 45 00 5D 00 0D 00 0A 00 "                          // [E]
              "5B 00 42 00 5D 00 0D 00 0A 00 "                          // [B]
              "6B 00 3D 00 31 00 0D 00 0A 00 "                          // k=1
              "6A 00 3D 00 E9 00 0D 00 0A 00 "                          // j=é
              "5B 00 41 00 5D 00 0D 00 0A 00 "                          // [A]
              "7A 00 3D 00 0D 00 0A 00 "                                // z=
              "5B 00 45 00 6D 00 70 00 74 00 79 00 5D 00 0D 00 0A 00"); // [Empty]
}

TEST_F(IniFileTest, SaveAndLoadRoundTrip)
{
    CIniFile out(folder_ / "r.ini");
    out.PutString("INFO", "PARA_00", "1,04,03,00,1,0,1,00,0,0");
    out.PutString("INFO", "DATA_00", "{\\rtf1 x=y [z]}");
    out.PutString("\xE4\xB8\xAD", "\xF0\x9F\x98\x80", "\xC3\xA9");
    ASSERT_TRUE(out.Save());
    CIniFile in(folder_ / "r.ini");
    ASSERT_TRUE(in.Load());
    EXPECT_EQ(in.GetString("INFO", "DATA_00"), "{\\rtf1 x=y [z]}");
    EXPECT_EQ(in.GetString("\xE4\xB8\xAD", "\xF0\x9F\x98\x80"), "\xC3\xA9");
    EXPECT_EQ(in.Serialize(), out.Serialize());
}

TEST_F(IniFileTest, SaveReplacesTheFileAtomically)
{
    const fs::path path = Write("keep.ini", Utf16Le("[S]\r\nk=old\r\n"));
    ::chmod(path.c_str(), 0640);
    const fs::path link = folder_ / "link.ini";
    fs::create_symlink(path, link);

    CIniFile ini(link);
    ini.PutString("S", "k", "new");
    ASSERT_TRUE(ini.Save());
    EXPECT_TRUE(fs::is_symlink(link));  // the link stays, its target is replaced
    EXPECT_EQ(Read(path), Utf16Le("[S]\r\nk=new\r\n"));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"keep.ini", "link.ini"}));
}

TEST_F(IniFileTest, FailedSaveLeavesTheOldFileWholeAndSaysOpenFailed)
{
    const Bytes old = Utf16Le("[S]\r\nk=old\r\n");
    const fs::path path = Write("work.ini", old);
    RecordingReporter reporter;
    CIniFile ini(path);
    ini.SetReporter(&reporter);
    ini.PutString("S", "k", std::string(64 * 1024, 'n'));

    // A file-size limit makes the write fail part-way, as a full disk does.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit low = saved;
    low.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &low), 0);
    const bool saved_ok = ini.Save();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(Read(path), old);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"work.ini"});  // no temporary left
    ASSERT_EQ(reporter.entries().size(), 1u);
    EXPECT_EQ(reporter.entries()[0].kind, MessageKind::Error);
    EXPECT_EQ(reporter.entries()[0].text, "Open failed");
    EXPECT_EQ(ini.GetString("S", "k").size(), 64u * 1024u);  // memory unchanged
}

TEST_F(IniFileTest, SaveRefusesPathsThatAreNotFiles)
{
    const fs::path fifo = folder_ / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(folder_ / "dir");
    for (const fs::path& path : {folder_ / "dir", fifo, folder_ / "missing" / "x.ini"}) {
        SCOPED_TRACE(path.string());
        RecordingReporter reporter;
        CIniFile ini(path);
        ini.SetReporter(&reporter);
        ini.PutString("S", "k", "v");
        EXPECT_FALSE(ini.Save());
        EXPECT_EQ(reporter.texts(), std::vector<std::string>{"Open failed"});
    }
    EXPECT_TRUE(fs::is_directory(folder_ / "dir"));
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"dir", "fifo"}));
}

// ---- text encodings -------------------------------------------------------

TEST(TextEncoding, Utf8ToUtf16AndBack)
{
    struct Case {
        std::string utf8;
        std::u16string utf16;
    };
    const Case cases[] = {
        {"A\xC3\xA9\xE2\x82\xAC", u"A\u00E9\u20AC"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {std::string("\0", 1), std::u16string(1, u'\0')},
        {"\xED\xA0\x80", std::u16string(1, char16_t(0xD800))},  // lone high surrogate
        {"\xED\xBF\xBF", std::u16string(1, char16_t(0xDFFF))},  // lone low surrogate
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16);
        EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8);
    }
    // Ill-formed bytes cannot come back: each maximal bad part is one U+FFFD.
    EXPECT_EQ(Utf8ToUtf16("a\xC0\xAF" "b\xF0\x9F\x98"), u"a\uFFFD\uFFFDb\uFFFD");
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\x80"));
    EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));
}

TEST(TextEncoding, Windows1252CoversEveryByte)
{
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    const std::string utf8 = Windows1252ToUtf8(all);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(Utf8ToUtf16(utf8).size(), 255u);  // one character per byte
    EXPECT_EQ(Windows1252ToUtf8("\x80\x8D\x9F\xFF"), "\xE2\x82\xAC\xC2\x8D\xC5\xB8\xC3\xBF");
}

}  // namespace
}  // namespace lumitag
