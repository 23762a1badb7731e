#include "editors/CPicWnd.h"

#include <QPainter>

#include "render/PictureLoader.h"

namespace lumitag::editors {
namespace {
constexpr QRgb kFrameColour = 0xFFAD20F0u;
}

CPicWnd::CPicWnd(QWidget* parent) : QWidget(parent)
{
    setLayoutDirection(Qt::LeftToRight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CPicWnd::SetPath(const QString& path)
{
    path_ = path;
    // Only regular files are read, under the loader's size limits: a list
    // entry may name a directory, a FIFO or a huge picture.
    picture_ = path.isEmpty() ? QImage() : LoadPicture(std::filesystem::path(path.toStdString()));
    update();
}

void CPicWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(QColor::fromRgba(kFrameColour), 1.0));
    painter.drawRect(0, 0, width() - 1, height() - 1);
    if (!picture_.isNull()) painter.drawImage(QRect(1, 1, width() - 1, height() - 1), picture_);
}

}  // namespace lumitag::editors
