#pragma once
// The parameters of the ten message slots: ten signed 32-bit fields per slot,
// stored field-major (element F*10+S) because the send worker indexes the
// table that way.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumitag {

inline constexpr int kSlotCount = 10;
inline constexpr int kSlotFieldCount = 10;

// Content kinds of a slot (`kind`), the items of a row's edit menu.
inline constexpr int kKindNone = 0;
inline constexpr int kKindText = 1;
inline constexpr int kKindImage = 2;
inline constexpr int kKindDate = 3;

enum class SlotField : int {
    kind = 0,     // 0 none, 1 text, 2 image, 3 date
    effect = 1,   // item of the model's effect menu
    speed = 2,    // 0..7, shown as "1".."8"
    time = 3,     // dwell time 0..5 s
    marquee = 4,  // 0/1
    spare = 5,    // kept as read, used by nobody
    send = 6,     // 0/1: part of the next send
    offset = 7,   // vertical shift -8..+8
    arabic = 8,   // 0/1: right-to-left text
    blink = 9,    // 0/1
};

struct SlotParamTable {
    std::array<std::int32_t, kSlotCount * kSlotFieldCount> values{};

    static constexpr std::size_t Index(SlotField field, int slot)
    {
        return static_cast<std::size_t>(static_cast<int>(field) * kSlotCount + slot);
    }
    std::int32_t& at(SlotField field, int slot) { return values.at(Index(field, slot)); }
    std::int32_t at(SlotField field, int slot) const { return values.at(Index(field, slot)); }
    void Clear() { values.fill(0); }
};

// One slot's fields and content, as a value.
struct MessageSlot {
    std::int32_t kind = 0;
    std::int32_t effect = 0;
    std::int32_t speed = 0;
    std::int32_t time = 0;
    std::int32_t marquee = 0;
    std::int32_t spare = 0;
    std::int32_t send = 0;
    std::int32_t offset = 0;
    std::int32_t arabic = 0;
    std::int32_t blink = 0;
    std::string content;

    bool operator==(const MessageSlot&) const = default;
};

// The fields of `slot` (content left empty) and their reverse.
MessageSlot SlotOf(const SlotParamTable& table, int slot);
void SetSlot(SlotParamTable& table, int slot, const MessageSlot& fields);

// The parameter string: the ten fields printed with "%d%02d%d%d%d%d%d%02d%d%d",
// twelve characters when every value is in range. Wider values widen it.
std::string FormatParams(const SlotParamTable& table, int slot);

// Sets the ten fields of `slot` from the substrings at fixed positions
// (0,1) (1,2) (3,1) (4,1) (5,1) (6,1) (7,1) (8,2) (10,1) (11,1), counted in
// UTF-16 code units; a missing or non-numeric substring gives 0.
void ParseParams(std::string_view text, SlotParamTable& table, int slot);

}  // namespace lumitag
