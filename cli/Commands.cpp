#include "cli/Command.h"
#include "cli/CommandList.h"

namespace lumitag::cli {

std::vector<std::unique_ptr<Command>>& Commands()
{
    static auto commands = [] {
        std::vector<std::unique_ptr<Command>> list;
        for (auto make : {MakeModelsCommand, MakeDevicesCommand, MakeSendCommand, MakePreviewCommand,
                          MakeShowCommand, MakeTextCommand, MakeImageCommand, MakeDateCommand, MakeSlotCommand,
                          MakeClockCommand, MakeScanCommand, MakePowerCommand, MakeIdReadCommand,
                          MakeIdChangeCommand, MakeGroupSendCommand, MakeNewCommand, MakeOpenCommand,
                          MakeSaveCommand, MakeSelectIdCommand, MakeSetModelCommand, MakeLanguageCommand})
            list.push_back(make());
        return list;
    }();
    return commands;
}

}  // namespace lumitag::cli
