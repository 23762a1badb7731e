#include "render/content/GlyphText.h"

#include <limits>

#include "render/content/Utf8.h"

namespace lumitag {

namespace {

bool IsBlank(char32_t ch)
{
    return ch == U' ' || (ch >= U'\t' && ch <= U'\r');
}

bool IsTokenAt(std::u32string_view text, std::size_t i)
{
    return i + 9 <= text.size() && text.substr(i, 5) == U"[GIF_" && text[i + 8] == U']';
}

}  // namespace

std::uint32_t ReadDecimal(std::u32string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    std::uint64_t value = 0;
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
    for (; i < text.size() && text[i] >= U'0' && text[i] <= U'9'; ++i) {
        value = value * 10 + (text[i] - U'0');
        if (value > kMax) value = kMax;  // saturate, and keep the product in range
    }
    return static_cast<std::uint32_t>(value);
}

std::uint32_t ReadDecimal(std::string_view text)
{
    return ReadDecimal(utf8::Decode(text));
}

GlyphTokens TokeniseGlyphText(std::string_view payload)
{
    const std::u32string text = utf8::Decode(payload);
    GlyphTokens tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        if (IsTokenAt(text, i)) {
            GlyphItem item;
            item.isSymbol = true;
            item.symbol = static_cast<int>(ReadDecimal(text.substr(i + 5, 3)));
            tokens.items.push_back(item);
            tokens.hasSymbol = true;
            i += 9;
        } else {
            GlyphItem item;
            item.character = text[i];
            tokens.items.push_back(item);
            ++i;
        }
    }
    return tokens;
}

}  // namespace lumitag
