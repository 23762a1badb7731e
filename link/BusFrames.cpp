// Protocol 5: addressed frames for the bus models. Each slot owns 48 frame
// numbers; a slot with nothing to send is cleared with a short frame.

#include <algorithm>

#include "link/Frames.h"

namespace lumitag {
namespace {

constexpr int kFrameBytes = 276;
constexpr int kChunkBytes = 256;
constexpr int kDataOffset = 19;
constexpr int kFramesPerSlot = 48;

Bytes DataFrame(const LinkTarget& target, const SlotParamTable& params, int slot, long long k, long long frames,
                std::span<const std::uint8_t> data)
{
    Bytes frame(kFrameBytes, 0);
    const long long number = kFramesPerSlot * slot + k;
    frame[0] = 0x7E;
    frame[1] = static_cast<std::uint8_t>(target.signId & 0xFF);
    frame[2] = (frames > 1 && k == frames - 1) ? 0x99 : 0xDD;
    frame[3] = static_cast<std::uint8_t>((number >> 8) & 0xFF);
    frame[4] = static_cast<std::uint8_t>(number & 0xFF);
    if (k == 0) {
        frame[12] = 0x02;
        frame[13] = BusEffectCode(params.at(SlotField::effect, slot));
        frame[14] = static_cast<std::uint8_t>(params.at(SlotField::speed, slot));
        frame[15] = static_cast<std::uint8_t>(params.at(SlotField::time, slot));
        frame[16] = static_cast<std::uint8_t>(params.at(SlotField::marquee, slot));
        frame[17] = static_cast<std::uint8_t>(frames & 0xFF);
    }
    const auto from = static_cast<std::size_t>(k) * kChunkBytes;
    const auto count = std::min<std::size_t>(kChunkBytes, data.size() - from);
    std::copy_n(data.begin() + from, count, frame.begin() + kDataOffset);
    frame[275] = 0x88;
    return frame;
}

Bytes ClearFrame(const LinkTarget& target, int slot)
{
    const int number = kFramesPerSlot * slot;
    return {0x7E,
            static_cast<std::uint8_t>(target.signId & 0xFF),
            0xCD,
            static_cast<std::uint8_t>(number >> 8),
            static_cast<std::uint8_t>(number & 0xFF),
            0x00,
            0xFE,
            0x7E};
}

}  // namespace

SendPlan BuildBusSend(const LinkTarget& target, const SlotParamTable& params, const PackedTables& tables)
{
    SendPlan plan;
    const int slots = SlotsToSend(target.model);
    plan.totalUnits = slots;
    for (int j = 0; j < slots; ++j) {
        const auto data = tables.frame0[j].bytes();
        const long long frames = (static_cast<long long>(data.size()) + kChunkBytes - 1) / kChunkBytes;
        plan.totalUnits += frames;
        const bool included = params.at(SlotField::send, j) != 0 && !data.empty();
        if (!included) {
            plan.steps.push_back({ClearFrame(target, j), 0, false, true, 1});
            continue;
        }
        for (long long k = 0; k < frames; ++k)
            plan.steps.push_back({DataFrame(target, params, j, k, frames, data), 0, false, true, 1});
    }
    return plan;
}

}  // namespace lumitag
