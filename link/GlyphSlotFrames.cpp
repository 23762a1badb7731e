// Protocol 3: each slot's glyph codes go out as they are, followed by a
// 12-byte frame with the slot's number, speed, effect and send mark.

#include "link/Frames.h"

namespace lumitag {

SendPlan BuildGlyphSlotSend(const LinkTarget& target, const SlotParamTable& params, const PackedTables& tables)
{
    constexpr int kSlotPauseMs = 20;
    SendPlan plan;
    const int slots = SlotsToSend(target.model);
    for (int j = 0; j < slots; ++j) {
        const bool sent = params.at(SlotField::send, j) != 0;
        const auto data = tables.frame0[j].bytes();
        if (sent && !data.empty()) {
            plan.steps.push_back({Bytes(data.begin(), data.end()), 0, false, false,
                                  static_cast<long long>(data.size())});
            plan.totalUnits += static_cast<long long>(data.size());
        }
        Bytes slotFrame = {0xFA,
                           0xAF,
                           0xFF,
                           0xFF,
                           static_cast<std::uint8_t>(0x30 + j),
                           static_cast<std::uint8_t>(params.at(SlotField::speed, j)),
                           static_cast<std::uint8_t>(params.at(SlotField::effect, j)),
                           0xFF,
                           0xFF,
                           0xFF,
                           0xFF,
                           static_cast<std::uint8_t>(sent ? 0x5A : 0xFF)};
        plan.steps.push_back({std::move(slotFrame), kSlotPauseMs, false, false, 12});
        plan.totalUnits += 12;
    }
    return plan;
}

}  // namespace lumitag
