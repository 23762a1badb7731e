#pragma once
// A glyph drawn as rows of '#' (lit) and '.' (dark), the form the glyph
// sheets are written in, and the few transformations that derive the other
// fonts from the drawn ones. Every function keeps the rows equally wide.

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace lumitag::assets {

inline constexpr int kGlyphRows = 7;
inline constexpr char kLit = '#';
inline constexpr char kDark = '.';

struct GlyphArt {
    std::vector<std::string> rows;

    int width() const { return rows.empty() ? 0 : static_cast<int>(rows.front().size()); }
    int height() const { return static_cast<int>(rows.size()); }
    bool lit(int x, int y) const { return rows[y][x] == kLit; }
};

inline GlyphArt BlankArt(int width, int height)
{
    return GlyphArt{std::vector<std::string>(height, std::string(width, kDark))};
}

// Removes the listed rows and adds `top` blank rows above; blank rows below
// bring the result back to kGlyphRows.
inline GlyphArt RemoveRows(const GlyphArt& art, const std::set<int>& removed, int top)
{
    GlyphArt out = BlankArt(art.width(), top);
    for (int y = 0; y < art.height(); ++y)
        if (!removed.contains(y)) out.rows.push_back(art.rows[y]);
    out.rows.resize(kGlyphRows, std::string(art.width(), kDark));
    return out;
}

// Each column repeated `factor` times: the wide fonts.
inline GlyphArt StretchColumns(const GlyphArt& art, int factor)
{
    GlyphArt out;
    for (const std::string& row : art.rows) {
        std::string wide;
        for (char c : row) wide.append(factor, c);
        out.rows.push_back(wide);
    }
    return out;
}

// Bold: every lit pixel also lights its right neighbour, one column wider.
inline GlyphArt Emboldened(const GlyphArt& art)
{
    GlyphArt out = BlankArt(art.width() + 1, art.height());
    for (int y = 0; y < art.height(); ++y)
        for (int x = 0; x < art.width(); ++x)
            if (art.lit(x, y)) out.rows[y][x] = out.rows[y][x + 1] = kLit;
    return out;
}

// Lays `over` onto `under`, both centred in the wider of the two widths
// (odd remainders go to the right); `over` starts at row `top`.
inline GlyphArt Overlay(const GlyphArt& under, const GlyphArt& over, int top)
{
    const int width = std::max(under.width(), over.width());
    GlyphArt out = BlankArt(width, under.height());
    const int underLeft = (width - under.width()) / 2;
    const int overLeft = (width - over.width()) / 2;
    for (int y = 0; y < under.height(); ++y)
        for (int x = 0; x < under.width(); ++x)
            if (under.lit(x, y)) out.rows[y][underLeft + x] = kLit;
    for (int y = 0; y < over.height() && top + y < out.height(); ++y)
        for (int x = 0; x < over.width(); ++x)
            if (over.lit(x, y)) out.rows[top + y][overLeft + x] = kLit;
    return out;
}

// Dark becomes lit and lit dark: the second frame of an animated symbol.
inline GlyphArt Inverted(const GlyphArt& art)
{
    GlyphArt out = art;
    for (std::string& row : out.rows)
        for (char& c : row) c = c == kLit ? kDark : kLit;
    return out;
}

// `gap` blank columns on the right keep neighbouring glyphs apart.
inline GlyphArt WithGap(const GlyphArt& art, int gap)
{
    GlyphArt out = art;
    for (std::string& row : out.rows) row.append(gap, kDark);
    return out;
}

}  // namespace lumitag::assets
