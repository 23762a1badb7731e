#pragma once
// Every time and pace of a playing preview, in one table. The signs do not
// tell how fast they scroll or blink, and no figure has been measured on one,
// so the values below are our own plausible choices (each says so); change
// them here and every preview, the command line's GIF and the benchmarks
// follow.

#include "render/SignColours.h"

#include <QRgb>

#include <array>

namespace lumitag::timing {

// Columns (Left, Right) a sideways scroll moves per second, by the stored
// speed 0..7 (shown as "1".."8"). Chosen: from a crawl at "1" to a quick
// scroll at "8", roughly a third faster per step.
inline constexpr std::array<int, 8> kColumnsPerSecond{6, 8, 11, 15, 20, 27, 36, 48};

// Rows (Up, Down) a vertical scroll moves per second, by speed. Chosen: a
// row takes about as long as two columns, so a page does not fly past.
inline constexpr std::array<int, 8> kRowsPerSecond{3, 4, 6, 8, 10, 14, 18, 24};

// How long Animation shows each page of the message, by speed. Chosen.
inline constexpr std::array<int, 8> kAnimationPageMs{1200, 1000, 800, 650, 500, 400, 300, 200};

// The dwell time is the stored `time` in whole seconds (0..5).
inline constexpr int kDwellUnitMs = 1000;
inline constexpr int kLongestDwell = 5;

// A still page (Fix, Blink, Snow, Middle) with dwell time 0 would vanish as it
// appears; the sign must hold it for some time. Chosen: one second.
inline constexpr int kStillWhenNoDwellMs = 1000;

// Blink, both the effect and the flag: lit, then dark. Chosen: 2 Hz, even.
inline constexpr int kBlinkLitMs = 250;
inline constexpr int kBlinkDarkMs = 250;

// Marquee: a dashed border runs clockwise round the edge LEDs, one LED per
// step. Chosen: 4 lit, 4 dark, 20 steps per second, in the sign's red.
inline constexpr int kMarqueeStepMs = 50;
inline constexpr int kMarqueeDash = 4;
inline constexpr int kMarqueeGap = 4;
inline constexpr QRgb kMarqueeColour = kSignRed;

// Animation symbols alternate their two frames. Chosen: each frame 400 ms.
inline constexpr int kFrameAlternationMs = 400;

// Snow scatters a page's LEDs in this fixed order, so the same program always
// plays the same way.
inline constexpr unsigned kSnowSeed = 20260;

// Visible columns of the models whose catalogue row names no width (Q01..Q06,
// Q24, Q25). Chosen: 48, the narrow end of the widths the other models list.
inline constexpr int kUnknownVisibleWidth = 48;

}  // namespace lumitag::timing
