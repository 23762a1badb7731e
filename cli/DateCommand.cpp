// `date`: a slot's date item, as the date editor stores it.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/Composer.h"
#include "render/content/ContentString.h"
#include "render/content/RtfWriter.h"

namespace lumitag::cli {
namespace {

// The six parts in the order of the token's digits.
constexpr std::string_view kParts[] = {"year", "month", "day", "weekday", "time", "seconds"};
constexpr std::string_view kDefaultFlags = "000011";

constexpr OptionSpec kOptions[] = {
    kModelOption,
    kProjectOption,
    {"flags", "DIGITS", "the six digits Y M D W T S as 0 or 1 (default 000011)"},
    {"year", "", "show the year"},
    {"month", "", "show the month"},
    {"day", "", "show the day"},
    {"weekday", "", "show the weekday"},
    {"time", "", "show hours and minutes"},
    {"seconds", "", "show the seconds (with --time)"},
    kFaceOption,
    kSizeOption,
    kColourOption,
    kBoldOption,
    kItalicOption,
    kUnderlineOption,
};

std::string Flags(const Arguments& args)
{
    std::string flags;
    for (auto part : kParts) flags += args.Has(part) ? '1' : '0';
    if (flags != "000000") {
        if (args.Has("flags")) throw BadInput("give either --flags or the part options");
        return flags;
    }
    const std::string given = args.Value("flags").value_or(std::string(kDefaultFlags));
    if (given.size() != 6 || given.find_first_not_of("01") != std::string::npos)
        throw BadInput("--flags takes six digits 0 or 1, for example 000011");
    return given;
}

// The default height of the date editor's text.
int DefaultTwips(int rows)
{
    if (rows == 7) return 140;
    return rows == 16 ? 320 : 240;
}

class DateCommand : public Command {
public:
    std::string_view Name() const override { return "date"; }
    std::string_view Synopsis() const override { return "[options] SLOT [TEXT]"; }
    std::string_view Summary() const override { return "set a slot to a live date/time item with a text"; }
    std::span<const OptionSpec> Options() const override { return kOptions; }
    std::string Details() const override
    {
        return "Only models with a clock offer date items. 7-row models store the text as\n"
               "plain ASCII (trimmed), all others as formatted text. The slot is marked\n"
               "for sending.\n";
    }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 1, 2);
        const int slot = ParseSlot(args.Positional()[0]);
        const std::string text = args.Positional().size() > 1 ? args.Positional()[1] : std::string();
        const std::string flags = Flags(args);
        ComposeTarget target;
        OpenComposeTarget(context, args, target);
        CheckSlotShown(target, slot);
        if (!target.settings.hasClock)
            throw BadInput("model " + (target.model.empty() ? std::string("(none)") : target.model) +
                           " has no clock: date items are not offered");

        std::string content = std::string(kDatePrefix) + flags + "]";
        if (target.settings.rows == 7) {
            for (unsigned char c : text)
                if (c >= 127 || (c < 32 && c != '\n' && c != '\r'))
                    throw BadInput("7-row models take printable ASCII text only");
            const std::string line = TrimmedLine(text);
            if (line.size() > kTextLimit) throw BadInput("the text is over the limit of 255 characters");
            content += std::string(kGlyphTextPrefix) + line;
        } else {
            const CharFormat defaults{DefaultFace(target.model), DefaultTwips(target.settings.rows), 0x0000FFFF};
            FormattedText formatted;
            AppendLines(formatted, text, FormatFromOptions(args, defaults));
            if (CharacterCount(text) > kTextLimit) throw BadInput("the text is over the limit of 255 characters");
            content += WriteRtf(formatted);
        }
        StoreEditorResult(target, slot, content, false, kKindDate);
        std::printf("slot %d: %s\n", slot + 1, content.c_str());
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeDateCommand() { return std::make_unique<DateCommand>(); }

}  // namespace lumitag::cli
