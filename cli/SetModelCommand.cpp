// `set-model`: the model selector.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "service/ProgramCommands.h"

namespace lumitag::cli {
namespace {

class SetModelCommand : public Command {
public:
    std::string_view Name() const override { return "set-model"; }
    std::string_view Synopsis() const override { return "NAME"; }
    std::string_view Summary() const override { return "store the model; another model group resets the program"; }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 1, 1);
        context.LoadProgram(Arguments());
        const auto change = Check(service::ProgramCommands(context.Session()).SetModel(args.Positional()[0]));
        const std::string model = context.Settings().GetLedType();
        const char* what = change == ProgramFiles::ModelChange::Reset     ? "program reset to the model's default"
                           : change == ProgramFiles::ModelChange::Kept    ? "program kept (same model group)"
                                                                           : "unchanged";
        std::printf("model %s: %s\n", model.c_str(), what);
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeSetModelCommand() { return std::make_unique<SetModelCommand>(); }

}  // namespace lumitag::cli
