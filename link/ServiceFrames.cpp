// Frames of the service commands: clock, ID scan, ID read and change, power.

#include <algorithm>
#include <cstdio>

#include "link/Frames.h"

namespace lumitag {
namespace {

std::uint8_t Low(int value) { return static_cast<std::uint8_t>(value & 0xFF); }

}  // namespace

std::vector<Bytes> ClockFrames(LinkProtocol protocol, const LocalTime& t)
{
    switch (protocol) {
    case LinkProtocol::GlyphSlots: {
        char text[16];
        const int n = std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
        Bytes timeText(text, text + std::min<int>(n, sizeof text - 1));
        return {std::move(timeText), {0xFA, 0xAF, 0xFF, 0xFF, 0x30, 0x33, 0x30, 0xFF, 0xFF, 0xFF, 0xFF, 0x7A}};
    }
    case LinkProtocol::Bus276:
        return {{0x7E, 0x01, 0xF1, 0x00, 0x00, Low(t.second), Low(t.minute), Low(t.hour), Low(t.day), Low(t.month),
                 Low(t.weekday), Low(t.year), 0x4D, 0x7E}};
    default:
        return {{0xAA, 0xAA, 0xAA, 0xAA, 0x02, 0x00, 0x00, 0x01, 0x00, 0x08, 0x00, 0x40, 0x10, Low(t.weekday),
                 Low(t.year >> 8), Low(t.year), Low(t.month), Low(t.day), Low(t.hour), Low(t.minute), Low(t.second),
                 0x02, 0x01, 0x55, 0x88}};
    }
}

Bytes ScanFrame(int signId) { return {0x7E, Low(signId), 0xF2, 0x00, 0x00, 0x00, 0x7E}; }

Bytes IdReadRequestFrame(LinkProtocol protocol)
{
    if (protocol == LinkProtocol::Bus276) return {0x7E, 0x01, 0xF2, 0x00, 0x00, 0x00, 0x7E};
    return {0x48, 0x65, 0x6C, 0x96, 0x6F};
}

Bytes IdChangeFrame(LinkProtocol protocol, int oldId, int newId)
{
    if (protocol == LinkProtocol::Bus276) return {0x7E, Low(oldId), 0x1D, Low(newId), 0x00, 0x7E};
    return {0x48, Low(oldId), Low(newId), 0x9A, 0x6F};
}

Bytes PowerFrame(int signId, bool on)
{
    return on ? Bytes{0x7E, Low(signId), 0xCF, 0x00, 0xD0, 0x7E} : Bytes{0x7E, Low(signId), 0xCF, 0x01, 0xD1, 0x7E};
}

}  // namespace lumitag
