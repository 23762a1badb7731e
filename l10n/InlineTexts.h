#pragma once
// Main-window messages that live in the program instead of the packs: small
// tables with one text per LanguageIndex (position 0 repeats Simplified
// Chinese), and the messages that exist in one language only.

#include <array>
#include <string>
#include <string_view>

namespace lumitag {

using InlineTable = std::array<std::string_view, 15>;

// The entry at position `languageIndex`. The settings file may hold any
// number; outside 0..14 the English entry (position 3) is taken.
std::string_view PickText(const InlineTable& table, int languageIndex);
// The same for the current language.
std::string_view PickText(const InlineTable& table);

namespace inline_texts {

// Table `english` for positions 3..14, `simplified` for 0..1, `traditional` for 2.
constexpr InlineTable ChineseOrEnglish(std::string_view simplified, std::string_view traditional,
                                       std::string_view english)
{
    InlineTable table{};
    table.fill(english);
    table[0] = table[1] = simplified;
    table[2] = traditional;
    return table;
}

}  // namespace inline_texts

// RS-485 send with no ID ticked.
inline constexpr InlineTable kNoIdSelected = inline_texts::ChineseOrEnglish(
    "请至少选择一个ID？", "請至少選擇一個ID？", "No ID selected?");

// The three words of the multi-ID progress text kMultiSendFormat.
inline constexpr InlineTable kSettingWord = inline_texts::ChineseOrEnglish("设置", "設置", "Setting");
inline constexpr InlineTable kTotalWord = inline_texts::ChineseOrEnglish("总数量", "總數量", "Total");
inline constexpr InlineTable kRemainingWord =
    inline_texts::ChineseOrEnglish("待设置数量", "待設置數量", "Last");

// Word limit questions; format strings with one "%d" for the limit.
inline constexpr InlineTable kWordLimitSend = inline_texts::ChineseOrEnglish(
    "数据超过%d个字, 将会丢弃!\r\n继续发送吗?", "數據超過%d個字, 將會丟棄!\r\n繼續發送嗎?",
    "Data over %d words, will be discard!\r\nContinue Send?");
inline constexpr InlineTable kWordLimitFile = inline_texts::ChineseOrEnglish(
    "数据超过%d个字!\r\n继续发送吗?", "數據超過%d個字!\r\n繼續發送嗎?",
    "Data over %d words!\r\nContinue Send?");

// The word for "model" in status bar pane 0.
inline constexpr InlineTable kModelWord{
    "设备型号", "设备型号", "設備型號", "Model", "装置種別", "장비 유형", "Тип оборудования",
    "แบบ", "model", "barang", "mô hình", "MODELL", "MODÈLE", "نموذج الجهاز", "مدل",
};

// Clock set (shown when the clock frame went out).
inline constexpr InlineTable kClockSetOk{
    "时间校对成功!", "时间校对成功!", "Check Time Ok !", "Check Time Ok !", "Check Time Ok !",
    "Check Time Ok !", "Check Time Ok !", "Check Time Ok !", "Check Time Ok !", "Check Time Ok !",
    "Check Time Ok !", "sync Zeit Erfolg!", "sync Temps success!", "sync Temps success!",
    "sync Temps success!",
};

// Scan with no device open.
inline constexpr InlineTable kConnectDevice{
    "Please connect a usb device!", "Please connect a usb device!", "Please connect a usb device!",
    "Please connect a usb device!", "Please connect a usb device!", "Please connect a usb device!",
    "Please connect a usb device!", "Please connect a usb device!", "Please connect a usb device!",
    "Please connect a usb device!", "Please connect a usb device!", "Schließen Sie ein Gerät!",
    "connecter un périphérique!", "الرجاء توصيل جهاز", "Please connect a usb device!",
};

// "<setting> ID：<id>，<total>:<count>，<remaining>:<left>", with a full-width
// colon after ID and full-width commas.
inline constexpr std::string_view kMultiSendFormat = "%s ID：%d，%s:%d，%s:%d";

// Status bar pane 0: "<model word>:<model name>".
std::string ModelStatusText(std::string_view modelName, int languageIndex);

// The multi-ID progress text: kMultiSendFormat with the three words of
// `languageIndex`, the current ID, the ID count and the IDs still to do.
std::string MultiSendText(int languageIndex, int id, int total, int remaining);

// A word-limit question of `languageIndex` with `limit` in place of "%d".
std::string WordLimitText(const InlineTable& table, int languageIndex, int limit);

// Messages shown in these words whatever the language.
namespace fixed_texts {
inline constexpr std::string_view kWarning = "Warning";
inline constexpr std::string_view kInformation = "Information";
inline constexpr std::string_view kError = "Error";
inline constexpr std::string_view kExit = "Exit？";
inline constexpr std::string_view kNewFile = "New File？";
inline constexpr std::string_view kHidRegisterFailed = "HID设备驱动注册失败!";
inline constexpr std::string_view kLoadResourceFailure = "Program Load Resource Failure\n";
inline constexpr std::string_view kReleaseLanguageFailure = "Release language file failure!";
inline constexpr std::string_view kSendFailedFormat = "%d Send failed";  // %d: the sign ID
inline constexpr std::string_view kCheckTimeError = "Check time error !";
inline constexpr std::string_view kOpenComFailure = "Open COM Port Failure!";
inline constexpr std::string_view kCloseComFailure = "Close COM Port Failure!";
inline constexpr std::string_view kSendFailure = "Send Failure!";
inline constexpr std::string_view kReadFailure = "Read Failure!";
inline constexpr std::string_view kOk = "OK!";
inline constexpr std::string_view kHundredPercent = "100%";
inline constexpr std::string_view kCannotRunImageEditor = "Can't execute image editor program!";
// %d: the error code, %s: the file. The spelling is the program's own.
inline constexpr std::string_view kWriteProtectedFormat =
    "Errcode=%d,Can't write to file:\n%s\nProbaby it is write protected.";
inline constexpr std::string_view kCannotWrite = "Can't write to file";
inline constexpr std::string_view kOpenFailed = "Open failed";
inline constexpr std::string_view kCloseFailed = "Close failed";
inline constexpr std::string_view kCopyContent = "复制内容";   // ID list context menu
inline constexpr std::string_view kPasteContent = "粘贴内容";  // ID list context menu
}  // namespace fixed_texts

}  // namespace lumitag
