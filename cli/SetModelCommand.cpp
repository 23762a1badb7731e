// `set-model`: the model selector.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/ProgramFileCommands.h"

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
        const DeviceModel* model = FindModelIgnoringCase(args.Positional()[0]);
        if (!model) throw BadInput("unknown model \"" + args.Positional()[0] + "\" (see `lumitag-cli models`)");
        WorkProgram work(context);
        const auto change = work.files.ChangeModel(model->name);
        if (context.Settings().GetLedType() != model->name)
            throw BadInput("cannot write the settings " + context.Settings().Path().string());
        const char* what = change == ProgramFiles::ModelChange::Reset     ? "program reset to the model's default"
                           : change == ProgramFiles::ModelChange::Kept    ? "program kept (same model group)"
                                                                           : "unchanged";
        std::printf("model %.*s: %s\n", static_cast<int>(model->name.size()), model->name.data(), what);
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeSetModelCommand() { return std::make_unique<SetModelCommand>(); }

}  // namespace lumitag::cli
