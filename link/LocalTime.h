#pragma once
// The PC's local time as the clock frames and the frame log need it.

namespace lumitag {

struct LocalTime {
    int year = 1970;   // four digits
    int month = 1;     // 1..12
    int day = 1;       // 1..31
    int hour = 0;      // 0..23
    int minute = 0;
    int second = 0;
    int weekday = 4;   // 0 = Sunday

    bool operator==(const LocalTime&) const = default;
};

LocalTime CurrentLocalTime();

}  // namespace lumitag
