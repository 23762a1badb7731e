#pragma once
// The content string of a message slot: its five forms, told apart by an
// exact, case-sensitive prefix, and what parsing each form yields.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/content/GlyphText.h"
#include "render/content/TextRun.h"

namespace lumitag {

enum class ContentForm { RichText, GlyphText, GlyphCodes, DateItem, ImageList };

inline constexpr std::string_view kRichTextPrefix = "{\\rtf";
inline constexpr std::string_view kGlyphTextPrefix = "[ASCII]";
inline constexpr std::string_view kGlyphCodesPrefix = "[DASCII]";
inline constexpr std::string_view kDatePrefix = "[DATE_";
inline constexpr std::string_view kSymbolTokenPrefix = "[GIF_";
inline constexpr std::size_t kSymbolTokenLength = 9;

// Glyph code layout: character + 2048 x colour + 8192 x font.
inline constexpr std::uint32_t GlyphCharacter(std::uint32_t code) { return code & 0x7FF; }
inline constexpr std::uint32_t GlyphColour(std::uint32_t code) { return (code >> 11) & 0x3; }
inline constexpr std::uint32_t GlyphFont(std::uint32_t code) { return code >> 13; }
inline constexpr std::uint32_t MakeGlyphCode(std::uint32_t character, std::uint32_t colour, std::uint32_t font)
{
    return character + 2048 * colour + 8192 * font;
}

// The date and time parts a date item shows, in the order of its flags.
enum class DatePart { Year = 0, Month, Day, Weekday, Time, Seconds };

// Parse results of one preview window. Parsing refreshes only the results of
// the form just parsed; the others keep what an earlier content left, and
// every reader chooses its input by `form`.
struct ContentParse {
    std::string content;                   // the string last parsed (UTF-8)
    ContentForm form = ContentForm::ImageList;
    std::vector<TextRun> runs;             // rich text; date item with a rich text part
    std::string payload;                   // glyph text, glyph codes, date item with glyph text: body, trailing blanks removed
    std::vector<GlyphItem> glyphItems;     // tokens of the glyph text payload; the two glyph path lists are built from them
    std::vector<std::uint32_t> glyphCodes; // glyph codes
    std::string dateFlags;                 // date item: normally six characters
    int dateTextIsRich = 1;                // date item: 1 rich text part, 0 glyph text part
    std::vector<std::string> imagePaths;   // image list
    int hasSecondFrame = 0;                // reset by every parse; set by glyph text with a symbol (the rich text drawing sets it too)
};

ContentForm DetectContentForm(std::string_view content);

// Parses `content` into `parse` (see ContentParse for what is refreshed).
void ParseContent(std::string_view content, ContentParse& parse);

// Whether a date item's flags show `part`: its flag character read as a
// decimal digit is non-zero. Missing flags show nothing.
bool DateFlagShown(std::string_view flags, DatePart part);

// Removes trailing white space (ASCII blanks, tabs and line ends).
std::string_view TrimTrailingSpace(std::string_view text);

}  // namespace lumitag
