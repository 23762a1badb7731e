#pragma once
// What the composing commands share: the slot argument, the program they
// write into, the formatting options of the text editors, and storing a
// content string the way the main window does when an editor closes with OK.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cli/Arguments.h"
#include "cli/Context.h"
#include "render/content/FormattedText.h"

namespace lumitag::cli {

// Content kinds of a slot (the edit menu's items).
inline constexpr int kKindNone = 0;
inline constexpr int kKindText = 1;
inline constexpr int kKindImage = 2;
inline constexpr int kKindDate = 3;

// "1".."10" on the command line, the top row first; 0..9 inside.
int ParseSlot(std::string_view text);

// The nine colour codes of the text editors (0x00BBGGRR), by name.
struct NamedColour {
    std::string_view name;
    std::uint32_t code;
};
std::span<const NamedColour> TextColours();
// A colour by name or by its list index 0..8.
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

// The program a composing command writes: --project FILE or the current work
// file, with the model of the run.
struct ComposeTarget {
    SignProgram program;
    std::string model;
    ModelSettings settings;
};
void OpenComposeTarget(Context& context, const Arguments& args, ComposeTarget& target);
// Bad input for a slot the model's rows do not show (the main window hides
// rows past the model's message count, so they cannot be edited there).
void CheckSlotShown(const ComposeTarget& target, int slot);

// Stores the content an editor produced, as the main window does after OK
// from the edit menu: an empty content makes the slot an empty text slot;
// the slot's kind becomes `kind` and it is marked for sending.
void StoreEditorResult(ComposeTarget& target, int slot, const std::string& content, bool empty, int kind);

// Writes the parameters; bad input when the file cannot be written.
void SaveParams(SignProgram& program);

// `text` with every CR and LF removed and blanks trimmed at both ends.
std::string TrimmedLine(std::string_view text);

// The text of an editor with a text limit of 255 characters.
inline constexpr std::size_t kTextLimit = 255;
std::size_t CharacterCount(std::string_view utf8);

}  // namespace lumitag::cli

namespace lumitag::cli {

// The face of the formatted-text editors' default format for `model`.
std::string DefaultFace(std::string_view model);

// Appends the lines of `text` as paragraphs in `format`.
void AppendLines(FormattedText& formatted, std::string_view text, const CharFormat& format);

}  // namespace lumitag::cli
