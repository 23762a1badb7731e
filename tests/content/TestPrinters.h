#pragma once
// Readable failure messages for the content types.

#include <ostream>

#include "render/content/FormattedText.h"
#include "render/content/GlyphText.h"
#include "render/content/TextRun.h"

namespace lumitag {

inline void PrintTo(const TextRun& run, std::ostream* os)
{
    *os << "{\"" << run.text << "\", \"" << run.face << "\", " << run.height << ", 0x" << std::hex << run.colour
        << std::dec << ", b" << run.bold << " i" << run.italic << " u" << run.underline << "}";
}

inline void PrintTo(const CharFormat& format, std::ostream* os)
{
    *os << "{\"" << format.face << "\", " << format.twips << " twips, 0x" << std::hex << format.colour << std::dec
        << (format.bold ? " bold" : "") << (format.italic ? " italic" : "") << (format.underline ? " underline" : "")
        << "}";
}

inline void PrintTo(const GlyphItem& item, std::ostream* os)
{
    if (item.isSymbol)
        *os << "symbol " << item.symbol;
    else
        *os << "U+" << std::hex << static_cast<std::uint32_t>(item.character) << std::dec;
}

}  // namespace lumitag
