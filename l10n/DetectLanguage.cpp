#include "l10n/DetectLanguage.h"

#include <array>
#include <cstdlib>

#include "l10n/LanguageCatalogue.h"

namespace lumitag {
namespace {

struct LocaleLanguage {
    std::string_view language;   // ISO 639 code, lower case
    std::string_view territory;  // ISO 3166 code, upper case; "" for any
    int windowsId;
};

// Territory-specific rows come before the language's catch-all row. Chinese
// has no catch-all: without a territory the script is unknown.
constexpr std::array<LocaleLanguage, 11> kLocaleLanguages{{
    {"zh", "CN", 2052},
    {"zh", "HK", 3076},
    {"zh", "SG", 4100},
    {"zh", "TW", 1028},
    {"ja", "", 1041},
    {"ko", "", 1042},
    {"ru", "", 1049},
    {"th", "", 1054},
    {"id", "", 1057},
    {"vi", "", 1066},
    {"en", "", 1033},
}};

struct WindowsLanguage {
    int windowsId;
    int index;
};

constexpr std::array<WindowsLanguage, 11> kWindowsLanguages{{
    {2052, 1}, {3076, 1}, {4100, 1}, {1028, 2}, {1041, 4}, {1042, 5}, {2066, 5},
    {1049, 6}, {1054, 7}, {1057, 8}, {1066, 10},
}};

std::string AsciiCase(std::string_view s, bool upper)
{
    std::string out(s);
    for (char& c : out) {
        if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

}  // namespace

std::optional<std::string> ProcessEnvironment(std::string_view name)
{
    const char* value = std::getenv(std::string(name).c_str());
    if (!value) return std::nullopt;
    return std::string(value);
}

std::string MessageLocale(const EnvironmentLookup& environment)
{
    if (auto list = environment("LANGUAGE")) {
        std::string first = list->substr(0, list->find(':'));
        if (!first.empty()) return first;
    }
    for (std::string_view name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (auto value = environment(name); value && !value->empty()) return *value;
    return {};
}

int WindowsLanguageId(std::string_view locale)
{
    // language[_territory][.codeset][@modifier]; a hyphen is taken like the
    // underscore so that "zh-TW" works too.
    locale = locale.substr(0, locale.find_first_of(".@"));
    const auto separator = locale.find_first_of("_-");
    const std::string language = AsciiCase(locale.substr(0, separator), false);
    const std::string territory = separator == std::string_view::npos
                                      ? std::string()
                                      : AsciiCase(locale.substr(separator + 1), true);
    for (const LocaleLanguage& row : kLocaleLanguages)
        if (row.language == language && (row.territory.empty() || row.territory == territory))
            return row.windowsId;
    return 0;
}

int LanguageForWindowsId(int languageId)
{
    for (const WindowsLanguage& row : kWindowsLanguages)
        if (row.windowsId == languageId) return row.index;
    return kEnglishLanguage;
}

int DetectLanguage(const EnvironmentLookup& environment)
{
    return LanguageForWindowsId(WindowsLanguageId(MessageLocale(environment)));
}

int DetectLanguage()
{
    return DetectLanguage(ProcessEnvironment);
}

int StartupLanguage(std::optional<int> storedLanguage, const EnvironmentLookup& environment)
{
    if (storedLanguage && *storedLanguage != 0) return *storedLanguage;
    return DetectLanguage(environment);
}

}  // namespace lumitag
