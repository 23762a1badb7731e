#include "l10n/InlineTexts.h"

#include <initializer_list>

#include "l10n/Language.h"
#include "l10n/LanguageCatalogue.h"

namespace lumitag {
namespace {

// `format` with each "%s" or "%d", in order, replaced by the next of `values`.
// A value is never scanned again, so a word holding "%d" stays as it is.
std::string Format(std::string_view format, std::initializer_list<std::string_view> values)
{
    std::string text;
    auto value = values.begin();
    for (std::size_t pos = 0; pos < format.size(); ++pos) {
        const bool placeholder = format[pos] == '%' && pos + 1 < format.size()
                                 && (format[pos + 1] == 's' || format[pos + 1] == 'd');
        if (placeholder && value != values.end()) {
            text += *value++;
            ++pos;
        } else {
            text += format[pos];
        }
    }
    return text;
}

}  // namespace

std::string_view PickText(const InlineTable& table, int languageIndex)
{
    if (languageIndex < 0 || languageIndex >= static_cast<int>(table.size()))
        languageIndex = kEnglishLanguage;
    return table[static_cast<std::size_t>(languageIndex)];
}

std::string_view PickText(const InlineTable& table)
{
    return PickText(table, CurrentLanguage());
}

std::string ModelStatusText(std::string_view modelName, int languageIndex)
{
    std::string text(PickText(kModelWord, languageIndex));
    text += ':';
    text += modelName;
    return text;
}

std::string MultiSendText(int languageIndex, int id, int total, int remaining)
{
    const std::string idText = std::to_string(id);
    const std::string totalText = std::to_string(total);
    const std::string remainingText = std::to_string(remaining);
    return Format(kMultiSendFormat, {PickText(kSettingWord, languageIndex), idText,
                                     PickText(kTotalWord, languageIndex), totalText,
                                     PickText(kRemainingWord, languageIndex), remainingText});
}

std::string WordLimitText(const InlineTable& table, int languageIndex, int limit)
{
    return Format(PickText(table, languageIndex), {std::to_string(limit)});
}

}  // namespace lumitag
