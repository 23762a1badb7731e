#include "model/GroupStore.h"

#include <string>

#include "model/FileAccess.h"
#include "model/ProgramFolder.h"

namespace lumitag {
namespace {

constexpr std::string_view kSection = "IDLIST";

std::string GroupNameKey(int group) { return "GROUP" + std::to_string(group) + "NAME"; }
std::string NameKey(int id) { return "LEDID" + std::to_string(id); }
std::string CheckKey(int id) { return NameKey(id) + "_CHECK"; }
std::string GroupKey(int id) { return NameKey(id) + "_GROUP"; }

// Masks travel through the file as signed decimal ("%d"): bit 31 reads back.
std::uint32_t AsMask(int value) { return static_cast<std::uint32_t>(value); }
int AsInt(std::uint32_t mask) { return static_cast<int>(mask); }

// A name is one value on one line of the file: a CR LF inside it would end
// the line and let the rest of the name pose as keys of its own.
std::string StoredName(std::string_view name)
{
    std::string text(name);
    for (auto at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 2);
    return CutToNameLimit(text);
}

}  // namespace

std::filesystem::path IdListFilePath() { return ProgramFolder() / "WorkData" / "IDLIST.id"; }

GroupStore::GroupStore() : GroupStore(IdListFilePath()) {}

GroupStore::GroupStore(std::filesystem::path path) : file_(std::move(path)) {}

bool GroupStore::LoadIdList()
{
    if (!file_.Load()) return false;
    groupChecks = AsMask(file_.GetInt(kSection, "GROUP_CHECK"));
    for (int g = 1; g <= kGroupCount; ++g) groupNames[g] = CutToNameLimit(file_.GetString(kSection, GroupNameKey(g)));
    for (int id = kFirstId; id <= kLastId; ++id) {
        auto& record = records[id];
        record.name = CutToNameLimit(file_.GetString(kSection, NameKey(id)));
        record.checks = AsMask(file_.GetInt(kSection, CheckKey(id)));
        record.groups = AsMask(file_.GetInt(kSection, GroupKey(id)));
        record.scanState = 0;
    }
    return true;
}

bool GroupStore::Change(const std::function<void(IdRegistry&)>& change)
{
    FolderLock lock(file_.Path().parent_path());
    LoadIdList();
    change(*this);
    return SaveIdList();
}

bool GroupStore::SaveIdList()
{
    FolderLock lock(file_.Path().parent_path());
    file_.PutInt(kSection, "GROUP_CHECK", AsInt(groupChecks), true);
    for (int g = 1; g <= kGroupCount; ++g)
        file_.PutString(kSection, GroupNameKey(g), StoredName(groupNames[g]), true);
    for (int id = kFirstId; id <= kLastId; ++id) {
        const auto& record = records[id];
        file_.PutString(kSection, NameKey(id), StoredName(record.name), true);
        file_.PutInt(kSection, CheckKey(id), AsInt(record.checks), true);
        file_.PutInt(kSection, GroupKey(id), AsInt(record.groups), true);
    }
    return file_.Save();
}

}  // namespace lumitag
