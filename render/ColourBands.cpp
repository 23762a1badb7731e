#include "render/ColourBands.h"

namespace lumitag {
namespace {

struct BandRow {
    std::uint32_t runColour;
    std::array<QRgb, 3> bands;
};

constexpr BandRow kBands[] = {
    {0x000000FF, {kSignRed, kSignRed, kSignRed}},
    {0x0000FF00, {kSignGreen, kSignGreen, kSignGreen}},
    {0x0000FFFF, {kSignYellow, kSignYellow, kSignYellow}},
    {0x000096FF, {kSignRed, kSignYellow, kSignGreen}},
    {0x0000E9A0, {kSignYellow, kSignGreen, kSignRed}},
    {0x00FF0096, {kSignYellow, kSignRed, kSignGreen}},
    {0x00FF00FF, {kSignGreen, kSignYellow, kSignRed}},
    {0x00FF9600, {kSignGreen, kSignRed, kSignYellow}},
    {0x00FFFF00, {kSignRed, kSignGreen, kSignYellow}},
};

}  // namespace

std::optional<std::array<QRgb, 3>> ColourBands(std::uint32_t runColour)
{
    for (const auto& row : kBands)
        if (row.runColour == runColour) return row.bands;
    return std::nullopt;
}

bool HasDistinctBands(std::uint32_t runColour)
{
    const auto bands = ColourBands(runColour);
    return bands && !((*bands)[0] == (*bands)[1] && (*bands)[1] == (*bands)[2]);
}

}  // namespace lumitag
