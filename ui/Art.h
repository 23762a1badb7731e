#pragma once
// Our artwork is SVG kept as source in each library's art/ folder and
// compiled in as Qt resources (":/art/<name>.svg"); pixels are made at the
// size the screen asks for, so icons stay sharp at any scale.

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace lumitag::ui {

// Null when there is no such picture.
QIcon ArtIcon(const QString& name);
QPixmap ArtPixmap(const QString& name, QSize size, qreal devicePixelRatio = 1.0);

}  // namespace lumitag::ui
