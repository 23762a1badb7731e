#pragma once
// The stored "Language" setting and what the Language menu does with it.

#include <array>

#include "l10n/DetectLanguage.h"
#include "l10n/LanguageCatalogue.h"
#include "model/Reporter.h"
#include "model/SettingsStore.h"

namespace lumitag {

// The language at start-up: the stored one, or the detected one when none
// is stored or the settings cannot be read. A detected language is not stored.
int StartupLanguage(SettingsStore& settings,
                    const EnvironmentLookup& environment = ProcessEnvironment);

// A Language menu command: applies `index` and stores it, even when its pack
// could not be used. Returns what ApplyLanguage returned: whether the
// windows should be relabelled.
bool ChooseLanguage(int index, SettingsStore& settings, Reporter& reporter);

// The check marks of the Language menu, in kLanguages order, from the file as
// it is now: the item whose index is stored is checked; none is when nothing
// is stored (a detected language) or the file cannot be read.
std::array<bool, kLanguages.size()> LanguageMenuChecks(SettingsStore& settings);

}  // namespace lumitag
