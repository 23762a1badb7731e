#include "cli/ProgramFileCommands.h"

#include "cli/ExitCode.h"

namespace lumitag::cli {

WorkProgram::WorkProgram(Context& context) : files(program, context.Settings())
{
    program.SetReporter(&context.Reporter());
    if (!files.StartUp()) throw BadInput("cannot read the work file " + program.ProjectPath().string());
}

}  // namespace lumitag::cli
