#include "l10n/LanguageCatalogue.h"

namespace lumitag {

const LanguageInfo& LanguageFor(int index)
{
    if (index < 1 || index > static_cast<int>(kLanguages.size()))
        index = kEnglishLanguage;
    return kLanguages[static_cast<std::size_t>(index - 1)];
}

std::optional<int> LanguageForMenuCommand(int command)
{
    for (const LanguageInfo& language : kLanguages)
        if (language.menuCommand == command) return language.index;
    return std::nullopt;
}

}  // namespace lumitag
