#pragma once
// Glyph text is drawn from one bitmap file per character or animation
// symbol, read from the Data folder on every drawing pass.

#include "render/content/GlyphText.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lumitag {

struct GlyphPathLists {
    std::vector<std::string> frame0;  // one path per item, same length as frame1
    std::vector<std::string> frame1;
    int width = 0;  // sum of the frame-0 pictures' widths
};

// Data/Ascii/<code>.bmp under `programFolder`.
std::filesystem::path AsciiGlyphPath(const std::filesystem::path& programFolder, char32_t code);
// Data/Gif/<rows>/<number>_<frame>.bmp under `programFolder`.
std::filesystem::path AnimationPath(const std::filesystem::path& programFolder, int rows, int number, int frame);

// The paths of `items` for a sign of `rows` rows, each as the file is named on
// disk when it exists (names match ignoring case). An item whose frame-0 file
// is missing takes the space glyph in frame 0 (an ordinary glyph in frame 1
// as well; a symbol keeps its own frame-1 path).
GlyphPathLists BuildGlyphPaths(const std::vector<GlyphItem>& items, int rows,
                               const std::filesystem::path& programFolder);

}  // namespace lumitag
