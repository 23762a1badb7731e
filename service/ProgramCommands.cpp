#include "service/ProgramCommands.h"

#include "model/IdRecords.h"
#include "model/SignProgram.h"
#include "model/WorkFiles.h"
#include "service/Session.h"

namespace lumitag::service {
namespace {

Error CannotWrite(const std::filesystem::path& path)
{
    return MakeError(ErrorCode::FileWrite, "cannot write " + path.string());
}

}  // namespace

ProgramCommands::ProgramCommands(Session& session) : session_(session) {}

Result<bool> ProgramCommands::New()
{
    if (!session_.reporter().Ask(std::string(kNewFileQuestion))) return false;
    const auto path = WorkFilePath(session_.CurrentId());
    if (!ExtractResource(path, DefaultProjectResource(session_.ModelName()))) return CannotWrite(path);
    if (!session_.Program().LoadProgram(path))
        return MakeError(ErrorCode::FileRead, "cannot read the work file " + path.string());
    return true;
}

Status ProgramCommands::Open(const std::filesystem::path& project)
{
    const auto path = std::filesystem::absolute(project);
    if (Status checked = CheckProjectFile(path); !checked) return checked;
    if (!session_.Files().Open([&] { return std::optional(path); }))
        return MakeError(ErrorCode::FileWrite,
                         "cannot copy " + path.string() + " to " + session_.Program().ProjectPath().string());
    return {};
}

Status ProgramCommands::SaveAs(const std::filesystem::path& path)
{
    if (!session_.Files().Save([&] { return std::optional(path); })) return CannotWrite(path);
    return {};
}

Status ProgramCommands::SaveParams()
{
    if (session_.Program().SaveParams()) return {};
    return CannotWrite(session_.Program().ProjectPath());
}

Status ProgramCommands::SelectId(int id)
{
    if (id < kFirstId || id > kLastId)
        return MakeError(ErrorCode::BadInput, "sign IDs are 1..255, not " + std::to_string(id));
    session_.Program().SaveParams();  // the program being left; it may be unreadable
    if (!session_.Settings().SetNowSelID(id)) return CannotWrite(session_.Settings().Path());
    session_.SetSignId(id);
    const auto path = session_.Files().EnsureWorkFile(id, false);
    if (!session_.Program().LoadProgram(path))
        return MakeError(ErrorCode::FileRead, "cannot read the work file of ID " + std::to_string(id));
    return {};
}

Result<ProgramFiles::ModelChange> ProgramCommands::SetModel(std::string_view model)
{
    const DeviceModel* row = FindModelIgnoringCase(model);
    if (!row)
        return MakeError(ErrorCode::BadInput, "unknown model \"" + std::string(model) + "\" (see `lumitag-cli models`)");
    const auto change = session_.Files().ChangeModel(row->name);
    if (session_.Settings().GetLedType() != row->name) return CannotWrite(session_.Settings().Path());
    return change;
}

void ProgramCommands::Copy(int id) { session_.Files().Copy(id); }

Result<ProgramFiles::PasteResult> ProgramCommands::Paste(int target)
{
    const auto result = session_.Files().Paste(target);
    if (result == ProgramFiles::PasteResult::Failed) return CannotWrite(WorkFilePath(target));
    return result;
}

}  // namespace lumitag::service
