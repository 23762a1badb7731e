#pragma once
// Rich text runs drawn as LED pixels: every run with the platform's text
// renderer, aliased so that each lit pixel is exactly the run colour, laid
// out page by page on the signs that page their text, recoloured into bands
// for the three-colour run colours, with animation symbols from the cache.

#include "render/GlyphCache.h"
#include "render/content/TextRun.h"

#include <QFont>
#include <QImage>

#include <vector>

namespace lumitag {

// The window state a pass reads.
struct RunLayout {
    int rows = 16;
    int pageWidth = 64;   // P; 0 when the model does not page
    int pagePitch = 0;    // Q
    int layoutFlag = 1;   // 0: lay each run out in one piece
    int arabic = 0;       // 1: each run in one piece (shaping and direction are the renderer's)
    int verticalOffset = 0;
    int clientWidth = 0;  // the preview draws nothing that starts at or past it
    const GlyphCache* cache = nullptr;
};

enum class RunVariant { A, B, C };

// A: 16 rows, pages of P. B: 12 rows with P, pages of Q with P usable.
// C: whole runs only.
RunVariant VariantOf(int rows, int pageWidth);

// The font of a run: a cell `height` pixels high (ascent + descent, internal
// leading included), weight 700 or 300, italic, underline, the run's face
// with the platform's fallback, never antialiased.
QFont RunFont(const TextRun& run);

// Draws `runs` into `target` from x = 0 and returns the final pen position
// truncated. `drawEverything` is 1 for sending and 0 for the preview; `frame`
// picks the frame of animation symbols. Sets `hasSecondFrame` when a symbol
// run is met.
int DrawRuns(const std::vector<TextRun>& runs, const RunLayout& layout, QImage& target, bool drawEverything,
             int frame, int& hasSecondFrame);

// Each thread keeps its run fonts, character advances and the pixels each
// character is drawn with, and sets those pixels instead of asking the
// renderer again. Off, every character is shaped and drawn by the renderer:
// tests compare the two, which must agree pixel for pixel.
void UseGlyphSprites(bool use);

// Recolours the lit pixels of columns [first, last) into the bands of
// `runColour`, over the sign's `rows`. A target in another format is
// converted to 32-bit ARGB first.
void ApplyBands(QImage& target, std::uint32_t runColour, int first, int last, int rows);

}  // namespace lumitag
