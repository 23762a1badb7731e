#pragma once
// Glyph text: the characters after "[ASCII]", drawn with bitmap glyphs, with
// animation symbols written as "[GIF_nnn]" tokens.

#include <cstdint>
#include <string_view>
#include <vector>

namespace lumitag {

struct GlyphItem {
    bool isSymbol = false;
    char32_t character = 0;  // the character code of an ordinary glyph
    int symbol = 0;          // the animation number of a symbol token

    friend bool operator==(const GlyphItem&, const GlyphItem&) = default;
};

struct GlyphTokens {
    std::vector<GlyphItem> items;  // one bitmap pair per item
    bool hasSymbol = false;        // an animation symbol was met: the content has a second frame
};

// Splits UTF-8 glyph text into ordinary glyphs and animation symbols. A "["
// that starts no complete token is the ordinary glyph 91.
GlyphTokens TokeniseGlyphText(std::string_view payload);

// Reads a decimal number the way content strings store them: leading blanks
// skipped, reading stops at the first non-digit, no digits gives 0. Values
// past 32 bits saturate.
std::uint32_t ReadDecimal(std::u32string_view text);
std::uint32_t ReadDecimal(std::string_view text);

}  // namespace lumitag
