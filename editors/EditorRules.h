#pragma once
// The editors' own text rules (the per-model rules and the content strings
// are the slot-editing service's).

#include <string>
#include <string_view>

namespace lumitag::editors {

// A symbol token goes in only while the text (line ends removed) is shorter
// than this, so that the token's nine characters still fit the limit.
inline constexpr int kSymbolRoomLimit = 248;

// `text` with every CR LF pair removed (the editors' character count).
std::u32string WithoutLineBreaks(std::u32string_view text);
// The same, trimmed of white space at both ends.
std::u32string TrimmedWithoutLineBreaks(std::u32string_view text);

}  // namespace lumitag::editors
