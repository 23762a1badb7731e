#pragma once
// Arabic and Persian readers expect a desktop program laid out right to left.
// Sign previews are not text of the language: they keep the sign's own
// left-to-right orientation (set it on the preview widgets).

namespace lumitag::ui {

bool IsRightToLeftLanguage(int languageIndex);
void ApplyLanguageDirection(int languageIndex);

}  // namespace lumitag::ui
