#include "render/LayoutFlag.h"

#include "model/DeviceCatalogue.h"

namespace lumitag {

int LayoutFlagFor(std::string_view model, int time, int effect)
{
    const DeviceModel* row = FindModel(model);
    if (!row || time != 0) return 1;
    // The codes are Left and Right of the model's effect menu.
    if (row->rows == 16) return (effect == 1 || effect == 2) ? 0 : 1;
    if (row->layoutFlagFromParams) return (effect == 0 || effect == 1) ? 0 : 1;
    return 1;
}

}  // namespace lumitag
