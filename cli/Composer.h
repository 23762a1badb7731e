#pragma once
// What the composing commands share: the slot argument, the formatting
// options of the text editors, and typed text turned into formatted text.
// The rules of the editors themselves are the slot-editing service's.

#include <string_view>

#include "cli/Arguments.h"
#include "render/content/FormattedText.h"

namespace lumitag::cli {

// "1".."10" on the command line, the top row first; 0..9 inside.
int ParseSlot(std::string_view text);

// A colour by name or by its list index 0..8 (bad input otherwise).
std::uint32_t ParseColour(std::string_view text);

// Options of the formatted-text editors.
inline constexpr OptionSpec kFaceOption{"face", "NAME", "font face (default Arial)"};
inline constexpr OptionSpec kSizeOption{"size", "PT", "font size in points, 6..20 (default: the model's rows)"};
inline constexpr OptionSpec kColourOption{"colour", "NAME",
                                          "red, green, yellow, green-yellow-red, red-green-yellow, green-red-yellow,\n"
                                          "                          yellow-red-green, red-yellow-green, yellow-green-red (default yellow)"};
inline constexpr OptionSpec kBoldOption{"bold", "", "bold"};
inline constexpr OptionSpec kItalicOption{"italic", "", "italic"};
inline constexpr OptionSpec kUnderlineOption{"underline", "", "underline"};

// The character format the options give, starting from `defaults`.
CharFormat FormatFromOptions(const Arguments& args, CharFormat defaults);

// Appends the lines of `text` as paragraphs in `format`.
void AppendLines(FormattedText& formatted, std::string_view text, const CharFormat& format);

}  // namespace lumitag::cli
