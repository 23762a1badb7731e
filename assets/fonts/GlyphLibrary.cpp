#include "GlyphLibrary.h"

#include "SymbolTable.h"

#include <vector>

namespace lumitag::assets {

namespace {

// Sheets fall back at most this deep, so a cycle of fallbacks ends.
constexpr int kMaxFallbackDepth = 4;

bool IsControl(char32_t code) { return code < 0x20 || code == 0x7F; }
bool IsCapital(char32_t code) { return code >= U'A' && code <= U'Z'; }

}  // namespace

const GlyphSheet* GlyphLibrary::Find(const std::string& name) const
{
    const auto it = sheets_.find(name);
    return it == sheets_.end() ? nullptr : &it->second;
}

std::optional<GlyphArt> GlyphLibrary::Drawn(const std::string& sheet, char32_t character) const
{
    std::string name = sheet;
    std::vector<const RowShift*> shifts;  // applied innermost first
    for (int depth = 0; depth <= kMaxFallbackDepth; ++depth) {
        const GlyphSheet* found = Find(name);
        if (!found) return std::nullopt;
        if (const auto it = found->glyphs.find(character); it != found->glyphs.end()) {
            GlyphArt art = it->second;
            for (auto shift = shifts.rbegin(); shift != shifts.rend(); ++shift)
                art = (*shift)->Apply(art);
            return art;
        }
        if (found->fallback.empty()) return std::nullopt;
        shifts.push_back(&found->fallbackShift);
        name = found->fallback;
    }
    return std::nullopt;
}

std::optional<GlyphArt> GlyphLibrary::Mark(const std::string& sheet, const std::string& name) const
{
    std::string current = sheet;
    for (int depth = 0; depth <= kMaxFallbackDepth; ++depth) {
        const GlyphSheet* found = Find(current);
        if (!found) return std::nullopt;
        if (const auto it = found->marks.find(name); it != found->marks.end()) return it->second;
        current = found->fallback;
    }
    return std::nullopt;
}

std::optional<GlyphArt> GlyphLibrary::Character(const std::string& sheet, char32_t code,
                                                std::string& error) const
{
    const GlyphSheet* own = Find(sheet);
    if (!own) {
        error = "no sheet '" + sheet + "'";
        return std::nullopt;
    }
    if (IsControl(code)) {
        const auto space = Drawn(sheet, U' ');
        if (!space) error = sheet + ": the space is missing";
        return space ? std::optional(BlankArt(space->width(), kGlyphRows)) : std::nullopt;
    }
    const bool isSymbolNumber = code >= kFirstSymbol && code < kFirstSymbol + kSymbols.size();
    const SymbolDesign* symbol = isSymbolNumber ? &kSymbols[code - kFirstSymbol] : nullptr;
    const char32_t character = symbol ? symbol->character : code;
    if (auto drawn = Drawn(sheet, character)) return drawn;

    if (symbol && symbol->base != 0) {
        auto base = Drawn(sheet, symbol->base);
        const auto mark = Mark(sheet, symbol->mark);
        if (base && mark) {
            if (IsCapital(symbol->base)) base = own->capitals.Apply(*base);
            return Overlay(*base, *mark, 0);
        }
    }
    error = sheet + ": nothing draws character " + std::to_string(code) +
            (symbol && symbol->mark ? std::string(" (mark ") + symbol->mark + ")" : "");
    return std::nullopt;
}

}  // namespace lumitag::assets
