#include "imagedit/LedCanvas.h"

#include "render/SignColours.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace lumitag::imagedit {
namespace {

constexpr QRgb kUnlitLed = 0xFF2A2A2Au;
constexpr QRgb kBoard = 0xFF101010u;

QString ToolLabel(Tool tool)
{
    switch (tool) {
    case Tool::Pencil: return LedCanvas::tr("Pencil");
    case Tool::Eraser: return LedCanvas::tr("Eraser");
    case Tool::Line: return LedCanvas::tr("Line");
    case Tool::Rectangle: return LedCanvas::tr("Rectangle");
    case Tool::Fill: return LedCanvas::tr("Fill");
    case Tool::Select: return LedCanvas::tr("Move");
    case Tool::Text: return LedCanvas::tr("Text");
    }
    return {};
}

}  // namespace

void PaintLeds(QPainter& painter, const QImage& picture, int cell, QPoint origin, QRect exposed)
{
    const QRect board(origin, picture.size() * cell);
    painter.fillRect(exposed.isNull() ? board : board & exposed, QColor::fromRgba(kBoard));
    QRect leds = picture.rect();
    if (!exposed.isNull()) {
        const QRect area = (exposed & board).translated(-origin);
        if (area.isEmpty()) return;
        leds &= QRect(QPoint(area.left() / cell, area.top() / cell), QPoint(area.right() / cell, area.bottom() / cell));
    }
    painter.setPen(Qt::NoPen);
    painter.setRenderHint(QPainter::Antialiasing, cell >= 6);
    const double gap = cell >= 6 ? cell * 0.12 : 0.0;
    for (int y = leds.top(); y <= leds.bottom(); ++y)
        for (int x = leds.left(); x <= leds.right(); ++x) {
            const QRgb c = picture.pixel(x, y);
            painter.setBrush(QColor::fromRgba(c == kSignBlack ? kUnlitLed : c));
            const QRectF led(origin.x() + x * cell + gap, origin.y() + y * cell + gap, cell - 2 * gap, cell - 2 * gap);
            if (cell >= 6)
                painter.drawEllipse(led);
            else
                painter.drawRect(led);
        }
}

LedCanvas::LedCanvas(PictureDocument& document, QWidget* parent)
    : QWidget(parent), document_(document), colour_(SignPalette(document.format().colours)[1])
{
    // The sign reads left to right in every language.
    setLayoutDirection(Qt::LeftToRight);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&document_, &PictureDocument::pictureChanged, this, [this] {
        selection_ &= document_.picture().rect();
        updateGeometry();
        adjustSize();
        update();
    });
}

void LedCanvas::SetTool(Tool tool)
{
    tool_ = tool;
    if (tool != Tool::Select) selection_ = {};
    update();
}

void LedCanvas::SetZoom(int pixelsPerLed)
{
    pixelsPerLed = std::clamp(pixelsPerLed, kMinZoom, kMaxZoom);
    if (pixelsPerLed == zoom_) return;
    zoom_ = pixelsPerLed;
    updateGeometry();
    adjustSize();
    update();
    emit zoomChanged(zoom_);
}

QSize LedCanvas::sizeHint() const { return document_.picture().size() * zoom_; }

QPoint LedCanvas::PointOf(QPoint pixel) const { return pixel * zoom_ + QPoint(zoom_ / 2, zoom_ / 2); }

QPoint LedCanvas::PixelAt(QPointF point) const
{
    return {static_cast<int>(std::floor(point.x() / zoom_)), static_cast<int>(std::floor(point.y() / zoom_))};
}

QRgb LedCanvas::DrawColour() const { return tool_ == Tool::Eraser ? kSignBlack : colour_; }

void LedCanvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());
    PaintLeds(painter, draft_ ? *draft_ : document_.picture(), zoom_, {}, event->rect());
    if (!selection_.isEmpty()) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
        painter.drawRect(QRect(selection_.topLeft() * zoom_, selection_.size() * zoom_).adjusted(0, 0, -1, -1));
    }
}

void LedCanvas::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    const QPoint pixel = PixelAt(event->position());
    const QImage& picture = document_.picture();
    dragging_ = true;
    start_ = last_ = pixel;
    draft_ = picture;
    moving_ = tool_ == Tool::Select && selection_.contains(pixel);
    switch (tool_) {
    case Tool::Pencil:
    case Tool::Eraser: SetPixel(*draft_, pixel, DrawColour()); break;
    case Tool::Fill:
        FloodFill(*draft_, pixel, colour_);
        Commit();
        break;
    case Tool::Text:
        StampText(*draft_, pixel, stamp_, colour_);
        Commit();
        break;
    case Tool::Select:
        if (!moving_) selection_ = {};
        break;
    default: DrawDrag(pixel); break;
    }
    update();
}

void LedCanvas::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_ || !draft_) return;
    DrawDrag(PixelAt(event->position()));
    update();
}

void LedCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !dragging_) return;
    if (draft_) {
        DrawDrag(PixelAt(event->position()));
        Commit();
    }
    update();
}

void LedCanvas::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();  // the scroll area scrolls
        return;
    }
    SetZoom(zoom_ + (event->angleDelta().y() > 0 ? 2 : -2));
}

void LedCanvas::keyPressEvent(QKeyEvent* event)
{
    if (selection_.isEmpty() || dragging_) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) {
        QImage cleared = document_.picture();
        DrawRectangle(cleared, selection_.topLeft(), selection_.bottomRight(), kSignBlack, true);
        document_.Apply(tr("Delete"), cleared);
    } else if (event->key() == Qt::Key_Escape) {
        selection_ = {};
        update();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void LedCanvas::DrawDrag(QPoint to)
{
    const QImage& picture = document_.picture();
    switch (tool_) {
    case Tool::Pencil:
    case Tool::Eraser: DrawLine(*draft_, last_, to, DrawColour()); break;
    case Tool::Line:
        *draft_ = picture;
        DrawLine(*draft_, start_, to, colour_);
        break;
    case Tool::Rectangle:
        *draft_ = picture;
        DrawRectangle(*draft_, start_, to, colour_, false);
        break;
    case Tool::Select:
        if (moving_) {
            *draft_ = picture;
            MoveArea(*draft_, selection_, to - start_);
        } else {
            selection_ = QRect(QPoint(std::min(start_.x(), to.x()), std::min(start_.y(), to.y())),
                               QPoint(std::max(start_.x(), to.x()), std::max(start_.y(), to.y()))) &
                         picture.rect();
        }
        break;
    default: break;
    }
    last_ = to;
}

void LedCanvas::Commit()
{
    dragging_ = false;
    if (!draft_) return;
    const QImage done = *draft_;
    draft_.reset();
    if (tool_ == Tool::Select && moving_) selection_ = selection_.translated(last_ - start_) & done.rect();
    document_.Apply(ToolLabel(tool_), done);
}

}  // namespace lumitag::imagedit
