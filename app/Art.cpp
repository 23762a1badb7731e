#include "app/Art.h"

// The artwork is compiled into this static library; its resources must be
// registered by hand before the first use.
static void RegisterArt() { Q_INIT_RESOURCE(app); }

namespace lumitag::app {

void EnsureArt()
{
    static const bool registered = (RegisterArt(), true);
    (void)registered;
}

}  // namespace lumitag::app
