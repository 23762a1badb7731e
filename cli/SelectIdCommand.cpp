// `select-id`: makes a sign ID current, as choosing it in the ID list does.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "service/ProgramCommands.h"
#include "model/IdRecords.h"

namespace lumitag::cli {
namespace {

class SelectIdCommand : public Command {
public:
    std::string_view Name() const override { return "select-id"; }
    std::string_view Synopsis() const override { return "ID"; }
    std::string_view Summary() const override { return "make sign ID 1..255 current (its work file is then edited)"; }

    ExitCode Run(Context& context, const Arguments& args) override
    {
        ExpectPositional(args, 1, 1);
        const int id = RequireInt(args.Positional()[0], kFirstId, kLastId, "ID");
        context.LoadProgram(Arguments());
        Check(service::ProgramCommands(context.Session()).SelectId(id));
        std::printf("current ID %d: %s\n", id, context.Session().Program().ProjectPath().c_str());
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeSelectIdCommand() { return std::make_unique<SelectIdCommand>(); }

}  // namespace lumitag::cli
