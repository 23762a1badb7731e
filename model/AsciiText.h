#pragma once
// Comparing names without regard to ASCII letter case: model names, device
// paths, Data folder file names, the command line's words. Only A-Z and a-z
// fold; every other byte (and so every UTF-8 sequence) compares exactly,
// whatever the locale says.

#include <algorithm>
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

}  // namespace lumitag
