#pragma once
// Writes formatted text as a compact plain-ASCII RTF document
// ("{\rtf1\ansi..."): every character outside printable ASCII is a \uN escape
// with a "?" fallback, so the string survives any code page and reads back
// character for character.

#include <string>

#include "render/content/FormattedText.h"

namespace lumitag {

// Heights are written in half points: twips are rounded to a multiple of 10.
std::string WriteRtf(const FormattedText& text);

}  // namespace lumitag
