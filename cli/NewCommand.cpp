// `new`: File > New.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "service/ProgramCommands.h"

namespace lumitag::cli {
namespace {

constexpr OptionSpec kOptions[] = {{"yes", "", "answer the question \"New File？\" with yes"}};

class NewCommand : public Command {
public:
    std::string_view Name() const override { return "new"; }
    std::string_view Summary() const override { return "reset the current ID's program to the model's default"; }
    std::span<const OptionSpec> Options() const override { return kOptions; }
    std::string Details() const override
    {
        return "Asks first, on a terminal; without one only --yes goes ahead.\n";
    }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 0, 0);
        context.Reporter().SetAssumeYes(args.Has("yes"));
        context.LoadProgram(Arguments());
        if (!Check(service::ProgramCommands(context.Session()).New()))
            throw BadInput("nothing changed (--yes answers the question)");
        std::printf("new program in %s\n", context.Session().Program().ProjectPath().c_str());
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeNewCommand() { return std::make_unique<NewCommand>(); }

}  // namespace lumitag::cli
