#include "cli/Command.h"

#include <cstdio>

namespace lumitag::cli {

std::string Command::Help() const
{
    std::string text = "Usage: lumitag-cli [--home DIR] " + std::string(Name()) + " " + std::string(Synopsis()) +
                       "\n\n" + std::string(Summary()) + "\n";
    text += "\nOptions:\n";
    for (const auto& option : Options()) {
        std::string left = "  --" + std::string(option.name);
        if (!option.value.empty()) left += " " + std::string(option.value);
        if (left.size() < 26) left.resize(26, ' ');
        else left += "  ";
        text += left + std::string(option.help) + "\n";
    }
    text += "  -h, --help                show this help\n";
    if (const auto details = Details(); !details.empty()) text += "\n" + details;
    text += "\n";
    text += kExitCodeHelp;
    return text;
}

ExitCode Command::Execute(Context& context, std::span<const std::string> args)
{
    const Arguments parsed = Arguments::Parse(args, Options());
    if (parsed.Help()) {
        std::fputs(Help().c_str(), stdout);
        return ExitCode::Success;
    }
    return Run(context, parsed);
}

void Command::ExpectPositional(const Arguments& args, std::size_t low, std::size_t high) const
{
    const auto count = args.Positional().size();
    if (count < low || count > high)
        throw BadInput("usage: lumitag-cli " + std::string(Name()) + " " + std::string(Synopsis()) +
                       " (see --help)");
}

}  // namespace lumitag::cli
