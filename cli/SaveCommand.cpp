// `save`: File > Save, copying the current work file out.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/OutputFile.h"
#include "l10n/InlineTexts.h"
#include "service/ProgramCommands.h"

namespace lumitag::cli {
namespace {

class SaveCommand : public Command {
public:
    std::string_view Name() const override { return "save"; }
    std::string_view Synopsis() const override { return "FILE"; }
    std::string_view Summary() const override { return "copy the current ID's program to a project file"; }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 1, 1);
        const std::filesystem::path path = CheckOutputPath(args.Positional()[0]);
        context.LoadProgram(Arguments());
        if (!service::ProgramCommands(context.Session()).SaveAs(path))
            throw BadInput(std::string(fixed_texts::kCannotWrite) + ": " + path.string());
        std::printf("saved to %s\n", path.c_str());
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeSaveCommand() { return std::make_unique<SaveCommand>(); }

}  // namespace lumitag::cli
