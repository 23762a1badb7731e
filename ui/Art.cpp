#include "ui/Art.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace lumitag::ui {

namespace {

QString ArtPath(const QString& name)
{
    return QStringLiteral(":/art/%1.svg").arg(name);
}

}  // namespace

QIcon ArtIcon(const QString& name)
{
    const QString path = ArtPath(name);
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

QPixmap ArtPixmap(const QString& name, QSize size, qreal devicePixelRatio)
{
    const QString path = ArtPath(name);
    if (!QFile::exists(path) || size.isEmpty()) return {};
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) return {};
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

}  // namespace lumitag::ui
