// `select-id`: makes a sign ID current, as choosing it in the ID list does.

#include <cstdio>

#include "cli/Command.h"
#include "cli/CommandList.h"
#include "cli/ProgramFileCommands.h"
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
        WorkProgram work(context);
        if (!work.files.SelectId(id)) throw BadInput("cannot read the work file of ID " + std::to_string(id));
        std::printf("current ID %d: %s\n", id, work.program.ProjectPath().c_str());
        return ExitCode::Success;
    }
};

}  // namespace

std::unique_ptr<Command> MakeSelectIdCommand() { return std::make_unique<SelectIdCommand>(); }

}  // namespace lumitag::cli
