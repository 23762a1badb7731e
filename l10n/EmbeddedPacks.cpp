#include "l10n/EmbeddedPacks.h"

namespace lumitag {

std::optional<std::string_view> FindEmbeddedPack(std::string_view name)
{
    for (const EmbeddedPack& pack : EmbeddedPacks())
        if (pack.name == name) return pack.text;
    return std::nullopt;
}

}  // namespace lumitag
