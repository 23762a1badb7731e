#pragma once
// The picture as the sign's LED grid, zoomable, and the drawing tools on it.
// A drag is drawn on a copy shown live and becomes one undo step when the
// button is released, so undo takes back whole strokes and shapes.

#include "imagedit/PictureDocument.h"
#include "render/SignPictureEdit.h"

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <optional>

namespace lumitag::imagedit {

enum class Tool { Pencil, Eraser, Line, Rectangle, Fill, Select, Text };

// Paints `picture` as LEDs of `cell` pixels from `origin`: lit ones in their
// colour, unlit ones dim so that the grid shows. Only LEDs meeting `exposed`
// (widget coordinates; null for all) are drawn: a long picture at a high
// zoom has far more LEDs than the view shows.
void PaintLeds(QPainter& painter, const QImage& picture, int cell, QPoint origin = {}, QRect exposed = {});

class LedCanvas : public QWidget {
    Q_OBJECT
public:
    explicit LedCanvas(PictureDocument& document, QWidget* parent = nullptr);

    void SetTool(Tool tool);
    Tool tool() const { return tool_; }
    void SetColour(QRgb colour) { colour_ = colour; }
    QRgb colour() const { return colour_; }
    void SetTextStamp(const TextStamp& stamp) { stamp_ = stamp; }
    const TextStamp& textStamp() const { return stamp_; }

    static constexpr int kMinZoom = 2;
    static constexpr int kMaxZoom = 48;
    void SetZoom(int pixelsPerLed);
    int zoom() const { return zoom_; }

    // The selection of the select tool, empty when there is none.
    QRect selection() const { return selection_; }

    // The widget point at the centre of picture pixel `pixel`.
    QPoint PointOf(QPoint pixel) const;

    QSize sizeHint() const override;

signals:
    void zoomChanged(int pixelsPerLed);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // Delete clears the selected LEDs, Escape drops the selection.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPoint PixelAt(QPointF point) const;
    QRgb DrawColour() const;
    void DrawDrag(QPoint to);
    void Commit();

    PictureDocument& document_;
    Tool tool_ = Tool::Pencil;
    QRgb colour_;
    TextStamp stamp_;
    int zoom_ = 16;

    // The drag in progress.
    bool dragging_ = false;
    QPoint start_;
    QPoint last_;
    std::optional<QImage> draft_;  // what the drag has drawn so far
    QRect selection_;
    bool moving_ = false;
};

}  // namespace lumitag::imagedit
