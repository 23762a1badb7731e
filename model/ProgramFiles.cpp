#include "model/ProgramFiles.h"

#include <charconv>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "model/DefaultProjects.h"
#include "model/DeviceCatalogue.h"
#include "model/FileAccess.h"
#include "model/Log.h"
#include "model/Reporter.h"
#include "model/SettingsStore.h"
#include "model/SignProgram.h"
#include "model/WorkFiles.h"

namespace lumitag {
namespace {

constexpr const char* kJournalName = "ModelChange.journal";
constexpr std::uintmax_t kJournalLimit = 4096;
constexpr std::size_t kMaxModelName = 64;

struct JournalEntry {
    std::string model;
    int id = 0;
};

// "model=NAME\nid=N\n", ASCII; nothing for anything else.
std::optional<JournalEntry> ParseJournal(const std::string& text)
{
    JournalEntry entry;
    bool haveModel = false, haveId = false;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        if (end == std::string::npos) return std::nullopt;  // cut short
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.rfind("model=", 0) == 0) {
            entry.model = line.substr(6);
            haveModel = !entry.model.empty() && entry.model.size() <= kMaxModelName;
        } else if (line.rfind("id=", 0) == 0) {
            const std::string digits = line.substr(3);
            const char* first = digits.data();
            const auto [ptr, ec] = std::from_chars(first, first + digits.size(), entry.id);
            haveId = ec == std::errc{} && ptr == first + digits.size() && !digits.empty();
        }
    }
    if (!haveModel || !haveId) return std::nullopt;
    return entry;
}

bool WriteModelChangeJournal(const std::filesystem::path& workData, std::string_view model, int id)
{
    const std::string text = "model=" + std::string(model) + "\nid=" + std::to_string(id) + "\n";
    return static_cast<bool>(WriteFileAtomically(workData / kJournalName,
                                                 {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}));
}

// The steps after the journal, each safe to repeat: the work file first, the
// settings second, the journal last.
bool FinishModelChange(const std::filesystem::path& workData, std::string_view model, int id)
{
    const auto workFile = workData / (std::to_string(id) + ".led");
    bool ok = ExtractResource(workFile, DefaultProjectResource(model));
    ok = SettingsStore(workData / "System.set").SetLedType(model) && ok;
    if (ok) ok = static_cast<bool>(RemoveFile(workData / kJournalName));
    return ok;
}

}  // namespace

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
    if (SameGroup(old, model)) {
        settings_.SetLedType(model);
        return ModelChange::Kept;
    }
    const int id = settings_.GetNowSelID();
    const auto workData = settings_.Path().parent_path();
    {
        FolderLock lock(workData);
        if (!WriteModelChangeJournal(workData, model, id))
            Log(LogLevel::Warning, "The model change journal could not be written; changing without it");
        FinishModelChange(workData, model, id);
    }
    // The new name is passed on rather than read back, so a settings file
    // that could not be written does not pick the old model's project.
    program_.LoadProgram(WorkFilePath(id));
    return ModelChange::Reset;
}

std::filesystem::path ModelChangeJournalPath(const std::filesystem::path& programFolder)
{
    return programFolder / "WorkData" / kJournalName;
}

bool RecoverInterruptedChanges(const std::filesystem::path& programFolder)
{
    const auto workData = programFolder / "WorkData";
    const auto journal = workData / kJournalName;
    std::error_code ec;
    if (!std::filesystem::exists(journal, ec)) return true;
    FolderLock lock(workData);
    std::vector<std::uint8_t> bytes;
    if (!ReadFileBytes(journal, bytes, kJournalLimit)) {
        if (!std::filesystem::exists(journal, ec)) return true;  // finished meanwhile
        Log(LogLevel::Warning, "Removing an unreadable model change journal");
        return static_cast<bool>(RemoveFile(journal));
    }
    const auto change = ParseJournal(std::string(bytes.begin(), bytes.end()));
    if (!change) {
        // The journal is written atomically before any other file, so a
        // damaged one means a change that never began: drop it.
        Log(LogLevel::Warning, "Removing a damaged model change journal");
        return static_cast<bool>(RemoveFile(journal));
    }
    Log(LogLevel::Info, "Completing an interrupted change to model " + change->model);
    return FinishModelChange(workData, change->model, change->id);
}

bool ProgramFiles::LoadIdProgram(int id) { return program_.LoadProgram(WorkFilePath(id)); }

bool ProgramFiles::ReloadCurrent() { return program_.LoadProgram(CurrentWorkFile()); }

}  // namespace lumitag
