#pragma once
// The date and time a date item shows behind its text in the preview.

#include <ctime>
#include <string>
#include <string_view>

namespace lumitag {

// The text for the date flags (year, month, day, weekday, time, seconds) at
// `now`; a null `now` is a local time that is unavailable (the weekday then
// reads "未知"). Seconds are shown only together with the time of day.
std::string FormatDateText(std::string_view flags, const std::tm* now);

}  // namespace lumitag
