#pragma once
// A small command-line parser: "--name value", "--name=value", flags, and
// positional arguments; "--" ends the options. Each command declares its
// options, so an unknown or incomplete option is a usage error.

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumitag::cli {

struct OptionSpec {
    std::string_view name;   // without the leading "--"
    std::string_view value;  // the value's name in the help ("" for a flag)
    std::string_view help;
    bool repeatable = false;
};

class Arguments {
public:
    // Parses `args` against `specs`; "-h" and "--help" are always known.
    // Throws CliError (BadInput) on an unknown option or a missing value.
    static Arguments Parse(std::span<const std::string> args, std::span<const OptionSpec> specs);

    bool Help() const { return help_; }
    bool Has(std::string_view name) const;
    // The value of an option given once (the last one when given again).
    std::optional<std::string> Value(std::string_view name) const;
    std::vector<std::string> Values(std::string_view name) const;
    const std::vector<std::string>& Positional() const { return positional_; }

    // Integer helpers: the whole text must be a decimal number within the
    // range, otherwise a usage error naming the option.
    std::optional<int> Int(std::string_view name, int low, int high) const;

private:
    bool help_ = false;
    std::map<std::string, std::vector<std::string>, std::less<>> values_;
    std::vector<std::string> positional_;
};

// `text` as a whole decimal number within [low, high], else nothing.
std::optional<int> ParseInt(std::string_view text, int low, int high);
// The same, with a usage error naming `what` on failure.
int RequireInt(std::string_view text, int low, int high, std::string_view what);

}  // namespace lumitag::cli
