#pragma once
// Which interface language suits the user when the settings name none.
//
// The locale comes from the environment the way gettext looks for the
// message language: LANGUAGE (first entry of its colon list), LC_ALL,
// LC_MESSAGES, LANG; the first that is set and not empty wins. The locale
// is turned into the Windows language identifier of the same language, and
// that into a LanguageIndex by the table the program has always used.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lumitag {

// Reads one environment variable; nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view name)>;

// The process environment.
std::optional<std::string> ProcessEnvironment(std::string_view name);

// The locale that decides the language ("zh_TW.UTF-8"), or "" when none is set.
std::string MessageLocale(const EnvironmentLookup& environment);

// The Windows language identifier of a POSIX locale name (language, then
// optional _TERRITORY, .codeset and @modifier); 0 when it has none of the
// identifiers the language table knows.
int WindowsLanguageId(std::string_view locale);

// The LanguageIndex of a Windows language identifier: Chinese (PRC, Hong
// Kong, Singapore) 1, Chinese (Taiwan) 2, Japanese 4, Korean 5, Russian 6,
// Thai 7, Indonesian 8, Vietnamese 10, anything else 3 (English).
int LanguageForWindowsId(int languageId);

int DetectLanguage(const EnvironmentLookup& environment);
int DetectLanguage();

// The language at start-up: the stored "Language" when the settings could
// be read and it is not 0, else the detected one (which is not stored).
int StartupLanguage(std::optional<int> storedLanguage, const EnvironmentLookup& environment);

}  // namespace lumitag
