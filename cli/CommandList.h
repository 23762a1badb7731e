#pragma once
// The factories of the commands, one per source file.

#include <memory>

namespace lumitag::cli {

class Command;

std::unique_ptr<Command> MakeModelsCommand();
std::unique_ptr<Command> MakeDevicesCommand();
std::unique_ptr<Command> MakeSendCommand();
std::unique_ptr<Command> MakePreviewCommand();
std::unique_ptr<Command> MakeShowCommand();
std::unique_ptr<Command> MakeTextCommand();
std::unique_ptr<Command> MakeImageCommand();
std::unique_ptr<Command> MakeDateCommand();
std::unique_ptr<Command> MakeSlotCommand();
std::unique_ptr<Command> MakeClockCommand();
std::unique_ptr<Command> MakeScanCommand();
std::unique_ptr<Command> MakePowerCommand();
std::unique_ptr<Command> MakeIdReadCommand();
std::unique_ptr<Command> MakeIdChangeCommand();
std::unique_ptr<Command> MakeGroupSendCommand();
std::unique_ptr<Command> MakeNewCommand();
std::unique_ptr<Command> MakeOpenCommand();
std::unique_ptr<Command> MakeSaveCommand();
std::unique_ptr<Command> MakeSelectIdCommand();
std::unique_ptr<Command> MakeSetModelCommand();
std::unique_ptr<Command> MakeLanguageCommand();

}  // namespace lumitag::cli
