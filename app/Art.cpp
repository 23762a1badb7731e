#include "app/Art.h"

#include <QIcon>

// The artwork is compiled into this static library; its resources must be
// registered by hand before the first use.
static void RegisterArt() { Q_INIT_RESOURCE(app); }

namespace lumitag::app {

void EnsureArt()
{
    static const bool registered = (RegisterArt(), true);
    (void)registered;
}

QIcon ArtIcon(const QString& name)
{
    EnsureArt();
    return QIcon(QStringLiteral(":/art/%1.svg").arg(name));
}

QPixmap ArtPixmap(const QString& name, QSize size) { return ArtIcon(name).pixmap(size); }

}  // namespace lumitag::app
