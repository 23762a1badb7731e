#pragma once
// The loaded glyph sheets and how a character of a sheet is found: drawn in
// the sheet, composed from a base letter and an accent mark, or taken from
// the sheet's fallback sheet.

#include "GlyphSheet.h"

#include <map>
#include <optional>
#include <string>

namespace lumitag::assets {

class GlyphLibrary {
public:
    void Add(const std::string& name, GlyphSheet sheet) { sheets_[name] = std::move(sheet); }
    bool Has(const std::string& name) const { return sheets_.contains(name); }

    // The glyph of character `code` (0..193, or any code point) in `sheet`.
    // Control codes give a blank glyph as wide as the space. On failure the
    // error says what is missing.
    std::optional<GlyphArt> Character(const std::string& sheet, char32_t code,
                                      std::string& error) const;

    // The glyph as drawn in `sheet` or its fallbacks, without composing.
    std::optional<GlyphArt> Drawn(const std::string& sheet, char32_t character) const;

private:
    std::optional<GlyphArt> Mark(const std::string& sheet, const std::string& name) const;
    const GlyphSheet* Find(const std::string& name) const;

    std::map<std::string, GlyphSheet> sheets_;
};

}  // namespace lumitag::assets
