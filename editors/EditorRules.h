#pragma once
// The per-model choices the content editors make when they open, and the
// fixed lists they offer. Pure functions of the model name, so they are
// tested without a window.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "render/content/FormattedText.h"

namespace lumitag::editors {

// The nine colours of the colour lists (0x00BBGGRR): red, green, yellow, then
// six codes the rasteriser draws as three horizontal bands.
inline constexpr std::array<std::uint32_t, 9> kTextColours = {
    0x000000FF, 0x0000FF00, 0x0000FFFF, 0x00FF00FF, 0x00FFFF00,
    0x00FF9600, 0x00FF0096, 0x000096FF, 0x0000E9A0,
};
// The bitmap-font editor offers the first three.
inline constexpr int kGlyphColourCount = 3;

// The seven bitmap fonts, by their index in a glyph code.
inline constexpr std::array<std::string_view, 7> kBitmapFonts = {"7x6", "7x9", "7x11", "7x17", "Small", "5x6", "5x11"};

// What a model's rows need: 7-row models take plain ASCII text.
struct EditorModel {
    std::string name;
    int rows = 16;
    int pageWidth = 0;
    int pagePitch = 0;
    bool asciiOnly = false;    // "[ASCII]" text, no formatting controls, no input method
    bool symbolRowA = true;    // animation symbols 0..31
    bool symbolRowsB = false;  // symbols 32..97 of the 7-row signs
};
EditorModel EditorModelOf(std::string_view model);

// The default character format of the text editor's rich edit.
CharFormat TextEditorDefaultFormat(std::string_view model);
// The default character format of the date editor's rich edit.
CharFormat DateEditorDefaultFormat(std::string_view model);

// The token a symbol picture inserts: "[GIF_%03d]".
std::string SymbolToken(int number);

// The text editors' limit, and the room a symbol token needs below it: a
// token goes in only while the text (line ends removed) is shorter than this.
inline constexpr int kTextLimit = 255;
inline constexpr int kSymbolRoomLimit = 248;

// `text` with every CR LF pair removed (the editors' character count).
std::u32string WithoutLineBreaks(std::u32string_view text);
// The same, trimmed of white space at both ends.
std::u32string TrimmedWithoutLineBreaks(std::u32string_view text);

// A date item as the date editor opens it: the six switches (year, month,
// day, weekday, time, seconds) and the text part after the token's "]".
struct DateItem {
    std::array<bool, 6> switches{};
    std::string text;
};
// The default switches of a new date item: time and seconds.
inline constexpr std::array<bool, 6> kDefaultDateSwitches = {false, false, false, false, true, true};
// False when `content` is no date item (no "[DATE_" prefix). A
// missing or non-digit flag character is off; without "]" nothing is read.
bool ReadDateItem(std::string_view content, DateItem& item);
// "[DATE_" and the six digits and "]".
std::string DateToken(const std::array<bool, 6>& switches);
// The six digits as the renderer reads them ("000011").
std::string DateFlags(const std::array<bool, 6>& switches);

}  // namespace lumitag::editors
