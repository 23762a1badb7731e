#include "cli/Composer.h"

#include <algorithm>
#include <cctype>

#include "cli/ExitCode.h"
#include "cli/SendData.h"

namespace lumitag::cli {
namespace {

constexpr NamedColour kColours[] = {
    {"red", 0x000000FF},
    {"green", 0x0000FF00},
    {"yellow", 0x0000FFFF},
    {"green-yellow-red", 0x00FF00FF},
    {"red-green-yellow", 0x00FFFF00},
    {"green-red-yellow", 0x00FF9600},
    {"yellow-red-green", 0x00FF0096},
    {"red-yellow-green", 0x000096FF},
    {"yellow-green-red", 0x0000E9A0},
};

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

int ParseSlot(std::string_view text) { return RequireInt(text, 1, kSlotCount, "SLOT") - 1; }

std::span<const NamedColour> TextColours() { return kColours; }

std::uint32_t ParseColour(std::string_view text)
{
    for (const auto& colour : kColours)
        if (SameIgnoringCase(colour.name, text)) return colour.code;
    if (const auto index = ParseInt(text, 0, static_cast<int>(std::size(kColours)) - 1))
        return kColours[*index].code;
    throw BadInput("unknown colour \"" + std::string(text) + "\" (see --help)");
}

CharFormat FormatFromOptions(const Arguments& args, CharFormat format)
{
    if (const auto face = args.Value("face")) {
        if (face->empty()) throw BadInput("--face needs a font name");
        format.face = *face;
    }
    if (const auto size = args.Int("size", 6, 20)) format.twips = *size * 20;
    if (const auto colour = args.Value("colour")) format.colour = ParseColour(*colour);
    format.bold = args.Has("bold");
    format.italic = args.Has("italic");
    format.underline = args.Has("underline");
    return format;
}

void OpenComposeTarget(Context& context, const Arguments& args, ComposeTarget& target)
{
    target.model = context.ModelName(args);
    target.settings = SettingsOf(target.model);
    context.LoadProgram(args, target.program);
}

void CheckSlotShown(const ComposeTarget& target, int slot)
{
    if (slot < target.settings.slotCount) return;
    const std::string model = target.model.empty() ? std::string("(none)") : target.model;
    throw BadInput("slot " + std::to_string(slot + 1) + " is not shown by model " + model + ", which has " +
                   std::to_string(target.settings.slotCount) + " messages");
}

void SaveParams(SignProgram& program)
{
    if (!program.SaveParams()) throw BadInput("cannot write " + program.ProjectPath().string());
}

void StoreEditorResult(ComposeTarget& target, int slot, const std::string& content, bool empty, int kind)
{
    SignProgram& program = target.program;
    if (!program.PutContent(slot, empty ? std::string() : content))
        throw BadInput("cannot write " + program.ProjectPath().string());
    auto& params = program.Params();
    params.at(SlotField::kind, slot) = empty ? kKindText : kind;
    params.at(SlotField::send, slot) = 1;
    SaveParams(program);
}

std::string TrimmedLine(std::string_view text)
{
    std::string line;
    for (char c : text)
        if (c != '\r' && c != '\n') line.push_back(c);
    const auto isBlank = [](unsigned char c) { return std::isspace(c) != 0; };
    const auto first = std::find_if_not(line.begin(), line.end(), isBlank);
    const auto last = std::find_if_not(line.rbegin(), line.rend(), isBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

std::size_t CharacterCount(std::string_view utf8)
{
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace lumitag::cli

namespace lumitag::cli {

std::string DefaultFace(std::string_view model)
{
    // The two badges made for Chinese text default to a Chinese face.
    return model == "Q14" || model == "Q15" ? "MingLiU" : "Arial";
}

void AppendLines(FormattedText& formatted, std::string_view text, const CharFormat& format)
{
    std::size_t start = 0;
    for (;;) {
        const auto end = text.find('\n', start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        formatted.Append(line, format);
        if (end == std::string_view::npos) break;
        formatted.AppendParagraphMark(format);
        start = end + 1;
    }
}

}  // namespace lumitag::cli
