#include "editors/CFaceWnd.h"

#include <QDir>
#include <QMouseEvent>
#include <QPainter>

#include "render/PictureLoader.h"
#include "render/content/GlyphText.h"

namespace lumitag::editors {
namespace {
constexpr QRgb kGridColour = 0xFF787878u;
constexpr QRgb kHoverColour = 0xFF63B7FFu;
}

CFaceWnd::CFaceWnd(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setLayoutDirection(Qt::LeftToRight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

int CFaceWnd::LoadSymbols(const QString& folder)
{
    pictures_.clear();
    numbers_.clear();
    // Names are matched ignoring case, as the Data folder's are.
    QStringList all;
    for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name))
        if (name.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive)) all.append(name);
    for (const QString& name : all) {
        if (static_cast<int>(numbers_.size()) >= kMaxPictures) break;
        pictures_.push_back(LoadPicture(QDir(folder).filePath(name).toStdString()));
        numbers_.push_back(static_cast<int>(std::min<std::uint32_t>(
            ReadDecimal(name.section(QLatin1Char('.'), 0, 0).toStdString()), 0xFFFF)));
    }
    update();
    return Count();
}

QPoint CFaceWnd::CellAt(QPointF point) const
{
    const double cw = width() / double(kColumns);
    const double ch = height() / double(kRows);
    return {static_cast<int>(point.y() / ch), static_cast<int>(point.x() / cw)};
}

void CFaceWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const double cw = width() / double(kColumns);
    const double ch = height() / double(kRows);
    painter.setPen(QPen(QColor::fromRgba(kGridColour), 1.0));
    for (int i = 0; i <= kColumns; ++i) painter.drawLine(QPointF(i * cw, 0), QPointF(i * cw, height()));
    for (int i = 0; i <= kRows; ++i) painter.drawLine(QPointF(0, i * ch), QPointF(width(), i * ch));
    if (hoverRow_ >= 0 && hoverColumn_ >= 0 && hoverColumn_ < kColumns && hoverColumn_ + kColumns * hoverRow_ < Count()) {
        painter.setPen(QPen(QColor::fromRgba(kHoverColour), 1.0));
        painter.drawRect(QRectF(hoverColumn_ * cw, hoverRow_ * ch, cw, ch));
    }
    for (int i = 0; i < Count(); ++i) {
        const QImage& picture = pictures_[i];
        if (picture.isNull()) continue;
        const int c = i % kColumns;
        const int r = i / kColumns;
        const int left = static_cast<int>(c * cw + cw / 2 - picture.width());
        const int top = static_cast<int>(r * ch + ch / 2 - picture.height());
        painter.drawImage(QRect(left, top, 2 * picture.width(), 2 * picture.height()), picture);
    }
}

void CFaceWnd::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint cell = CellAt(event->position());
    if (cell.x() != hoverRow_ || cell.y() != hoverColumn_) {
        hoverRow_ = cell.x();
        hoverColumn_ = cell.y();
        update();
    }
}

void CFaceWnd::leaveEvent(QEvent*)
{
    hoverRow_ = hoverColumn_ = -1;
    update();
}

void CFaceWnd::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    const QPoint cell = CellAt(event->position());
    if (cell.x() < 0 || cell.y() < 0 || cell.y() >= kColumns) return;
    const int index = cell.y() + kColumns * cell.x();
    if (index < Count()) emit Picked(numbers_[index]);
}

}  // namespace lumitag::editors
