#include "l10n/InlineTexts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace lumitag {
namespace {

std::string Hex(std::string_view text)
{
    std::string out;
    char byte[4];
    for (unsigned char c : text) {
        std::snprintf(byte, sizeof byte, "%s%02x", out.empty() ? "" : " ", c);
        out += byte;
    }
    return out;
}

struct NamedTable {
    const char* name;
    const InlineTable* table;
};

const NamedTable kTables[] = {
    {"no ID", &kNoIdSelected},        {"setting", &kSettingWord},
    {"total", &kTotalWord},           {"remaining", &kRemainingWord},
    {"limit send", &kWordLimitSend},  {"limit file", &kWordLimitFile},
    {"model", &kModelWord},           {"clock", &kClockSetOk},
    {"connect", &kConnectDevice},
};

TEST(InlineTextsTest, PositionZeroRepeatsSimplifiedChineseAndNoEntryIsEmpty)
{
    for (const NamedTable& t : kTables) {
        EXPECT_EQ((*t.table)[0], (*t.table)[1]) << t.name;
        for (std::string_view text : *t.table) EXPECT_FALSE(text.empty()) << t.name;
    }
}

TEST(InlineTextsTest, EachLanguagePicksItsPosition)
{
    struct Case {
        const InlineTable* table;
        int index;
        const char* expected;
    };
    const Case cases[] = {
        // Traditional Chinese: the clock message is English, the word limit is not.
        {&kClockSetOk, 2, "Check Time Ok !"},
        {&kWordLimitSend, 2, "數據超過%d個字, 將會丟棄!\r\n繼續發送嗎?"},
        {&kWordLimitFile, 2, "數據超過%d個字!\r\n繼續發送嗎?"},
        // Arabic: the French clock text and the Arabic scan warning.
        {&kClockSetOk, 13, "sync Temps success!"},
        {&kConnectDevice, 13, "الرجاء توصيل جهاز"},
        {&kConnectDevice, 14, "Please connect a usb device!"},
        {&kConnectDevice, 11, "Schließen Sie ein Gerät!"},
        {&kConnectDevice, 12, "connecter un périphérique!"},
        {&kConnectDevice, 10, "Please connect a usb device!"},
        {&kClockSetOk, 11, "sync Zeit Erfolg!"},
        {&kClockSetOk, 14, "sync Temps success!"},
        {&kClockSetOk, 0, "时间校对成功!"},
        {&kNoIdSelected, 1, "请至少选择一个ID？"},
        {&kNoIdSelected, 9, "No ID selected?"},
        {&kRemainingWord, 2, "待設置數量"},
        {&kRemainingWord, 4, "Last"},
        {&kModelWord, 4, "装置種別"},
        {&kModelWord, 8, "model"},
        {&kModelWord, 9, "barang"},
        {&kModelWord, 12, "MODÈLE"},
        {&kModelWord, 14, "مدل"},
        // A hand-edited settings file: English.
        {&kNoIdSelected, -5, "No ID selected?"},
        {&kWordLimitFile, 15, "Data over %d words!\r\nContinue Send?"},
        {&kModelWord, 999999, "Model"},
        {&kClockSetOk, -1, "Check Time Ok !"},
    };
    for (const Case& c : cases) EXPECT_EQ(PickText(*c.table, c.index), c.expected) << c.index;
}

TEST(InlineTextsTest, TextsAreByteExact)
{
    struct Case {
        std::string_view text;
        const char* hex;
    };
    const Case cases[] = {
        // CR LF inside the question, "%d" left for the caller.
        {kWordLimitSend[2],
         "e6 95 b8 e6 93 9a e8 b6 85 e9 81 8e 25 64 e5 80 8b e5 ad 97 2c 20 e5 b0 87 e6 9c 83 "
         "e4 b8 9f e6 a3 84 21 0d 0a e7 b9 bc e7 ba 8c e7 99 bc e9 80 81 e5 97 8e 3f"},
        {kWordLimitFile[3],
         "44 61 74 61 20 6f 76 65 72 20 25 64 20 77 6f 72 64 73 21 0d 0a 43 6f 6e 74 69 6e 75 "
         "65 20 53 65 6e 64 3f"},
        // Full-width colon and commas.
        {kMultiSendFormat,
         "25 73 20 49 44 ef bc 9a 25 64 ef bc 8c 25 73 3a 25 64 ef bc 8c 25 73 3a 25 64"},
        {kConnectDevice[13],
         "d8 a7 d9 84 d8 b1 d8 ac d8 a7 d8 a1 20 d8 aa d9 88 d8 b5 d9 8a d9 84 20 d8 ac d9 87 d8 "
         "a7 d8 b2"},
        // Full-width question marks; the line feed of the load failure.
        {fixed_texts::kExit, "45 78 69 74 ef bc 9f"},
        {fixed_texts::kNewFile, "4e 65 77 20 46 69 6c 65 ef bc 9f"},
        {fixed_texts::kLoadResourceFailure.substr(fixed_texts::kLoadResourceFailure.size() - 3),
         "72 65 0a"},
    };
    for (const Case& c : cases) EXPECT_EQ(Hex(c.text), c.hex) << c.text;
}

TEST(InlineTextsTest, FilledTextsForTheMainWindow)
{
    EXPECT_EQ(MultiSendText(3, 7, 5, 4), "Setting ID：7，Total:5，Last:4");
    EXPECT_EQ(MultiSendText(1, 255, 12, 0), "设置 ID：255，总数量:12，待设置数量:0");
    EXPECT_EQ(MultiSendText(-5, 1, 2, 2), "Setting ID：1，Total:2，Last:2");
    EXPECT_EQ(WordLimitText(kWordLimitSend, 3, 12000),
              "Data over 12000 words, will be discard!\r\nContinue Send?");
    EXPECT_EQ(WordLimitText(kWordLimitFile, 1, 300), "数据超过300个字!\r\n继续发送吗?");
    EXPECT_EQ(ModelStatusText("Q07", 12), "MODÈLE:Q07");
    EXPECT_EQ(ModelStatusText("Q26", 999999), "Model:Q26");
    EXPECT_EQ(ModelStatusText("", 5), "장비 유형:");
}

}  // namespace
}  // namespace lumitag
