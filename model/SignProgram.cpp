#include "model/SignProgram.h"

#include <cerrno>
#include <cstdio>

#include "model/FileAccess.h"
#include "model/Log.h"
#include "model/Reporter.h"

namespace lumitag {
namespace {

std::string SlotKey(const char* prefix, int slot)
{
    char key[32];
    std::snprintf(key, sizeof key, "%s_%02d", prefix, slot);
    return key;
}

bool IsBlank(const std::filesystem::path& path)
{
    return path.native().find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

std::string ParamKey(int slot) { return SlotKey("PARA", slot); }
std::string ContentKey(int slot) { return SlotKey("DATA", slot); }

std::string RemoveLineBreaks(std::string_view content)
{
    std::string out;
    out.reserve(content.size());
    for (const char c : content) {
        if (c == '\n' && !out.empty() && out.back() == '\r')
            out.pop_back();
        else
            out += c;
    }
    return out;
}

void SignProgram::SetReporter(Reporter* reporter)
{
    reporter_ = reporter;
    file_.SetReporter(reporter);
}

bool SignProgram::CanWrite()
{
    if (IsBlank(file_.Path())) return false;
    if (unreadable_) {
        Log(LogLevel::Error, "Not overwriting " + file_.Path().string() + ", which could not be read");
        if (reporter_) reporter_->Message(MessageKind::Error, "Open failed");
        return false;
    }
    return true;
}

bool SignProgram::WriteChange(const std::function<void()>& change)
{
    if (!CanWrite()) return false;
    FolderLock lock(file_.Path().parent_path());
    // Another process may have written the file since it was read here: its
    // keys are merged in first, so this write keeps them.
    if (!file_.Load() && file_.LoadResult().error != ENOENT) {
        unreadable_ = true;
        return CanWrite();
    }
    change();
    return file_.Save();
}

void SignProgram::RefreshParamsExcept(int keep)
{
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (slot != keep) ParseParams(file_.GetString(kProgramSection, ParamKey(slot)), slot);
}

bool SignProgram::SaveParams()
{
    return WriteChange([this] {
        for (int slot = 0; slot < kSlotCount; ++slot)
            file_.PutString(kProgramSection, ParamKey(slot), FormatParams(slot));
    });
}

bool SignProgram::SaveSlot(int slot, std::string_view content)
{
    return WriteChange([&] {
        RefreshParamsExcept(slot);
        file_.PutString(kProgramSection, ContentKey(slot), RemoveLineBreaks(content));
        file_.PutString(kProgramSection, ParamKey(slot), FormatParams(slot));
    });
}

bool SignProgram::SaveSlotParams(int slot)
{
    return WriteChange([&] {
        RefreshParamsExcept(slot);
        file_.PutString(kProgramSection, ParamKey(slot), FormatParams(slot));
    });
}

bool SignProgram::LoadProgram(const std::filesystem::path& path)
{
    params_.Clear();
    file_.SetPath(path);
    const bool read = file_.Load();
    // A missing file is a new program; any other failure guards the file.
    unreadable_ = !read && file_.LoadResult().error != ENOENT;
    if (!read) return false;
    for (int slot = 0; slot < kSlotCount; ++slot) ParseParams(file_.GetString(kProgramSection, ParamKey(slot)), slot);
    return true;
}

bool SignProgram::PutContent(int slot, std::string_view content)
{
    return WriteChange([&] { file_.PutString(kProgramSection, ContentKey(slot), RemoveLineBreaks(content)); });
}

std::string SignProgram::GetContent(int slot)
{
    if (!file_.Load()) return {};
    return file_.GetString(kProgramSection, ContentKey(slot));
}

}  // namespace lumitag
