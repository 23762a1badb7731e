#include "render/DateText.h"

#include "render/content/ContentString.h"

#include <array>
#include <cstdio>

namespace lumitag {
namespace {

constexpr std::array<std::string_view, 7> kWeekdays = {
    "星期天", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六",
};
constexpr std::string_view kUnknownWeekday = "未知";

std::string Format(const char* format, int value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

}  // namespace

std::string FormatDateText(std::string_view flags, const std::tm* now)
{
    const std::tm zero{};
    const std::tm& t = now ? *now : zero;
    const bool year = DateFlagShown(flags, DatePart::Year);
    const bool month = DateFlagShown(flags, DatePart::Month);
    const bool time = DateFlagShown(flags, DatePart::Time);

    std::string text;
    if (year) text += Format("%d", t.tm_year + 1900);
    if (month) text += (year ? "-" : "") + Format("%02d", t.tm_mon + 1);
    if (DateFlagShown(flags, DatePart::Day)) text += (year || month ? "-" : "") + Format("%02d", t.tm_mday);
    if (DateFlagShown(flags, DatePart::Weekday)) {
        const bool known = now && t.tm_wday >= 0 && t.tm_wday < 7;
        text += " " + std::string(known ? kWeekdays[t.tm_wday] : kUnknownWeekday) + " ";
    }
    if (time) text += Format("%02d", t.tm_hour) + ":" + Format("%02d", t.tm_min);
    if (time && DateFlagShown(flags, DatePart::Seconds)) text += ":" + Format("%02d", t.tm_sec);
    return text;
}

}  // namespace lumitag
