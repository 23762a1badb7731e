#include "model/SlotParamTable.h"

#include <cstdio>

#include "model/TextEncoding.h"

namespace lumitag {
namespace {

struct Column {
    SlotField field;
    std::size_t start;
    std::size_t width;
};

constexpr Column kColumns[kSlotFieldCount] = {
    {SlotField::kind, 0, 1},    {SlotField::effect, 1, 2}, {SlotField::speed, 3, 1}, {SlotField::time, 4, 1},
    {SlotField::marquee, 5, 1}, {SlotField::spare, 6, 1},  {SlotField::send, 7, 1},  {SlotField::offset, 8, 2},
    {SlotField::arabic, 10, 1}, {SlotField::blink, 11, 1},
};

// Leading blanks, an optional sign and digits; anything else ends the number.
// The columns are at most two characters wide, so it cannot overflow.
int ParseColumn(std::u16string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    int value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) value = value * 10 + (text[i] - u'0');
    return negative ? -value : value;
}

}  // namespace

MessageSlot SlotOf(const SlotParamTable& table, int slot)
{
    MessageSlot s;
    s.kind = table.at(SlotField::kind, slot);
    s.effect = table.at(SlotField::effect, slot);
    s.speed = table.at(SlotField::speed, slot);
    s.time = table.at(SlotField::time, slot);
    s.marquee = table.at(SlotField::marquee, slot);
    s.spare = table.at(SlotField::spare, slot);
    s.send = table.at(SlotField::send, slot);
    s.offset = table.at(SlotField::offset, slot);
    s.arabic = table.at(SlotField::arabic, slot);
    s.blink = table.at(SlotField::blink, slot);
    return s;
}

void SetSlot(SlotParamTable& table, int slot, const MessageSlot& s)
{
    table.at(SlotField::kind, slot) = s.kind;
    table.at(SlotField::effect, slot) = s.effect;
    table.at(SlotField::speed, slot) = s.speed;
    table.at(SlotField::time, slot) = s.time;
    table.at(SlotField::marquee, slot) = s.marquee;
    table.at(SlotField::spare, slot) = s.spare;
    table.at(SlotField::send, slot) = s.send;
    table.at(SlotField::offset, slot) = s.offset;
    table.at(SlotField::arabic, slot) = s.arabic;
    table.at(SlotField::blink, slot) = s.blink;
}

std::string FormatParams(const SlotParamTable& table, int slot)
{
    // Ten values of at most 11 characters each always fit.
    char text[kSlotFieldCount * 12 + 1];
    const auto v = [&](SlotField f) { return static_cast<int>(table.at(f, slot)); };
    const int n = std::snprintf(text, sizeof text, "%d%02d%d%d%d%d%d%02d%d%d", v(SlotField::kind),
                                v(SlotField::effect), v(SlotField::speed), v(SlotField::time),
                                v(SlotField::marquee), v(SlotField::spare), v(SlotField::send),
                                v(SlotField::offset), v(SlotField::arabic), v(SlotField::blink));
    return std::string(text, n > 0 ? static_cast<std::size_t>(n) : 0);
}

void ParseParams(std::string_view text, SlotParamTable& table, int slot)
{
    const std::u16string units = Utf8ToUtf16(text);
    const std::u16string_view view(units);
    for (const Column& column : kColumns) {
        const std::u16string_view part =
            column.start < view.size() ? view.substr(column.start, column.width) : std::u16string_view{};
        table.at(column.field, slot) = ParseColumn(part);
    }
}

}  // namespace lumitag
