#include "cli/Composer.h"

#include "cli/ExitCode.h"
#include "model/SlotParamTable.h"
#include "service/SlotEditing.h"

namespace lumitag::cli {

int ParseSlot(std::string_view text) { return RequireInt(text, 1, kSlotCount, "SLOT") - 1; }

std::uint32_t ParseColour(std::string_view text)
{
    if (const auto code = service::FindEditorColour(text)) return *code;
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
