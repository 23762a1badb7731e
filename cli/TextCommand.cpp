// `text`: a slot's text, as the text editor (or, on the bitmap-font models,
// the bitmap-font editor) stores it when closed with OK.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/Composer.h"
#include "render/content/ContentString.h"
#include "render/content/RtfReader.h"
#include "render/content/RtfWriter.h"

namespace lumitag::cli {
namespace {

constexpr int kMaxSymbol = 97;
constexpr int kFirstRowBSymbol = 32;
constexpr std::size_t kMaxGlyphCodes = 8000;

// The seven bitmap fonts, by their index in a glyph code.
constexpr std::string_view kBitmapFonts[] = {"7x6", "7x9", "7x11", "7x17", "Small", "5x6", "5x11"};

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

std::string SymbolToken(int number)
{
    char token[16];
    std::snprintf(token, sizeof token, "[GIF_%03d]", number);
    return token;
}

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
        ComposeTarget target;
        OpenComposeTarget(context, args, target);
        CheckSlotShown(target, slot);
        const std::string existing = args.Has("append") ? target.program.GetContent(slot) : std::string();

        std::string content;
        bool empty = false;
        if (UsesBitmapFontEditor(target.model))
            content = BitmapFontText(args, existing, text, empty);
        else if (target.settings.rows == 7)
            content = GlyphText(args, target.model, existing, text, empty);
        else
            content = RichText(args, target, existing, text, empty);
        StoreEditorResult(target, slot, content, empty, kKindText);
        std::printf("slot %d: %s\n", slot + 1, empty ? "empty text" : content.c_str());
        return ExitCode::Success;
    }

private:
    static std::vector<int> Symbols(const Arguments& args, bool rowA, bool rowB)
    {
        std::vector<int> symbols;
        for (const auto& value : args.Values("symbol")) {
            const int number = RequireInt(value, 0, kMaxSymbol, "--symbol");
            if (!(number < kFirstRowBSymbol ? rowA : rowB))
                throw BadInput("symbol " + value + " is not offered for this model (see --help)");
            symbols.push_back(number);
        }
        return symbols;
    }

    static void CheckLength(std::size_t count)
    {
        if (count > kTextLimit) throw BadInput("the text is over the limit of 255 characters");
    }

    // 7-row models: "[ASCII]" and the trimmed text.
    static std::string GlyphText(const Arguments& args, std::string_view model, std::string_view existing,
                                 const std::string& text, bool& empty)
    {
        if (args.Has("font")) throw BadInput("--font is for the bitmap-font models Q07..Q13");
        for (unsigned char c : text)
            if (c >= 127 || (c < 32 && c != '\n' && c != '\r'))
                throw BadInput("7-row models take printable ASCII text only");
        std::string body = existing.starts_with(kGlyphTextPrefix) ? std::string(existing.substr(7)) : std::string();
        body += text;
        for (int symbol : Symbols(args, !PackingOf(model).glyphCodes, true)) body += SymbolToken(symbol);
        body = TrimmedLine(body);
        CheckLength(body.size());
        empty = body.empty();
        return std::string(kGlyphTextPrefix) + body;
    }

    // Q07..Q13: "[DASCII]" and one "%d," per glyph code.
    static std::string BitmapFontText(const Arguments& args, std::string_view existing, const std::string& text,
                                      bool& empty)
    {
        int font = 0;
        if (const auto name = args.Value("font")) {
            const auto it = std::find(std::begin(kBitmapFonts), std::end(kBitmapFonts), *name);
            if (it == std::end(kBitmapFonts)) throw BadInput("unknown bitmap font \"" + *name + "\" (see --help)");
            font = static_cast<int>(it - std::begin(kBitmapFonts));
        }
        int colour = 0;
        if (const auto name = args.Value("colour")) {
            const std::uint32_t code = ParseColour(*name);
            const auto colours = TextColours();
            const auto it = std::find_if(colours.begin(), colours.begin() + 3,
                                         [&](const NamedColour& c) { return c.code == code; });
            if (it == colours.begin() + 3) throw BadInput("bitmap fonts come in red, green or yellow");
            colour = static_cast<int>(it - colours.begin());
        }
        std::vector<std::uint32_t> codes;
        if (existing.starts_with(kGlyphCodesPrefix)) {
            ContentParse parse;
            ParseContent(existing, parse);
            codes = parse.glyphCodes;
        }
        for (unsigned char c : text) {
            if (c == '\n' || c == '\r') continue;
            if (c < 32 || c >= 127) throw BadInput("bitmap fonts take printable ASCII text only");
            codes.push_back(MakeGlyphCode(c, colour, font));
        }
        // The symbol pictures insert the characters after ASCII.
        for (int symbol : Symbols(args, false, true)) codes.push_back(MakeGlyphCode(96 + symbol, colour, font));
        if (codes.size() > kMaxGlyphCodes) throw BadInput("over 8000 glyphs");
        std::string content(kGlyphCodesPrefix);
        for (auto code : codes) content += std::to_string(code) + ",";
        empty = codes.empty();
        return content;
    }

    // Every other model: the formatted text as RTF.
    static std::string RichText(const Arguments& args, const ComposeTarget& target, const std::string& existing,
                                const std::string& text, bool& empty)
    {
        if (args.Has("font")) throw BadInput("--font is for the bitmap-font models Q07..Q13");
        CharFormat defaults{DefaultFace(target.model), target.settings.rows * 20, 0x0000FFFF};
        FormattedText formatted;
        if (existing.starts_with(kRichTextPrefix))
            formatted = ReadRtf(existing).text;
        else if (existing.starts_with(kGlyphTextPrefix))
            formatted.Append(std::string_view(existing).substr(7), defaults);
        const CharFormat format = FormatFromOptions(args, defaults);
        AppendLines(formatted, text, format);
        for (int symbol : Symbols(args, true, false)) formatted.Append(SymbolToken(symbol), format);
        std::string plain;
        for (char c : formatted.PlainText())
            if (c != '\r' && c != '\n') plain.push_back(c);
        CheckLength(CharacterCount(plain));
        empty = TrimmedLine(plain).empty();
        return WriteRtf(formatted);
    }

};

}  // namespace

std::unique_ptr<Command> MakeTextCommand() { return std::make_unique<TextCommand>(); }

}  // namespace lumitag::cli
