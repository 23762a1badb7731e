#pragma once
// The content strings the editors store, beside the parser that reads them
// (ContentString.h), and the editors' own readings of a stored string when
// they open. Formatted text is written by WriteRtf (RtfWriter.h).

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumitag {

// "[GIF_%03d]": the token of animation symbol `number` (0..999).
std::string SymbolToken(int number);

// "[ASCII]" and the text (7-row glyph text).
std::string GlyphTextContent(std::string_view text);

// "[DASCII]" and every code printed with "%d" and followed by ",".
std::string GlyphCodesContent(std::span<const std::uint32_t> codes);

// "[DATE_" + six digits + "]" and the text part, which is either
// GlyphTextContent(...) (7-row models) or an RTF document.
std::string DateItemContent(const std::array<bool, 6>& flags, std::string_view textPart);

// Every path followed by ";", nothing before, between or after.
std::string ImageListContent(std::span<const std::string> paths);

// What the image editor lists for `content`: every piece that ends with ";"
// (empty pieces too; text after the last ";" is dropped). Rich text and
// glyph text give no entry.
std::vector<std::string> ImageListEntries(std::string_view content);

// What the bitmap-font editor loads: the codes after "[DASCII]" (empty
// pieces skipped), at most `maxCodes`; nothing for any other content.
std::vector<std::uint32_t> GlyphCodesOf(std::string_view content, std::size_t maxCodes = 8000);

// What the date editor loads from a "[DATE_" content.
struct DateItemParts {
    bool isDateItem = false;         // false: the editor keeps its defaults
    std::array<bool, 6> flags{};     // missing or non-digit characters are off
    std::string textPart;            // everything after the "]" ("" without one)
};
DateItemParts DateItemOf(std::string_view content);

}  // namespace lumitag
