#pragma once
// One command of lumitag-cli: its name, what it does, its options, and Run.
// Every command answers --help from these, with the exit codes.

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Context.h"
#include "cli/ExitCode.h"

namespace lumitag::cli {

class Command {
public:
    virtual ~Command() = default;
    virtual std::string_view Name() const = 0;
    // "[options] SLOT TEXT": what follows the name in the usage line.
    virtual std::string_view Synopsis() const { return "[options]"; }
    virtual std::string_view Summary() const = 0;
    // More lines of help after the options (may be empty).
    virtual std::string Details() const { return {}; }
    virtual std::span<const OptionSpec> Options() const { return {}; }
    virtual ExitCode Run(Context& context, const Arguments& args) = 0;
    // False for a command that prints from built-in tables only: it runs
    // without the application object (platform, fonts) and without reading
    // the settings for the language, so it costs no more than the process.
    virtual bool NeedsApplication() const { return true; }

    // The full --help text.
    std::string Help() const;
    // Parses `args`, prints the help for -h/--help, else runs.
    ExitCode Execute(Context& context, std::span<const std::string> args);

protected:
    // Exactly `count` positional arguments, else a usage error.
    void ExpectPositional(const Arguments& args, std::size_t low, std::size_t high) const;
};

// Every command, in the order the general help lists them.
std::vector<std::unique_ptr<Command>>& Commands();

}  // namespace lumitag::cli
