#include "render/GlyphCodePacker.h"

#include "render/content/GlyphText.h"

namespace lumitag {

std::vector<std::uint8_t> GlyphCodeBytes(std::string_view payload)
{
    std::vector<std::uint8_t> codes;
    for (const GlyphItem& item : TokeniseGlyphText(payload).items) {
        if (codes.size() == kMaxGlyphCodes) break;
        const std::uint64_t code =
            item.isSymbol ? 96 + static_cast<std::uint64_t>(item.symbol) : static_cast<std::uint64_t>(item.character);
        if (code <= kMaxGlyphCode) codes.push_back(static_cast<std::uint8_t>(code));
    }
    return codes;
}

void PackGlyphCodes(std::string_view payload, PackedImage& record)
{
    record.Clear();
    record.data = GlyphCodeBytes(payload);
    record.size = static_cast<int>(record.data.size());
}

}  // namespace lumitag
