// The service frames: clock per protocol, scan, ID read and change, power.

#include "LinkTestSupport.h"

namespace lumitag::test {
namespace {

std::string Joined(const std::vector<Bytes>& frames)
{
    std::string out;
    for (const auto& f : frames) out += ToHex(f) + "| ";
    return out;
}

TEST(ServiceFrames, ClockPerProtocol)
{
    const LocalTime justAfterMidnight{2009, 1, 4, 0, 0, 7, 0};
    struct Case {
        LinkProtocol protocol;
        LocalTime time;
        std::vector<Bytes> expected;
    };
    const Case cases[] = {
        {LinkProtocol::Hello, kSaturday,
         {Hex("AA AA AA AA 02 00 00 01 00 08 00 40 10 06 07 DF 08 0F 0E 05 09 02 01 55 88")}},
        {LinkProtocol::HelloFixed12, justAfterMidnight,
         {Hex("AA AA AA AA 02 00 00 01 00 08 00 40 10 00 07 D9 01 04 00 00 07 02 01 55 88")}},
        {LinkProtocol::Paged273, kSaturday,
         {Hex("AA AA AA AA 02 00 00 01 00 08 00 40 10 06 07 DF 08 0F 0E 05 09 02 01 55 88")}},
        {LinkProtocol::HelloTwoPlane, kSaturday,
         {Hex("AA AA AA AA 02 00 00 01 00 08 00 40 10 06 07 DF 08 0F 0E 05 09 02 01 55 88")}},
        // "14:05:09" as text, then the command.
        {LinkProtocol::GlyphSlots, kSaturday,
         {Hex("31 34 3A 30 35 3A 30 39"), Hex("FA AF FF FF 30 33 30 FF FF FF FF 7A")}},
        {LinkProtocol::GlyphSlots, justAfterMidnight,
         {Hex("30 30 3A 30 30 3A 30 37"), Hex("FA AF FF FF 30 33 30 FF FF FF FF 7A")}},
        // Seconds, minutes, hours, day, month, weekday, year's low byte.
        {LinkProtocol::Bus276, kSaturday, {Hex("7E 01 F1 00 00 09 05 0E 0F 08 06 DF 4D 7E")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Joined(ClockFrames(c.protocol, c.time)), Joined(c.expected)) << static_cast<int>(c.protocol);
}

TEST(ServiceFrames, IdAndPowerCommands)
{
    const std::pair<Bytes, std::string> cases[] = {
        {ScanFrame(1), "7E 01 F2 00 00 00 7E"},
        {ScanFrame(254), "7E FE F2 00 00 00 7E"},
        {IdReadRequestFrame(LinkProtocol::Bus276), "7E 01 F2 00 00 00 7E"},
        {IdReadRequestFrame(LinkProtocol::Hello), "48 65 6C 96 6F"},
        {IdReadRequestFrame(LinkProtocol::GlyphSlots), "48 65 6C 96 6F"},
        {IdChangeFrame(LinkProtocol::Bus276, 3, 7), "7E 03 1D 07 00 7E"},
        {IdChangeFrame(LinkProtocol::Paged273, 3, 7), "48 03 07 9A 6F"},
        {IdChangeFrame(LinkProtocol::Bus276, 256, 255), "7E 00 1D FF 00 7E"},  // 256 travels as 00
        {PowerFrame(4, true), "7E 04 CF 00 D0 7E"},
        {PowerFrame(4, false), "7E 04 CF 01 D1 7E"},
        {PowerFrame(9, false), "7E 09 CF 01 D1 7E"},
        {PowerFrame(256, true), "7E 00 CF 00 D0 7E"},
    };
    for (const auto& [frame, hex] : cases) EXPECT_EQ(ToHex(frame), ToHex(Hex(hex))) << hex;
}

}  // namespace
}  // namespace lumitag::test
