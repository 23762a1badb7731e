#include "l10n/Language.h"
#include "l10n/LanguagePack.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumitag {
namespace {

// A small pack with the quirks the profile reader copes with: a byte order
// mark, CR LF and bare LF lines, comments, blanks around names and values,
// quoted values, mixed case and a key given twice.
const std::string kFixture =
    "\xEF\xBB\xBF; a comment line\r\n"
    "[Setting]\r\n"
    "Language=Test\r\n"
    "[String]\r\n"
    "IDS_MENU_FILE=File(&F)\r\n"
    "  Ids_Two_Lines =  first\\nsecond  \r\n"
    "IDS_EMPTY=\r\n"
    "IDD201_title=\"ID modify \"\n"
    "IDD140_Title='  padded  '\n"
    "IDD140_1050=Preview\\nPane\n"
    "IDD140_1051=\n"
    "IDD140_1060=Bold\n"
    "IDS_MENU_FILE=second copy\n"
    "IDS_HALF_QUOTED=\"open\n"
    "[Other]\n"
    "IDS_ONLY_ELSEWHERE=elsewhere\n";

TEST(LanguagePackTest, ReadsTheWayTheProfileReaderDoes)
{
    const LanguagePack pack = LanguagePack::Parse(kFixture);
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"String", "IDS_MENU_FILE", "File(&F)"},          // the first of two wins
        {"string", "ids_menu_file", "File(&F)"},          // names ignore case
        {"STRING", "IDS_TWO_LINES", "first\\nsecond"},    // trimmed, escape kept
        {"String", "IDS_EMPTY", ""},                      // present but empty
        {"String", "IDD201_TITLE", "ID modify "},         // quotes keep the space
        {"String", "idd140_title", "  padded  "},         // single quotes too
        {"String", "IDS_HALF_QUOTED", "\"open"},          // unpaired quote stays
        {"Setting", "Language", "Test"},
        {"String", "IDS_ONLY_ELSEWHERE", "<fallback>"},   // other section only
        {"String", "IDS_MISSING", "<fallback>"},
        {"Missing", "IDS_MENU_FILE", "<fallback>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pack.Read(c.section, c.key, "<fallback>"), c.expected)
            << c.section << "/" << c.key;
}

TEST(LanguagePackTest, ListsRepeatedKeysAndUnusableLines)
{
    EXPECT_TRUE(LanguagePack::Parse("[String]\nA=1\nB=2\n").Problems().empty());

    // Repeats are found without regard to case and only within a section.
    const LanguagePack pack = LanguagePack::Parse(
        "orphan=1\n[String]\nKey=1\nno equals sign\n=no name\nKEY=2\n[Broken\n[Other]\nkey=3\n");
    const std::vector<std::string> expected = {
        "line 1: entry before any section",
        "line 4: not a key=value line",
        "line 5: not a key=value line",
        "line 6: repeated key KEY",
        "line 7: unclosed section header",
    };
    EXPECT_EQ(pack.Problems(), expected);
    EXPECT_EQ(pack.Read("Other", "Key", ""), "3");
    EXPECT_EQ(pack.Entries().size(), 3u);
}

TEST(LanguagePackTest, CutsValuesToTheLookupBuffer)
{
    // 999 UTF-16 units fit; a character is never split, and a character
    // beyond the BMP takes two units.
    const std::string ascii(1200, 'a');
    const std::string threeByte = "\xE4\xB8\xAD";     // U+4E2D, one unit
    const std::string fourByte = "\xF0\x9F\x98\x80";  // U+1F600, two units
    struct Case {
        std::string value;
        std::string expected;
    };
    const Case cases[] = {
        {ascii, std::string(999, 'a')},
        {std::string(998, 'a') + fourByte, std::string(998, 'a')},
        {std::string(997, 'a') + fourByte, std::string(997, 'a') + fourByte},
        {std::string(998, 'a') + threeByte + "b", std::string(998, 'a') + threeByte},
        {"short", "short"},
    };
    for (const Case& c : cases) {
        const LanguagePack pack = LanguagePack::Parse("[String]\nK=" + c.value + "\n");
        EXPECT_EQ(pack.Read("String", "K", ""), c.expected) << c.value.size();
    }
    // The fallback is cut the same way.
    EXPECT_EQ(LanguagePack().Read("String", "K", ascii), std::string(999, 'a'));
}

TEST(LanguagePackTest, SurvivesHostileText)
{
    const std::string cases[] = {
        std::string("[String]\nK=\xF0\x9F"),           // UTF-8 cut short at the end
        std::string("[String]\0\nK=\0v\n", 15),       // NUL bytes
        std::string(100000, '['),                       // one huge unclosed header
        std::string(100000, '='),                       // one huge nameless entry
        "[]\n=\n[\n]\n\r\r\r",
    };
    for (const std::string& text : cases) {
        const LanguagePack pack = LanguagePack::Parse(text);
        EXPECT_LE(pack.Read("String", "K", "").size(), text.size());
    }
}

TEST(LanguagePackTest, MenuTextsTurnBackslashNIntoLineBreaksAndMissOnNotFound)
{
    const LanguagePack pack = LanguagePack::Parse(kFixture);
    EXPECT_EQ(GetLangString(pack, "IDS_MENU_FILE"), "File(&F)");
    EXPECT_EQ(GetLangString(pack, "ids_two_lines"), "first\nsecond");
    EXPECT_EQ(GetLangString(pack, "IDS_EMPTY"), "");
    EXPECT_EQ(GetLangString(pack, "IDS_MISSING"), "Not found");
    EXPECT_EQ(GetLangString(pack, "Language"), "Not found");  // not in section String
    EXPECT_EQ(GetLangString(LanguagePack(), "IDS_MENU_FILE"), "Not found");
}

TEST(LanguagePackTest, DialogTextsStayAsStoredAndSkipEmptyValues)
{
    const LanguagePack pack = LanguagePack::Parse(kFixture);
    EXPECT_EQ(DialogTitle(pack, 201), "ID modify ");
    EXPECT_EQ(DialogTitle(pack, 140), "  padded  ");  // "IDD140_Title" found by "IDD%d_title"
    EXPECT_EQ(DialogTitle(pack, 163), "");
    EXPECT_EQ(DialogControlText(pack, 140, 1050), "Preview\\nPane");  // no line break here
    EXPECT_EQ(DialogControlText(pack, 140, 9999), "");

    // Controls come back in the order asked, without those the pack leaves
    // empty (1051) or lacks (1062).
    const int controls[] = {1060, 1051, 1062, 1050};
    const DialogTexts texts = ApplyDialogTexts(pack, 140, controls);
    ASSERT_TRUE(texts.title.has_value());
    EXPECT_EQ(*texts.title, "  padded  ");
    const std::vector<std::pair<int, std::string>> expected = {
        {1060, "Bold"}, {1050, "Preview\\nPane"}};
    EXPECT_EQ(texts.controls, expected);

    const DialogTexts none = ApplyDialogTexts(pack, 163, controls);
    EXPECT_FALSE(none.title.has_value());
    EXPECT_TRUE(none.controls.empty());
}

}  // namespace
}  // namespace lumitag
