// `open`: File > Open, copying a project file over the current work file.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "service/ProgramCommands.h"

namespace lumitag::cli {
namespace {

class OpenCommand : public Command {
public:
    std::string_view Name() const override { return "open"; }
    std::string_view Synopsis() const override { return "FILE"; }
    std::string_view Summary() const override { return "copy a project file (*.led) in as the current ID's program"; }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 1, 1);
        const std::filesystem::path path = std::filesystem::absolute(args.Positional()[0]);
        Check(service::CheckProjectFile(path));
        context.LoadProgram(Arguments());
        Check(service::ProgramCommands(context.Session()).Open(path));
        std::printf("%s opened as %s\n", path.c_str(), context.Session().Program().ProjectPath().c_str());
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeOpenCommand() { return std::make_unique<OpenCommand>(); }

}  // namespace lumitag::cli
