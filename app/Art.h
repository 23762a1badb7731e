#pragma once
// Our drawings, kept as SVG under app/art and compiled in as ":/art/<name>.svg".

#include "ui/Art.h"

namespace lumitag::app {

// Registers this library's artwork (once); call before the first use.
void EnsureArt();

inline QIcon ArtIcon(const QString& name)
{
    EnsureArt();
    return ui::ArtIcon(name);
}
inline QPixmap ArtPixmap(const QString& name, QSize size)
{
    EnsureArt();
    return ui::ArtPixmap(name, size);
}

}  // namespace lumitag::app
