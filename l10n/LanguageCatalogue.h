#pragma once
// The fourteen interface languages: their LanguageIndex, the Language menu
// command and label, the number of the pack they were carried under as a
// "LANG" resource, and the resources/lang file that holds the pack now.

#include <array>
#include <optional>
#include <string_view>

namespace lumitag {

struct LanguageInfo {
    int index;                   // LanguageIndex, 1..14
    std::string_view name;       // English name of the language
    int menuCommand;             // Language menu command
    std::string_view menuLabel;  // fixed menu label, never translated
    int resource;                // "LANG" resource number of the pack
    std::string_view packFile;   // stem of resources/lang/<packFile>.ini
};

inline constexpr int kEnglishLanguage = 3;
inline constexpr int kEnglishPackResource = 169;

// In LanguageIndex order; the Language menu lists them in this order too.
inline constexpr std::array<LanguageInfo, 14> kLanguages{{
    {1, "Simplified Chinese", 32843, "中文简体", 168, "zh-Hans"},
    {2, "Traditional Chinese", 32844, "中文繁體", 173, "zh-Hant"},
    {3, "English", 32842, "English", 169, "en"},
    {4, "Japanese", 32864, "日本語", 170, "ja"},
    {5, "Korean", 32847, "한국의", 171, "ko"},
    {6, "Russian", 32848, "Русский", 172, "ru"},
    {7, "Thai", 32870, "ภาษาไทย", 237, "th"},
    {8, "Indonesian", 32871, "bahasa Indonesia", 238, "id"},
    {9, "Malay", 32872, "melayu", 236, "ms"},
    {10, "Vietnamese", 32873, "Việt Ngữ", 239, "vi"},
    {11, "German", 32877, "Deutsch", 319, "de"},
    {12, "French", 32878, "Français", 318, "fr"},
    {13, "Arabic", 32880, "العربية", 320, "ar"},
    {14, "Persian", 32882, "فارسی", 321, "fa"},
}};

// The row of `index`; any index outside 1..14 (a hand-edited settings file)
// gets the English row, whose pack is resource 169.
const LanguageInfo& LanguageFor(int index);

// The language whose menu command is `command`, if any.
std::optional<int> LanguageForMenuCommand(int command);

}  // namespace lumitag
