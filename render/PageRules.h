#pragma once
// Where a character goes on signs that show their text page by page: no
// character may straddle a page boundary. Pure functions of the pen position
// and the character's width, so the layout is exact whatever the font.

namespace lumitag {

// 16 rows: pages of P columns. A character that would cross into the next
// page starts at the page in which it ends. P = 0 moves nothing.
double PageRuleA(double penX, double width, int pageWidth);

struct PlacedCharacter {
    double penX;   // where the character is drawn
    double width;  // its advance (narrowed characters advance one less)
};

// 12 rows: pages of Q columns of which the first P are usable. Characters 6
// or more wide are narrowed by one column when P is not a multiple of 12; a
// character that would end past the usable columns starts the next page.
PlacedCharacter PageRuleB(double penX, double width, int pageWidth, int pagePitch);

}  // namespace lumitag
