// Protocol 2: every frame is 273 bytes. A slot is announced by a header
// (or an empty-slot frame) and followed by its data, 256 bytes a frame.

#include <algorithm>

#include "link/Frames.h"

namespace lumitag {
namespace {

constexpr int kFrameBytes = 273;
constexpr int kChunkBytes = 256;
constexpr int kDataOffset = 14;
constexpr int kSlotPauseMs = 1000;
constexpr int kDataPauseMs = 500;
constexpr int kEndPauseMs = 500;

long long DataFrameCount(std::size_t len)
{
    return (static_cast<long long>(len) + kChunkBytes - 1) / kChunkBytes;
}

Bytes FrameSkeleton(const LinkTarget& target, int slot)
{
    Bytes frame(kFrameBytes, 0);
    std::fill_n(frame.begin(), 4, 0xAA);
    if (target.idMode) frame[2] = frame[3] = static_cast<std::uint8_t>(target.signId & 0xFF);
    frame[4] = 0x01;
    frame[8] = 0x01;
    frame[11] = 0x40;
    frame[12] = 0x10;
    frame[13] = static_cast<std::uint8_t>(slot);
    frame[272] = 0x88;
    return frame;
}

Bytes SlotHeader(const LinkTarget& target, const SlotParamTable& params, int slot, std::size_t len)
{
    const long long page = std::max(256, 4 * target.model.pageWidth);
    const long long pages = static_cast<long long>(len) / page;
    Bytes frame = FrameSkeleton(target, slot);
    frame[14] = 0xAA;
    frame[15] = 0x55;
    frame[16] = static_cast<std::uint8_t>((pages >> 8) & 0xFF);
    frame[17] = static_cast<std::uint8_t>(pages & 0xFF);
    frame[18] = static_cast<std::uint8_t>(params.at(SlotField::effect, slot));
    frame[19] = static_cast<std::uint8_t>(params.at(SlotField::speed, slot));
    frame[20] = static_cast<std::uint8_t>(params.at(SlotField::time, slot));
    frame[21] = static_cast<std::uint8_t>(params.at(SlotField::marquee, slot));
    return frame;
}

Bytes EmptySlotFrame(const LinkTarget& target, int slot)
{
    Bytes frame = FrameSkeleton(target, slot);
    frame[7] = 0x01;
    return frame;
}

Bytes DataFrame(const LinkTarget& target, int slot, long long k, std::span<const std::uint8_t> data)
{
    Bytes frame = FrameSkeleton(target, slot);
    frame[6] = static_cast<std::uint8_t>(0x10 + k);
    frame[7] = 0x01;
    const auto from = static_cast<std::size_t>(k) * kChunkBytes;
    const auto count = std::min<std::size_t>(kChunkBytes, data.size() - from);
    auto out = std::copy_n(data.begin() + from, count, frame.begin() + kDataOffset);
    std::fill(out, frame.begin() + kDataOffset + kChunkBytes, 0xFF);
    return frame;
}

}  // namespace

SendPlan BuildPagedSend(const LinkTarget& target, const SlotParamTable& params, const PackedTables& tables)
{
    SendPlan plan;
    plan.doneMessageOnFailure = true;
    const int slots = SlotsToSend(target.model);
    plan.totalUnits = slots;
    for (int j = 0; j < slots; ++j) {
        const auto data = tables.frame0[j].bytes();
        plan.totalUnits += DataFrameCount(data.size());
        const bool included = params.at(SlotField::send, j) != 0 && !data.empty();
        plan.steps.push_back({included ? SlotHeader(target, params, j, data.size()) : EmptySlotFrame(target, j),
                              kSlotPauseMs, true, true, 1});
        if (!included) continue;
        for (long long k = 0; k < DataFrameCount(data.size()); ++k)
            plan.steps.push_back({DataFrame(target, j, k, data), kDataPauseMs, true, true, 1});
    }
    plan.steps.push_back({{}, kEndPauseMs, false, false, 0});
    return plan;
}

}  // namespace lumitag
