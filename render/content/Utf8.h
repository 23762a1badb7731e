#pragma once
// UTF-8 helpers of the content layer.

#include <string>
#include <string_view>

namespace lumitag::utf8 {

inline constexpr char32_t kReplacement = U'\uFFFD';

void Append(std::string& out, char32_t ch);
std::string Encode(std::u32string_view text);

// Decodes the character at `pos` and moves `pos` past it. Returns false, with
// `pos` unchanged, when the bytes there are not a well-formed UTF-8 sequence.
bool DecodeAt(std::string_view text, std::size_t& pos, char32_t& ch);

// Every malformed byte becomes U+FFFD.
std::u32string Decode(std::string_view text);

}  // namespace lumitag::utf8
