// Feeds arbitrary bytes to the language pack reader and looks up the keys
// the program uses. Besides crashes it checks that a lookup never returns
// more than the lookup buffer holds and that every entry it kept is found.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "l10n/Language.h"
#include "l10n/LanguagePack.h"
#include "l10n/PackKeys.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const lumitag::LanguagePack pack = lumitag::LanguagePack::Parse(text);

    for (std::string_view key : lumitag::kPackKeys) {
        // UTF-8 takes at most three bytes per UTF-16 unit.
        if (lumitag::GetLangString(pack, key).size() > 3 * lumitag::LanguagePack::kMaxValueUnits)
            std::abort();
    }
    for (const auto& entry : pack.Entries())
        if (!pack.Find(entry.section, entry.key)) std::abort();
    const int controls[] = {1, 2, 1050, 1112};
    lumitag::ApplyDialogTexts(pack, 140, controls);
    return 0;
}
