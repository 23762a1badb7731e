#pragma once
// Drawing on a sign picture, one LED per pixel: every operation writes
// exactly the colour it is given, never a blend, so the picture keeps only
// the sign's colours. Pure functions over 32-bit ARGB pictures; the picture
// editor calls them and keeps the undo history.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>

namespace lumitag {

// A black picture of `width` x `rows` (each clamped to the editor's limits).
QImage NewSignPicture(int width, int rows);

// Sets one pixel; points outside the picture are ignored.
void SetPixel(QImage& picture, QPoint at, QRgb colour);

// Every point of the straight line from `from` to `to` (both ends included),
// one per step of the longer axis.
void DrawLine(QImage& picture, QPoint from, QPoint to, QRgb colour);

// The outline of the rectangle spanned by the two corners (in any order), or
// the whole area when `filled`.
void DrawRectangle(QImage& picture, QPoint corner1, QPoint corner2, QRgb colour, bool filled);

// Replaces the 4-connected area of the colour found at `seed` by `colour`.
// Returns the number of pixels changed (0 when the seed is outside or has
// that colour already). Uses a work list, not recursion, so a large area
// cannot overflow the stack.
int FloodFill(QImage& picture, QPoint seed, QRgb colour);

// The picture on a canvas of `size`, kept at the top left; new area black.
QImage ResizeCanvas(const QImage& picture, QSize size);

// Moves the pixels of `area` by `offset`; the area left behind becomes black
// and what falls outside the picture is dropped.
void MoveArea(QImage& picture, QRect area, QPoint offset);

// Text drawn the way the sign's own text is drawn (the core's rasteriser:
// aliased, the cell `height` pixels high), every lit pixel in `colour`,
// with the cell's top left at `at`. Needs a QGuiApplication for fonts.
// Returns the width drawn (the pen advance).
struct TextStamp {
    QString text;
    QString face;
    int height = 12;
    bool bold = false;
};
int StampText(QImage& picture, QPoint at, const TextStamp& stamp, QRgb colour);

}  // namespace lumitag
