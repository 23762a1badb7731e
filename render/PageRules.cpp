#include "render/PageRules.h"

#include <algorithm>
#include <cmath>

namespace lumitag {

double PageRuleA(double penX, double width, int pageWidth)
{
    if (pageWidth == 0) return penX;
    const double page = pageWidth;
    if (std::trunc((penX + width - 1) / page) != std::trunc(penX / page))
        return std::trunc((penX + width) / page) * page;
    return penX;
}

PlacedCharacter PageRuleB(double penX, double width, int pageWidth, int pagePitch)
{
    // A pitch below the usable width (never so in the catalogue) would make
    // pages overlap or divide by zero: treat the pages as fully usable.
    const long long pitch = std::max(pagePitch, pageWidth);
    if (pitch <= 0) return {penX, width};
    double d = -1;
    if (width >= 6 && pageWidth % 12 != 0) {
        width -= 1;
        d = 0;
    }
    const double end = penX + width;
    const long long endColumn = static_cast<long long>(std::trunc(end));
    const bool pastUsable = endColumn % pitch > pageWidth;
    const bool crossesPage = std::trunc(penX / pitch) != std::trunc((end + d) / pitch);
    if (pastUsable || crossesPage) penX = std::trunc(penX / pitch + 1) * pitch;
    return {penX, width};
}

}  // namespace lumitag
