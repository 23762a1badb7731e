#pragma once
// Conversions between the UTF-8 strings of the core API and the encodings of
// the files the program reads and writes.
//
// A UTF-16 code unit that is a lone surrogate has no UTF-8 form; it is carried
// through as the three-byte sequence of its code point (as WTF-8 does), so a
// file read and saved again keeps it unit for unit.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumitag {

// What becomes of a surrogate code point when it is written as UTF-8: text
// from UTF-16 files keeps it in its three-byte form (as WTF-8), so a file
// read and saved again keeps every unit; text meant for display replaces it
// with U+FFFD. Values past U+10FFFF always become U+FFFD.
enum class SurrogatePolicy { Keep, Replace };

// Appends the UTF-8 form of `ch` to `out`.
void AppendUtf8(std::string& out, char32_t ch, SurrogatePolicy policy);

// UTF-16 code units to UTF-8; lone surrogates as three-byte sequences.
std::string Utf16ToUtf8(std::u16string_view text);

// UTF-8 to UTF-16 code units. Three-byte surrogate sequences give back the
// lone unit; any other byte that is not part of a valid sequence gives U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

// Whether `bytes` is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view bytes);

// UTF-8 where valid; every ill-formed part becomes one U+FFFD.
std::string SanitizeUtf8(std::string_view bytes);

// Windows-1252 to UTF-8. The five bytes that code page leaves undefined
// (81, 8D, 8F, 90, 9D) become the C1 controls of the same value, so no byte
// is ever dropped.
std::string Windows1252ToUtf8(std::string_view bytes);

// Text of a file without a byte-order mark, in the system code page, which
// here is the locale's UTF-8: taken as UTF-8 when it is valid UTF-8, else as
// Windows-1252 (a file from a Western Windows machine).
std::string SystemCodePageToUtf8(std::string_view bytes);

// UTF-16 code units from little- or big-endian bytes; an odd last byte is not
// a code unit and is ignored.
std::u16string Utf16FromBytes(std::span<const std::uint8_t> bytes, bool bigEndian);

// UTF-8 text as little-endian UTF-16 bytes (no byte-order mark).
std::vector<std::uint8_t> Utf16LeBytes(std::string_view text);

}  // namespace lumitag
