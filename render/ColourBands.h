#pragma once
// Six run colours stand for three-colour text: the sign shows the top, middle
// and bottom thirds of its rows in fixed colours. The rasteriser recolours
// the lit pixels of such runs band by band.

#include "render/SignColours.h"

#include <array>
#include <cstdint>
#include <optional>

namespace lumitag {

// Top, middle and bottom band colour of a run colour (0x00BBGGRR); nullopt
// ("none") for colours that are not sign colours.
std::optional<std::array<QRgb, 3>> ColourBands(std::uint32_t runColour);

// Whether pixels drawn in `runColour` are recoloured (the three bands differ).
bool HasDistinctBands(std::uint32_t runColour);

}  // namespace lumitag
