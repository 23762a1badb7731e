// `text`: a slot's text, as the text editor (or, on the bitmap-font models,
// the bitmap-font editor) stores it when closed with OK.

#include <algorithm>
#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/Composer.h"
#include "render/content/ContentString.h"
#include "render/content/ContentWriter.h"
#include "render/content/RtfReader.h"
#include "service/SlotEditing.h"

namespace lumitag::cli {
namespace {

using service::SlotEditor;
using service::TextEditorKind;

constexpr OptionSpec kOptions[] = {
    kModelOption,
    kProjectOption,
    kFaceOption,
    kSizeOption,
    kColourOption,
    kBoldOption,
    kItalicOption,
    kUnderlineOption,
    {"symbol", "N", "add animation symbol N after the text (repeatable)", true},
    {"font", "NAME", "bitmap-font models: 7x6, 7x9, 7x11, 7x17, Small, 5x6 or 5x11 (default 7x6)"},
    {"append", "", "add to the slot's text instead of replacing it"},
};

class TextCommand : public Command {
public:
    std::string_view Name() const override { return "text"; }
    std::string_view Synopsis() const override { return "[options] SLOT [TEXT]"; }
    std::string_view Summary() const override { return "set a slot's text (formatted text, glyph text or bitmap fonts)"; }
    std::span<const OptionSpec> Options() const override { return kOptions; }
    std::string Details() const override
    {
        return "SLOT is 1..10 from the top row. The model decides the form: 7-row models\n"
               "store plain ASCII text (line breaks dropped, blanks trimmed); Q07..Q13 store\n"
               "bitmap-font glyph codes (--font, and --colour red, green or yellow); all\n"
               "others store formatted text with the face, size, colour and style given.\n"
               "Symbols: 0..31 on models of 12 and 16 rows, 0..97 on Q01, Q02 and Q04,\n"
               "32..97 on Q03, Q05 and the bitmap-font models. An empty text leaves an\n"
               "empty text slot. The slot is marked for sending.\n";
    }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 1, 2);
        const int slot = ParseSlot(args.Positional()[0]);
        const std::string text = args.Positional().size() > 1 ? args.Positional()[1] : std::string();
        context.ModelName(args);
        context.LoadProgram(args);
        SlotEditor editor(context.Session());
        const service::ModelRules rules = editor.Rules();
        const std::string existing = args.Has("append") ? context.Session().Program().GetContent(slot) : std::string();
        if (args.Has("font") && rules.textEditor != TextEditorKind::BitmapFont)
            throw BadInput("--font is for the bitmap-font models Q07..Q13");

        std::string stored;
        switch (rules.textEditor) {
        case TextEditorKind::GlyphText: stored = GlyphText(editor, args, slot, existing, text); break;
        case TextEditorKind::BitmapFont: stored = BitmapFontText(editor, args, slot, existing, text); break;
        case TextEditorKind::RichText: stored = RichText(editor, args, rules, slot, existing, text); break;
        }
        std::printf("slot %d: %s\n", slot + 1, stored.empty() ? "empty text" : stored.c_str());
        return ExitCode::Success;
    }

private:
    static std::vector<int> Symbols(SlotEditor& editor, const Arguments& args)
    {
        std::vector<int> symbols;
        for (const auto& value : args.Values("symbol")) {
            const int number = RequireInt(value, 0, service::kSymbolCount - 1, "--symbol");
            Check(editor.SymbolFor(number));
            symbols.push_back(number);
        }
        return symbols;
    }

    // 7-row models: "[ASCII]" and the trimmed text.
    static std::string GlyphText(SlotEditor& editor, const Arguments& args, int slot, std::string_view existing,
                                 const std::string& text)
    {
        std::string body = existing.starts_with(kGlyphTextPrefix) ? std::string(existing.substr(kGlyphTextPrefix.size()))
                                                                   : std::string();
        body += text;
        for (const int symbol : Symbols(editor, args)) body += SymbolToken(symbol);
        return Check(editor.SetGlyphText(slot, body));
    }

    // Q07..Q13: one glyph code per character in the chosen font and colour.
    static std::string BitmapFontText(SlotEditor& editor, const Arguments& args, int slot, std::string_view existing,
                                      const std::string& text)
    {
        int font = 0;
        if (const auto name = args.Value("font")) {
            const auto fonts = service::BitmapFonts();
            const auto it = std::find(fonts.begin(), fonts.end(), *name);
            if (it == fonts.end()) throw BadInput("unknown bitmap font \"" + *name + "\" (see --help)");
            font = static_cast<int>(it - fonts.begin());
        }
        int colour = 0;
        if (const auto name = args.Value("colour")) {
            const auto index = service::EditorColourIndex(ParseColour(*name));
            if (!index || *index >= service::kBitmapFontColours)
                throw BadInput("bitmap fonts come in red, green or yellow");
            colour = *index;
        }
        std::vector<std::uint32_t> codes = GlyphCodesOf(existing);
        for (const unsigned char c : text) {
            if (c == '\n' || c == '\r') continue;
            if (c < 32 || c >= 127) throw BadInput("bitmap fonts take printable ASCII text only");
            codes.push_back(MakeGlyphCode(c, colour, font));
        }
        for (const int symbol : Symbols(editor, args))
            codes.push_back(MakeGlyphCode(service::kSymbolCharacterBase + symbol, colour, font));
        return Check(editor.SetGlyphCodes(slot, codes));
    }

    // Every other model: the formatted text as RTF.
    static std::string RichText(SlotEditor& editor, const Arguments& args, const service::ModelRules& rules, int slot,
                                const std::string& existing, const std::string& text)
    {
        FormattedText formatted;
        if (existing.starts_with(kRichTextPrefix))
            formatted = ReadRtf(existing).text;
        else if (existing.starts_with(kGlyphTextPrefix))
            formatted.Append(std::string_view(existing).substr(kGlyphTextPrefix.size()), rules.textFormat);
        const CharFormat format = FormatFromOptions(args, rules.textFormat);
        AppendLines(formatted, text, format);
        for (const int symbol : Symbols(editor, args)) formatted.Append(SymbolToken(symbol), format);
        return Check(editor.SetFormattedText(slot, formatted));
    }
};

}  // namespace

std::unique_ptr<Command> MakeTextCommand() { return std::make_unique<TextCommand>(); }

}  // namespace lumitag::cli
