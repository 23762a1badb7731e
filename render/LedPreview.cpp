#include "render/LedPreview.h"

#include "render/SignColours.h"

#include <QPainter>
#include <QPen>

#include <cmath>

namespace lumitag {

QImage PaintLedPreview(const QImage& leds, QSize client, int rows)
{
    const int width = client.width();
    const int height = client.height();
    if (width <= 0 || height <= 0 || rows <= 0) return QImage();
    const int iw = width - 2;
    const int ih = height - 2;
    QImage picture(width, height, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setPen(QPen(QColor::fromRgba(kPreviewFrameColour), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(0, 0, width - 1, height - 1));
    if (iw > 0 && ih > 0) {
        painter.fillRect(QRect(1, 1, iw, ih), QColor::fromRgba(kSignBlack));
        const double sourceWidth = static_cast<double>(iw) * rows / ih;
        painter.drawImage(QRectF(1, 1, iw, ih), leds, QRectF(0, 0, sourceWidth, rows));
        if (rows <= 12) {
            // Single precision, so that the count of vertical lines is the
            // one the sign's makers drew.
            const float step = static_cast<float>(ih) / static_cast<float>(rows);
            // The grid pen is 0.6 pixels wide; unsmoothed, that is a one-pixel
            // line (a zero-width pen), never a blend of grey and black.
            painter.setPen(QPen(QColor::fromRgba(kPreviewGridColour), 0));
            for (int i = 1; i < rows; ++i) painter.drawLine(QPointF(1, i * step), QPointF(iw - 1, i * step));
            const int columns = static_cast<int>(std::trunc(static_cast<float>(iw) / step));
            for (int i = 1; i < columns; ++i) painter.drawLine(QPointF(i * step, 1), QPointF(i * step, ih - 1));
        }
    }
    painter.end();
    return picture;
}

}  // namespace lumitag
