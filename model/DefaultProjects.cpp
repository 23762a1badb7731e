#include "model/DefaultProjects.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace lumitag {
namespace {

// One parameter string per slot: every slot holds text with no content, shown
// for 0 s, not sent, offset 0. Slot n scrolls with effect n mod 8 (177) or
// n mod 7 (242/243, whose models offer seven effects) at speed n mod 8. The
// strings are eleven characters long: the blink column was added later.
using SlotParams = std::array<std::string_view, 10>;

constexpr SlotParams kParams177 = {
    "10000000000", "10110000000", "10220000000", "10330000000", "10440000000",
    "10550000000", "10660000000", "10770000000", "10000000000", "10110000000",
};

constexpr SlotParams kParamsSevenEffects = {
    "10000000000", "10110000000", "10220000000", "10330000000", "10440000000",
    "10550000000", "10660000000", "10070000000", "10100000000", "10210000000",
};

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kSection = "[INFO]";

// The file text: "[INFO]", then "PARA_nn=<params>" and an empty "DATA_nn="
// for each slot, every line ending with CR LF.
constexpr std::size_t TextLength(const SlotParams& params)
{
    std::size_t length = kSection.size() + kCrLf.size();
    for (auto p : params)
        length += (8 + p.size() + kCrLf.size()) + (8 + kCrLf.size());
    return length;
}

template <std::size_t N>
struct Utf16Writer {
    std::array<std::uint8_t, N> bytes{};
    std::size_t at = 0;

    // The text is plain ASCII, so each character is one code unit.
    constexpr void Put(std::string_view text)
    {
        for (char c : text) {
            bytes[at++] = static_cast<std::uint8_t>(c);
            bytes[at++] = 0;
        }
    }
    constexpr void PutKey(std::string_view prefix, int slot)
    {
        Put(prefix);
        const char digits[] = {static_cast<char>('0' + slot / 10), static_cast<char>('0' + slot % 10),
                               '='};
        Put(std::string_view(digits, 3));
    }
};

template <std::size_t N>
constexpr Utf16Writer<N> Encode(const SlotParams& params)
{
    Utf16Writer<N> out;
    out.bytes[out.at++] = 0xFF;
    out.bytes[out.at++] = 0xFE;
    out.Put(kSection);
    out.Put(kCrLf);
    for (int slot = 0; slot < 10; ++slot) {
        out.PutKey("PARA_", slot);
        out.Put(params[slot]);
        out.Put(kCrLf);
        out.PutKey("DATA_", slot);
        out.Put(kCrLf);
    }
    return out;
}

constexpr std::size_t kSize177 = 2 + 2 * TextLength(kParams177);
constexpr std::size_t kSizeSeven = 2 + 2 * TextLength(kParamsSevenEffects);

constexpr auto kProject177 = Encode<kSize177>(kParams177);
constexpr auto kProjectSevenEffects = Encode<kSizeSeven>(kParamsSevenEffects);

// The writer fills its buffer exactly (an overrun would not compile either).
static_assert(kProject177.at == kSize177 && kProjectSevenEffects.at == kSizeSeven);

}  // namespace

std::span<const std::uint8_t> DefaultProjectBytes(int resource)
{
    switch (resource) {
    case kDefaultProject:
        return kProject177.bytes;
    case kDefaultProjectPaged:
    case kDefaultProjectTwoPlane:
        return kProjectSevenEffects.bytes;
    default:
        return {};
    }
}

}  // namespace lumitag
