#pragma once
// The packed byte images of the ten slots: built by the slot image builder,
// read by the send worker.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace lumitag {

inline constexpr int kPackedSlots = 10;

struct PackedImage {
    std::vector<std::uint8_t> data;  // the packed bytes (empty when absent)
    int size = 0;                    // bytes to send; the word limit may lower it below data.size()

    void Clear()
    {
        data.clear();
        size = 0;
    }
    // The bytes to send, never past the buffer whatever `size` says.
    std::span<const std::uint8_t> bytes() const
    {
        const auto n = size <= 0 ? std::size_t{0} : std::min(data.size(), static_cast<std::size_t>(size));
        return {data.data(), n};
    }
};

using PackedTable = std::array<PackedImage, kPackedSlots>;

// The frame-0 table and the frame-1 table, one record per slot.
struct PackedTables {
    PackedTable frame0;
    PackedTable frame1;
};

}  // namespace lumitag
