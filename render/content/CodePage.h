#pragma once
// Windows code pages of RTF documents and fonts, decoded through iconv.

#include <iconv.h>

#include <map>
#include <string>
#include <string_view>

namespace lumitag {

inline constexpr int kCodePageWestern = 1252;

// The code page of an RTF font character set (\fcharset); `documentCodePage`
// for the default character set and for unknown ones.
int CodePageOfCharset(int charset, int documentCodePage);

// Decodes 8-bit text in Windows code pages. Conversion descriptors are opened
// on first use and kept for the decoder's lifetime.
class CodePageDecoder {
public:
    CodePageDecoder() = default;
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;
    ~CodePageDecoder();

    // Bytes that are not valid in the code page become U+FFFD each; an
    // unknown code page decodes as Windows-1252.
    std::u32string Decode(int codePage, std::string_view bytes);

private:
    iconv_t Converter(int codePage);

    std::map<int, iconv_t> converters_;
};

}  // namespace lumitag
