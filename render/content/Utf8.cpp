#include "render/content/Utf8.h"

#include "model/TextEncoding.h"

namespace lumitag::utf8 {

void Append(std::string& out, char32_t ch) { AppendUtf8(out, ch, SurrogatePolicy::Replace); }

std::string Encode(std::u32string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char32_t ch : text) Append(out, ch);
    return out;
}

bool DecodeAt(std::string_view text, std::size_t& pos, char32_t& ch)
{
    if (pos >= text.size()) return false;
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        ch = lead;
        ++pos;
        return true;
    }
    int length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return false;
    }
    if (text.size() - pos < static_cast<std::size_t>(length)) return false;
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) return false;
        value = (value << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are not UTF-8.
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    ch = value;
    pos += length;
    return true;
}

std::u32string Decode(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t ch = 0;
        if (DecodeAt(text, pos, ch)) {
            out += ch;
        } else {
            out += kReplacement;
            ++pos;
        }
    }
    return out;
}

}  // namespace lumitag::utf8
