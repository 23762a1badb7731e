#include "l10n/MenuKeys.h"

#include "l10n/Language.h"

namespace lumitag {

std::span<const MenuKey> RowMenuItems(int resource)
{
    for (const RowMenuKeys& menu : kRowMenuKeys)
        if (menu.resource == resource) return menu.items;
    return {};
}

std::vector<MenuLabel> MenuLabels(std::span<const MenuKey> keys)
{
    std::vector<MenuLabel> labels;
    labels.reserve(keys.size());
    for (const MenuKey& key : keys) labels.push_back({key.id, GetLangString(key.key)});
    return labels;
}

}  // namespace lumitag
