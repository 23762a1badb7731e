#pragma once
// Names and numbers as users type them. Names compare without regard to
// ASCII letter case (model names, device paths, Data folder file names, the
// command line's words): only A-Z and a-z fold; every other byte (and so
// every UTF-8 sequence) compares exactly, whatever the locale says.

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace lumitag {

constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

inline std::string AsciiLowered(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), AsciiLower);
    return out;
}

// `text` as a whole decimal number within [low, high] (no sign, blanks or
// trailing characters), else nothing. For numbers the user types.
inline std::optional<int> ParseWholeNumber(std::string_view text, int low, int high)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

}  // namespace lumitag
