#include "render/content/CodePage.h"

#include <cerrno>
#include <cstdint>

namespace lumitag {

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

const char* IconvName(int codePage)
{
    switch (codePage) {
    case 437: return "CP437";
    case 850: return "CP850";
    case 874: return "CP874";
    case 932: return "CP932";
    case 936: return "CP936";
    case 949: return "CP949";
    case 950: return "CP950";
    case 1250: return "CP1250";
    case 1251: return "CP1251";
    case 1252: return "CP1252";
    case 1253: return "CP1253";
    case 1254: return "CP1254";
    case 1255: return "CP1255";
    case 1256: return "CP1256";
    case 1257: return "CP1257";
    case 1258: return "CP1258";
    case 1361: return "JOHAB";
    case 10000: return "MACINTOSH";
    case 20936: return "GB2312";
    case 54936: return "GB18030";
    case 65001: return "UTF-8";
    default: return nullptr;
    }
}

char32_t FromUtf32Le(const unsigned char* bytes)
{
    return static_cast<char32_t>(bytes[0]) | static_cast<char32_t>(bytes[1]) << 8 |
           static_cast<char32_t>(bytes[2]) << 16 | static_cast<char32_t>(bytes[3]) << 24;
}

}  // namespace

int CodePageOfCharset(int charset, int documentCodePage)
{
    switch (charset) {
    case 0: return 1252;      // ANSI
    case 77: return 10000;    // Mac Roman
    case 128: return 932;     // Shift-JIS
    case 129: return 949;     // Korean (Wansung)
    case 130: return 1361;    // Korean (Johab)
    case 134: return 936;     // Simplified Chinese, GBK
    case 136: return 950;     // Traditional Chinese, Big5
    case 161: return 1253;    // Greek
    case 162: return 1254;    // Turkish
    case 163: return 1258;    // Vietnamese
    case 177: return 1255;    // Hebrew
    case 178: return 1256;    // Arabic
    case 186: return 1257;    // Baltic
    case 204: return 1251;    // Cyrillic
    case 222: return 874;     // Thai
    case 238: return 1250;    // Central European
    case 254: return 437;     // PC 437
    case 255: return 850;     // OEM
    default: return documentCodePage;  // 1 (default), 2 (symbol) and the rest
    }
}

CodePageDecoder::~CodePageDecoder()
{
    for (auto& [codePage, converter] : converters_)
        if (converter != kNoConverter) iconv_close(converter);
}

iconv_t CodePageDecoder::Converter(int codePage)
{
    auto it = converters_.find(codePage);
    if (it == converters_.end()) {
        const char* name = IconvName(codePage);
        it = converters_.emplace(codePage, name ? iconv_open("UTF-32LE", name) : kNoConverter).first;
    }
    // Code pages iconv does not know are read as Windows-1252.
    if (it->second == kNoConverter && codePage != kCodePageWestern) return Converter(kCodePageWestern);
    return it->second;
}

std::u32string CodePageDecoder::Decode(int codePage, std::string_view bytes)
{
    std::u32string out;
    iconv_t converter = Converter(codePage);
    if (converter == kNoConverter) {
        // No iconv support at all: read the bytes as Latin-1.
        for (char byte : bytes) out += static_cast<unsigned char>(byte);
        return out;
    }
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    unsigned char buffer[256];
    while (inLeft > 0) {
        char* outPtr = reinterpret_cast<char*>(buffer);
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
        const std::size_t produced = sizeof buffer - outLeft;
        for (std::size_t i = 0; i + 4 <= produced; i += 4) out += FromUtf32Le(buffer + i);
        if (result != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL (a lead byte without its trail byte): one
        // replacement for the bad byte, then carry on after it.
        out += U'\uFFFD';
        ++in;
        --inLeft;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
    // Code pages with combining marks (1255, 1258) hold the last character
    // back until the conversion is told the input has ended.
    char* outPtr = reinterpret_cast<char*>(buffer);
    std::size_t outLeft = sizeof buffer;
    iconv(converter, nullptr, nullptr, &outPtr, &outLeft);
    for (std::size_t i = 0; i + 4 <= sizeof buffer - outLeft; i += 4) out += FromUtf32Le(buffer + i);
    return out;
}

}  // namespace lumitag
