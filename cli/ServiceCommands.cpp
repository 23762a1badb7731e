#include "cli/ServiceCommands.h"

#include "cli/ExitCode.h"

namespace lumitag::cli {

const DeviceModel& RequireBusModel(Context& context, const Arguments& args)
{
    const DeviceModel& model = context.RequireModel(args);
    if (!model.busModel)
        throw BadInput("model " + std::string(model.name) + " is no bus model: group operations need Q26, Q27 or Q28");
    return model;
}

}  // namespace lumitag::cli
