#pragma once
// The current interface language and the lookups in its pack.
//
// ApplyLanguage makes a language current; every lookup then reads that
// language's pack, straight from the copy compiled into the program. Until
// the first ApplyLanguage the current language is English. The state is
// process-wide and guarded, so lookups may come from any thread.

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "l10n/LanguagePack.h"
#include "model/Reporter.h"

namespace lumitag {

inline constexpr std::string_view kNotFound = "Not found";

// The LanguageIndex last applied, exactly as given (it may lie outside 1..14).
int CurrentLanguage();

// The pack that lookups read now.
std::shared_ptr<const LanguagePack> CurrentPack();

// The pack of language `index` (English outside 1..14), parsed from the
// copy compiled in; null when the build lacks it.
std::shared_ptr<const LanguagePack> BuiltInPack(int index);

// Makes `index` the current language and its pack the current pack. When
// the pack is missing the language still changes, `reporter` shows
// "Release language file failure!" and the current pack becomes empty, so
// menus read "Not found" and dialogs keep their own texts; returns false.
bool ApplyLanguage(int index, Reporter& reporter);

// The same with the pack given: what ApplyLanguage does once it has found
// (or failed to find) the pack.
bool ApplyLanguage(int index, std::shared_ptr<const LanguagePack> pack, Reporter& reporter);

// A menu text: the key's value in section "String", or "Not found"; each
// backslash-n pair in it becomes a line break.
std::string GetLangString(const LanguagePack& pack, std::string_view key);
std::string GetLangString(std::string_view key);

// Dialog texts, taken as they stand (no backslash-n replacement), "" when
// the pack lacks the key: the title from "IDD<dialog>_title", a control's
// text from "IDD<dialog>_<control>".
std::string DialogTitle(const LanguagePack& pack, int dialog);
std::string DialogControlText(const LanguagePack& pack, int dialog, int control);

struct DialogTexts {
    std::optional<std::string> title;                    // set when the pack has one
    std::vector<std::pair<int, std::string>> controls;   // control id and text
};

// What a dialog applies when it opens: its title when the pack gives a
// non-empty one, and the text of each of `controls` (in the dialog's child
// order) that the pack gives a non-empty text for. Controls left out keep
// their own text. Dialogs with a tooltip control register each listed
// control with the same text.
DialogTexts ApplyDialogTexts(const LanguagePack& pack, int dialog, std::span<const int> controls);
DialogTexts ApplyDialogTexts(int dialog, std::span<const int> controls);

}  // namespace lumitag
