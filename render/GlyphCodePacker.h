#pragma once
// The two 7-row models with built-in glyphs take a slot as one byte per
// glyph instead of pixels.

#include "link/PackedImage.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace lumitag {

inline constexpr std::uint32_t kMaxGlyphCode = 194;
inline constexpr std::size_t kMaxGlyphCodes = 4096;

// The glyph codes of a glyph text payload (UTF-8): an animation token
// "[GIF_nnn]" gives 96 + nnn, any other character its code point; codes
// above 194 are dropped and at most 4096 codes are kept.
std::vector<std::uint8_t> GlyphCodeBytes(std::string_view payload);

// Fills `record` with GlyphCodeBytes(payload); empty when no code is kept.
void PackGlyphCodes(std::string_view payload, PackedImage& record);

}  // namespace lumitag
