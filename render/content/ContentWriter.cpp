#include "render/content/ContentWriter.h"

#include <cstdio>

#include "render/content/ContentString.h"
#include "render/content/GlyphText.h"

namespace lumitag {

std::string SymbolToken(int number)
{
    char token[16];
    std::snprintf(token, sizeof token, "%.*s%03d]", static_cast<int>(kSymbolTokenPrefix.size()),
                  kSymbolTokenPrefix.data(), number);
    return token;
}

std::string GlyphTextContent(std::string_view text) { return std::string(kGlyphTextPrefix) + std::string(text); }

std::string GlyphCodesContent(std::span<const std::uint32_t> codes)
{
    std::string content(kGlyphCodesPrefix);
    for (const auto code : codes) {
        content += std::to_string(code);
        content += ',';
    }
    return content;
}

std::string DateItemContent(const std::array<bool, 6>& flags, std::string_view textPart)
{
    std::string content(kDatePrefix);
    for (const bool flag : flags) content += flag ? '1' : '0';
    content += ']';
    content += textPart;
    return content;
}

std::string ImageListContent(std::span<const std::string> paths)
{
    std::string content;
    for (const auto& path : paths) {
        content += path;
        content += ';';
    }
    return content;
}

std::vector<std::string> ImageListEntries(std::string_view content)
{
    std::vector<std::string> entries;
    if (content.starts_with(kRichTextPrefix) || content.starts_with(kGlyphTextPrefix)) return entries;
    for (auto semicolon = content.find(';'); semicolon != std::string_view::npos; semicolon = content.find(';')) {
        entries.emplace_back(content.substr(0, semicolon));
        content.remove_prefix(semicolon + 1);
    }
    return entries;
}

std::vector<std::uint32_t> GlyphCodesOf(std::string_view content, std::size_t maxCodes)
{
    std::vector<std::uint32_t> codes;
    if (!content.starts_with(kGlyphCodesPrefix)) return codes;
    std::string_view rest = content.substr(kGlyphCodesPrefix.size());
    while (!rest.empty() && codes.size() < maxCodes) {
        const auto comma = rest.find(',');
        const std::string_view piece = rest.substr(0, comma);
        if (!piece.empty()) codes.push_back(ReadDecimal(piece));
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return codes;
}

DateItemParts DateItemOf(std::string_view content)
{
    DateItemParts parts;
    if (!content.starts_with(kDatePrefix)) return parts;
    parts.isDateItem = true;
    const std::size_t close =
        content.size() > kDatePrefix.size() ? content.find(']', kDatePrefix.size()) : std::string_view::npos;
    // Without the closing bracket no digit and no text is taken.
    if (close == std::string_view::npos) return parts;
    const std::string_view digits = content.substr(kDatePrefix.size(), close - kDatePrefix.size());
    for (std::size_t k = 0; k < parts.flags.size() && k < digits.size(); ++k)
        parts.flags[k] = digits[k] >= '1' && digits[k] <= '9';
    parts.textPart = std::string(content.substr(close + 1));
    return parts;
}

}  // namespace lumitag
