#pragma once
// Our own drawings (SVG files under app/art, compiled in as ":/art/<name>.svg").

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace lumitag::app {

// Registers the artwork resources (once); ArtIcon does it itself.
void EnsureArt();
QIcon ArtIcon(const QString& name);
QPixmap ArtPixmap(const QString& name, QSize size);

}  // namespace lumitag::app
