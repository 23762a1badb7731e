// `save`: File > Save, copying the current work file out.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/OutputFile.h"
#include "cli/ProgramFileCommands.h"
#include "l10n/InlineTexts.h"

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
        WorkProgram work(context);
        if (!work.files.Save([&] { return std::optional(path); }))
            throw BadInput(std::string(fixed_texts::kCannotWrite) + ": " + path.string());
        std::printf("saved to %s\n", path.c_str());
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeSaveCommand() { return std::make_unique<SaveCommand>(); }

}  // namespace lumitag::cli
