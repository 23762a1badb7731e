#pragma once
// One uniformly formatted stretch of rich text, as the text rasteriser
// draws it.

#include <cstdint>
#include <string>

namespace lumitag {

struct TextRun {
    std::string text;           // UTF-8; an animation symbol run is exactly its 9-character token
    std::string face;           // UTF-8, at most kFaceLimit characters
    int height = 0;             // character height in twips / 20: the point size, drawn as pixels
    std::uint32_t colour = 0;   // 0x00BBGGRR
    int bold = 0;               // 1 or 0
    int italic = 0;             // 2 or 0 (the stored effect bit); non-zero means italic
    int underline = 0;          // 4 or 0 (the stored effect bit); non-zero means underlined

    static constexpr int kFaceLimit = 31;

    friend bool operator==(const TextRun&, const TextRun&) = default;
};

}  // namespace lumitag
