#include "render/SignPictureEdit.h"

#include "render/SignColours.h"
#include "render/SignPictureImport.h"
#include "render/TextRasteriser.h"

#include <QFontMetrics>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace lumitag {
namespace {

QImage& AsArgb(QImage& picture)
{
    if (picture.format() != QImage::Format_ARGB32) picture.convertTo(QImage::Format_ARGB32);
    return picture;
}

// 0x00BBGGRR, the colour code text runs carry.
std::uint32_t RunColourCode(QRgb colour)
{
    return std::uint32_t(qRed(colour)) | std::uint32_t(qGreen(colour)) << 8 | std::uint32_t(qBlue(colour)) << 16;
}

}  // namespace

QImage NewSignPicture(int width, int rows)
{
    QImage picture(std::clamp(width, 1, kMaxSignPictureWidth), std::clamp(rows, 1, kMaxSignPictureRows),
                   QImage::Format_ARGB32);
    picture.fill(kSignBlack);
    return picture;
}

void SetPixel(QImage& picture, QPoint at, QRgb colour)
{
    if (!picture.rect().contains(at)) return;
    AsArgb(picture).setPixel(at, colour);
}

void DrawLine(QImage& picture, QPoint from, QPoint to, QRgb colour)
{
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    const int steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0) {
        SetPixel(picture, from, colour);
        return;
    }
    // The exact point rounded half up in picture coordinates, so a line
    // drawn backwards lights the same pixels.
    const auto round = [steps](int start, int delta, int i) {
        const long long twice = 2LL * (static_cast<long long>(start) * steps + static_cast<long long>(delta) * i) + steps;
        const long long div = 2LL * steps;
        return static_cast<int>(twice >= 0 ? twice / div : -((-twice + div - 1) / div));
    };
    for (int i = 0; i <= steps; ++i)
        SetPixel(picture, {round(from.x(), dx, i), round(from.y(), dy, i)}, colour);
}

void DrawRectangle(QImage& picture, QPoint corner1, QPoint corner2, QRgb colour, bool filled)
{
    const QRect area(QPoint(std::min(corner1.x(), corner2.x()), std::min(corner1.y(), corner2.y())),
                     QPoint(std::max(corner1.x(), corner2.x()), std::max(corner1.y(), corner2.y())));
    if (filled) {
        const QRect clipped = area & picture.rect();
        for (int y = clipped.top(); y <= clipped.bottom(); ++y)
            for (int x = clipped.left(); x <= clipped.right(); ++x) SetPixel(picture, {x, y}, colour);
        return;
    }
    DrawLine(picture, area.topLeft(), area.topRight(), colour);
    DrawLine(picture, area.bottomLeft(), area.bottomRight(), colour);
    DrawLine(picture, area.topLeft(), area.bottomLeft(), colour);
    DrawLine(picture, area.topRight(), area.bottomRight(), colour);
}

int FloodFill(QImage& picture, QPoint seed, QRgb colour)
{
    if (!picture.rect().contains(seed)) return 0;
    QImage& image = AsArgb(picture);
    const QRgb target = image.pixel(seed);
    if (target == colour) return 0;
    int changed = 0;
    std::vector<QPoint> work{seed};
    while (!work.empty()) {
        const QPoint p = work.back();
        work.pop_back();
        if (!image.rect().contains(p) || image.pixel(p) != target) continue;
        image.setPixel(p, colour);
        ++changed;
        work.insert(work.end(), {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)});
    }
    return changed;
}

QImage ResizeCanvas(const QImage& picture, QSize size)
{
    QImage out = NewSignPicture(size.width(), size.height());
    for (int y = 0; y < std::min(out.height(), picture.height()); ++y)
        for (int x = 0; x < std::min(out.width(), picture.width()); ++x) out.setPixel(x, y, picture.pixel(x, y));
    return out;
}

void MoveArea(QImage& picture, QRect area, QPoint offset)
{
    area = area.normalized() & picture.rect();
    if (area.isEmpty()) return;
    QImage& image = AsArgb(picture);
    const QImage lifted = image.copy(area);
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) image.setPixel(x, y, kSignBlack);
    for (int y = 0; y < lifted.height(); ++y)
        for (int x = 0; x < lifted.width(); ++x)
            SetPixel(image, area.topLeft() + offset + QPoint(x, y), lifted.pixel(x, y));
}

int StampText(QImage& picture, QPoint at, const TextStamp& stamp, QRgb colour)
{
    if (stamp.text.isEmpty() || picture.isNull()) return 0;
    TextRun run;
    run.text = stamp.text.toStdString();
    run.face = stamp.face.toStdString();
    run.height = std::clamp(stamp.height, 1, 64);
    run.colour = RunColourCode(colour);
    run.bold = stamp.bold ? 1 : 0;

    // Drawn alone first, as wide as the text needs (within the editor's
    // limit), so that only the lit pixels reach the picture.
    const int width = std::clamp(QFontMetrics(RunFont(run)).horizontalAdvance(stamp.text) + run.height, 1,
                                 kMaxSignPictureWidth);
    QImage text(width, run.height, QImage::Format_ARGB32);
    RunLayout layout;
    layout.rows = run.height;
    layout.pageWidth = 0;
    layout.layoutFlag = 0;  // one piece: a picture has no pages
    layout.clientWidth = width;
    int secondFrame = 0;
    const int advance = DrawRuns({run}, layout, text, true, 0, secondFrame);
    for (int y = 0; y < text.height(); ++y)
        for (int x = 0; x < text.width(); ++x)
            if ((text.pixel(x, y) | 0xFF000000u) != kSignBlack) SetPixel(picture, at + QPoint(x, y), colour);
    return advance;
}

}  // namespace lumitag
