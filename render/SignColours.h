#pragma once
// The only colours a sign's LEDs show, on black. Pictures meant for the sign
// hold exactly these values, so packers can compare pixels for equality.

#include <QRgb>

namespace lumitag {

inline constexpr QRgb kSignRed = 0xFFFF0000u;
inline constexpr QRgb kSignGreen = 0xFF00FF00u;
inline constexpr QRgb kSignYellow = 0xFFFFFF00u;
inline constexpr QRgb kSignBlack = 0xFF000000u;

}  // namespace lumitag
