// `date`: a slot's date item, as the date editor stores it.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/Composer.h"
#include "service/SlotEditing.h"

namespace lumitag::cli {
namespace {

// The six parts in the order of the token's digits.
constexpr std::string_view kParts[] = {"year", "month", "day", "weekday", "time", "seconds"};

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

service::DateFlags Flags(const Arguments& args)
{
    service::DateFlags flags{};
    bool any = false;
    for (std::size_t i = 0; i < flags.size(); ++i) any = (flags[i] = args.Has(kParts[i])) || any;
    if (any) {
        if (args.Has("flags")) throw BadInput("give either --flags or the part options");
        return flags;
    }
    const auto given = args.Value("flags");
    if (!given) return service::DefaultDateFlags();
    if (given->size() != flags.size() || given->find_first_not_of("01") != std::string::npos)
        throw BadInput("--flags takes six digits 0 or 1, for example 000011");
    for (std::size_t i = 0; i < flags.size(); ++i) flags[i] = (*given)[i] == '1';
    return flags;
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
        const service::DateFlags flags = Flags(args);
        context.ModelName(args);
        context.LoadProgram(args);
        service::SlotEditor editor(context.Session());
        FormattedText formatted;
        AppendLines(formatted, text, FormatFromOptions(args, editor.Rules().dateFormat));
        const std::string content = Check(editor.SetDateItem(slot, flags, text, formatted));
        std::printf("slot %d: %s\n", slot + 1, content.c_str());
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeDateCommand() { return std::make_unique<DateCommand>(); }

}  // namespace lumitag::cli
