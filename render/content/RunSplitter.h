#pragma once
// Cuts formatted text into the runs the text rasteriser draws.

#include <vector>

#include "render/content/FormattedText.h"
#include "render/content/TextRun.h"

namespace lumitag {

// A run per uniformly formatted stretch. Paragraph marks and line breaks are
// skipped without ending a run; an animation symbol token "[GIF_xyz]" is
// always a run of its own; trailing white space of the last run is removed.
std::vector<TextRun> SplitRuns(const FormattedText& text);

// True when the nine characters from `pos` form an animation symbol token:
// "[GIF_", any three characters, "]".
bool IsSymbolTokenAt(const FormattedText& text, std::size_t pos);

}  // namespace lumitag
