#include "model/TextEncoding.h"

#include <iconv.h>

#include <bit>
#include <cerrno>
#include <cstring>
#include <memory>

namespace lumitag {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes one sequence at `i` and moves past it. An ill-formed sequence
// consumes its maximal valid prefix (at least one byte) and gives kInvalid.
// With `surrogates`, ED A0..BF xx (a surrogate code point) is accepted.
char32_t NextCodePoint(std::string_view s, std::size_t& i, bool surrogates)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i++);
    if (lead < 0x80) return lead;

    int length = 0;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED && !surrogates) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return kInvalid;
    }

    char32_t cp = lead & (0xFF >> (length + 1));
    for (int k = 1; k < length; ++k) {
        if (i >= s.size()) return kInvalid;
        const unsigned char c = byte(i);
        const unsigned char lo = k == 1 ? low : 0x80;
        const unsigned char hi = k == 1 ? high : 0xBF;
        if (c < lo || c > hi) return kInvalid;
        cp = (cp << 6) | (c & 0x3F);
        ++i;
    }
    return cp;
}

struct IconvCloser {
    void operator()(iconv_t cd) const { iconv_close(cd); }
};

}  // namespace

void AppendUtf8(std::string& out, char32_t ch, SurrogatePolicy policy)
{
    const bool surrogate = ch >= 0xD800 && ch <= 0xDFFF;
    if (ch > 0x10FFFF || (surrogate && policy == SurrogatePolicy::Replace)) ch = kReplacement;
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (ch >> 18));
        out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    // At most three bytes per unit (a pair of units gives four bytes).
    std::string out;
    out.reserve(text.size() * 3);
    const auto put = [&](char32_t cp) { AppendUtf8(out, cp, SurrogatePolicy::Keep); };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            put(0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            put(unit);  // BMP character or lone surrogate
        }
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view text)
{
    // Never more units than bytes.
    std::u16string out(text.size(), u'\0');
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {  // the common case
            out[n++] = static_cast<char16_t>(text[i++]);
            continue;
        }
        char32_t cp = NextCodePoint(text, i, true);
        if (cp == kInvalid) cp = kReplacement;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out[n++] = static_cast<char16_t>(0xD800 + (cp >> 10));
            out[n++] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out[n++] = static_cast<char16_t>(cp);
        }
    }
    out.resize(n);
    return out;
}

bool IsValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();)
        if (NextCodePoint(bytes, i, false) == kInvalid) return false;
    return true;
}

std::string SanitizeUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t start = i;
        const char32_t cp = NextCodePoint(bytes, i, false);
        if (cp == kInvalid)
            AppendUtf8(out, kReplacement, SurrogatePolicy::Keep);
        else
            out.append(bytes.substr(start, i - start));
    }
    return out;
}

std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 3);
    const iconv_t raw = iconv_open("UTF-8", "CP1252");
    if (raw == reinterpret_cast<iconv_t>(-1)) {
        // Without the converter, Latin-1 is the nearest lossless reading.
        for (const char c : bytes) AppendUtf8(out, static_cast<unsigned char>(c), SurrogatePolicy::Keep);
        return out;
    }
    const std::unique_ptr<void, IconvCloser> cd(raw);

    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(raw, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // An undefined byte: its C1 control of the same value.
            AppendUtf8(out, static_cast<unsigned char>(*in), SurrogatePolicy::Keep);
            ++in;
            --inLeft;
        }
    }
    return out;
}

std::string SystemCodePageToUtf8(std::string_view bytes)
{
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return Windows1252ToUtf8(bytes);
}

std::u16string Utf16FromBytes(std::span<const std::uint8_t> bytes, bool bigEndian)
{
    std::u16string out(bytes.size() / 2, u'\0');
    for (std::size_t k = 0; k < out.size(); ++k) {
        const unsigned first = bytes[2 * k], second = bytes[2 * k + 1];
        out[k] = static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return out;
}

std::vector<std::uint8_t> Utf16LeBytes(std::string_view text)
{
    const std::u16string units = Utf8ToUtf16(text);
    std::vector<std::uint8_t> out(units.size() * 2);
    // memcpy with the null data() of empty vectors is undefined even for no bytes.
    if (units.empty()) return out;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out.data(), units.data(), out.size());
        return out;
    }
    for (std::size_t k = 0; k < units.size(); ++k) {
        out[2 * k] = static_cast<std::uint8_t>(units[k] & 0xFF);
        out[2 * k + 1] = static_cast<std::uint8_t>(units[k] >> 8);
    }
    return out;
}

}  // namespace lumitag
