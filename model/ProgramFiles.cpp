#include "model/ProgramFiles.h"

#include <string>
#include <system_error>

#include "model/DefaultProjects.h"
#include "model/DeviceCatalogue.h"
#include "model/Reporter.h"
#include "model/SettingsStore.h"
#include "model/SignProgram.h"
#include "model/WorkFiles.h"

namespace lumitag {

ProgramFiles::ProgramFiles(SignProgram& program, SettingsStore& settings) : program_(program), settings_(settings) {}

std::filesystem::path ProgramFiles::CurrentWorkFile() { return WorkFilePath(settings_.GetNowSelID()); }

std::filesystem::path ProgramFiles::EnsureWorkFile(int id, bool overwrite)
{
    return lumitag::EnsureWorkFile(id, overwrite, settings_.GetLedType());
}

bool ProgramFiles::StartUp()
{
    const auto path = CurrentWorkFile();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        std::filesystem::create_directories(path.parent_path(), ec);  // a failure shows as an empty program
        ExtractResource(path, kDefaultProject);
    }
    return program_.LoadProgram(path);
}

bool ProgramFiles::New(Reporter& reporter)
{
    if (!reporter.Ask(std::string(kNewFileQuestion))) return false;
    return program_.LoadProgram(EnsureWorkFile(settings_.GetNowSelID(), true));
}

bool ProgramFiles::Open(const ChooseFile& choose)
{
    program_.SaveParams();
    const auto chosen = choose();
    if (!chosen) return false;
    const auto target = program_.ProjectPath();
    if (target.empty() || !CopyProgramFile(*chosen, target)) return false;
    // Without this the rows would keep the previous program's parameters and
    // the next save would write them over the opened project's own.
    program_.LoadProgram(target);
    return true;
}

bool ProgramFiles::Save(const ChooseFile& choose)
{
    program_.SaveParams();
    const auto chosen = choose();
    if (!chosen) return false;
    program_.SaveParams();
    const auto source = program_.ProjectPath();
    return !source.empty() && CopyProgramFile(source, *chosen);
}

ProgramFiles::PasteResult ProgramFiles::Paste(int target)
{
    if (!copySource_ || *copySource_ == target) return PasteResult::Nothing;
    if (!CopyProgramFile(WorkFilePath(*copySource_), WorkFilePath(target))) return PasteResult::Failed;
    if (target != settings_.GetNowSelID()) return PasteResult::Pasted;
    program_.LoadProgram(WorkFilePath(target));
    return PasteResult::PastedOnCurrent;
}

bool ProgramFiles::SelectId(int id)
{
    program_.SaveParams();
    settings_.SetNowSelID(id);
    return program_.LoadProgram(EnsureWorkFile(id, false));
}

ProgramFiles::ModelChange ProgramFiles::ChangeModel(std::string_view model)
{
    const std::string old = settings_.GetLedType();
    if (old == model) return ModelChange::Unchanged;
    settings_.SetLedType(model);
    if (SameGroup(old, model)) return ModelChange::Kept;
    // The new name is passed on rather than read back, so a settings file
    // that could not be written does not pick the old model's project.
    program_.LoadProgram(lumitag::EnsureWorkFile(settings_.GetNowSelID(), true, model));
    return ModelChange::Reset;
}

bool ProgramFiles::LoadIdProgram(int id) { return program_.LoadProgram(WorkFilePath(id)); }

bool ProgramFiles::ReloadCurrent() { return program_.LoadProgram(CurrentWorkFile()); }

}  // namespace lumitag
