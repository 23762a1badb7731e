#include "l10n/LanguageSettings.h"

#include "l10n/Language.h"

namespace lumitag {

int StartupLanguage(SettingsStore& settings, const EnvironmentLookup& environment)
{
    // GetLanguage gives 0 both for "not stored" and for an unreadable file.
    return StartupLanguage(settings.GetLanguage(), environment);
}

bool ChooseLanguage(int index, SettingsStore& settings, Reporter& reporter)
{
    const bool applied = ApplyLanguage(index, reporter);
    settings.SetLanguage(index);  // a failed write has been reported by the store
    return applied;
}

std::array<bool, kLanguages.size()> LanguageMenuChecks(SettingsStore& settings)
{
    const int stored = settings.GetLanguage();
    std::array<bool, kLanguages.size()> checks{};
    for (std::size_t i = 0; i < kLanguages.size(); ++i) checks[i] = kLanguages[i].index == stored;
    return checks;
}

}  // namespace lumitag
