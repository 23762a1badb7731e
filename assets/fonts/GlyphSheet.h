#pragma once
// A glyph sheet: one font drawn as text (the *.glyphs files beside this
// header; regular.glyphs documents the format). Parsing checks every block,
// so a mistake in a drawing stops the build with its file and line.

#include "GlyphArt.h"

#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace lumitag::assets {

// Rows removed from a glyph and blank rows put on top of the rest.
struct RowShift {
    std::set<int> removed;
    int top = 0;

    GlyphArt Apply(const GlyphArt& art) const { return RemoveRows(art, removed, top); }
};

struct GlyphSheet {
    std::map<char32_t, GlyphArt> glyphs;
    std::map<std::string, GlyphArt> marks;  // two rows each
    RowShift capitals;                      // shortens a capital for its accent
    std::string fallback;                   // sheet name, empty for none
    RowShift fallbackShift;
};

// The code point of a string holding exactly one UTF-8 character.
std::optional<char32_t> DecodeSingleUtf8(const std::string& text);

// `source` names the input in error messages ("regular.glyphs:12: ...").
std::optional<GlyphSheet> ParseGlyphSheet(std::istream& in, const std::string& source,
                                          std::string& error);

}  // namespace lumitag::assets
