#include "link/Frames.h"

#include <algorithm>

namespace lumitag {

int SlotsToSend(const ModelSettings& model)
{
    return std::clamp(model.slotCount, 0, kPackedSlots);
}

std::uint8_t ModeByte(const SlotParamTable& params, int slot)
{
    const int marquee = params.at(SlotField::marquee, slot) != 0 ? 1 : 0;
    const int blink = params.at(SlotField::blink, slot) != 0 ? 1 : 0;
    const int speed = params.at(SlotField::speed, slot);
    const int effect = params.at(SlotField::effect, slot);
    return static_cast<std::uint8_t>(((speed + 8 * marquee) << 4) + (effect + 8 * blink));
}

std::uint8_t BusEffectCode(int effectIndex)
{
    // Fix, Left, Right, Up, Down, Snow, Blink of effect menu 1.
    static constexpr std::array<std::uint8_t, 7> kCodes = {1, 4, 5, 6, 7, 12, 14};
    if (effectIndex < 0 || effectIndex >= static_cast<int>(kCodes.size())) return 1;
    return kCodes[effectIndex];
}

std::optional<SendPlan> BuildSend(const LinkTarget& target, const SlotParamTable& params, const PackedTables& tables)
{
    switch (target.model.protocol) {
    case LinkProtocol::HelloFixed12:
    case LinkProtocol::Hello:
    case LinkProtocol::HelloTwoPlane:
        return BuildHelloSend(target, params, tables);
    case LinkProtocol::Paged273:
        return BuildPagedSend(target, params, tables);
    case LinkProtocol::GlyphSlots:
        return BuildGlyphSlotSend(target, params, tables);
    case LinkProtocol::Bus276:
        return BuildBusSend(target, params, tables);
    }
    return std::nullopt;
}

}  // namespace lumitag
