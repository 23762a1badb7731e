#include "cli/Arguments.h"

#include <algorithm>
#include <cctype>

#include "cli/ExitCode.h"
#include "model/AsciiText.h"

namespace lumitag::cli {

Arguments Arguments::Parse(std::span<const std::string> args, std::span<const OptionSpec> specs)
{
    Arguments parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // "-3" is a number that the command checks and words (an ID out of
        // range), not an option.
        const bool negativeNumber = arg.size() >= 2 && arg[0] == '-' && std::isdigit(static_cast<unsigned char>(arg[1]));
        if (optionsEnded || arg.size() < 2 || arg[0] != '-' || arg == "-" || negativeNumber) {
            parsed.positional_.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            parsed.help_ = true;
            continue;
        }
        if (arg[1] != '-') throw BadInput("unknown option " + arg);
        std::string name = arg.substr(2);
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        const auto spec = std::find_if(specs.begin(), specs.end(), [&](const OptionSpec& s) { return s.name == name; });
        if (spec == specs.end()) throw BadInput("unknown option --" + name);
        auto& slot = parsed.values_[name];
        if (!spec->repeatable && !slot.empty()) throw BadInput("--" + name + " given twice");
        if (spec->value.empty()) {
            if (inlineValue) throw BadInput("--" + name + " takes no value");
            slot.emplace_back();
            continue;
        }
        if (inlineValue) {
            slot.push_back(*inlineValue);
        } else if (i + 1 < args.size()) {
            slot.push_back(args[++i]);
        } else {
            throw BadInput("--" + name + " needs a value (" + std::string(spec->value) + ")");
        }
    }
    return parsed;
}

bool Arguments::Has(std::string_view name) const { return values_.find(name) != values_.end(); }

std::optional<std::string> Arguments::Value(std::string_view name) const
{
    const auto it = values_.find(name);
    if (it == values_.end() || it->second.empty()) return std::nullopt;
    return it->second.back();
}

std::vector<std::string> Arguments::Values(std::string_view name) const
{
    const auto it = values_.find(name);
    return it == values_.end() ? std::vector<std::string>{} : it->second;
}

std::optional<int> Arguments::Int(std::string_view name, int low, int high) const
{
    const auto text = Value(name);
    if (!text) return std::nullopt;
    return RequireInt(*text, low, high, "--" + std::string(name));
}

std::optional<int> ParseInt(std::string_view text, int low, int high) { return ParseWholeNumber(text, low, high); }

int RequireInt(std::string_view text, int low, int high, std::string_view what)
{
    if (const auto value = ParseInt(text, low, high)) return *value;
    throw BadInput(std::string(what) + " must be a whole number from " + std::to_string(low) + " to " +
                   std::to_string(high) + ", not \"" + std::string(text) + "\"");
}

}  // namespace lumitag::cli
