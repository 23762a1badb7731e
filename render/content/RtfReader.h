#pragma once
// Reads RTF documents as common rich text editors write them into formatted
// text. Hostile input is expected: nesting, numbers and tables are bounded,
// and reaching a bound ends the parse with what was read so far.

#include <string_view>

#include "render/content/FormattedText.h"

namespace lumitag {

enum class RtfStatus {
    Complete,      // the outer group closed normally
    Truncated,     // the document ended inside a group
    LimitReached,  // a bound was reached; the text read before it is kept
    NotRtf,        // the input does not begin with "{\rtf"
};

struct RtfReadResult {
    FormattedText text;
    RtfStatus status = RtfStatus::Complete;
};

// `rtf` is the document as stored: plain ASCII with escapes, or with raw text
// that is either UTF-8 or 8-bit in the document's code page.
RtfReadResult ReadRtf(std::string_view rtf);

// Limits against hostile documents.
inline constexpr int kRtfMaxGroupDepth = 256;
inline constexpr int kRtfMaxTableEntries = 4096;   // fonts and colours each
inline constexpr std::size_t kRtfMaxFaceBytes = 256;

}  // namespace lumitag
