#include "service/IdEditing.h"

#include <algorithm>
#include <cstdio>

#include "link/SendWorker.h"
#include "model/GroupStore.h"
#include "model/IniFile.h"
#include "model/SettingsStore.h"
#include "model/WorkFiles.h"

namespace lumitag::service {
namespace {

// Far above any ID, yet far from overflowing while digits keep coming.
constexpr long long kReadCap = 1'000'000;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsRegistered(const IdRegistry& registry, int id) { return registry.records[id].groups != 0; }

// "5-7, 9, 12-13": consecutive IDs joined, so a range of 200 reads short.
std::string IdRuns(std::span<const int> ids)
{
    std::string out;
    for (std::size_t i = 0; i < ids.size();) {
        std::size_t end = i;
        while (end + 1 < ids.size() && ids[end + 1] == ids[end] + 1) ++end;
        if (!out.empty()) out += ", ";
        out += std::to_string(ids[i]);
        if (end > i) out += "-" + std::to_string(ids[end]);
        i = end + 1;
    }
    return out;
}

}  // namespace

int ReadIdText(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    long long value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        value = std::min(value * 10 + (text[at] - '0'), kReadCap);
    return static_cast<int>(value);
}

std::string_view IdEditMessage(IdEditError error)
{
    switch (error) {
    case IdEditError::None: return {};
    case IdEditError::IdOutOfRange: return kEditorIdRangeText;
    case IdEditError::RangeOrder: return kRangeOrderText;
    case IdEditError::EmptyName: return kNameEmptyText;
    case IdEditError::EmptyNameModify: return kNameEmptyModifyText;
    }
    return {};
}

MessageKind IdEditMessageKind(IdEditError error)
{
    return error == IdEditError::RangeOrder ? MessageKind::Warning : MessageKind::Info;
}

IdAddPlan PlanIdAdd(const IdRegistry& registry, const IdAddRequest& request)
{
    IdAddPlan plan;
    const int first = ReadIdText(request.firstText);
    const int last = request.lastText ? ReadIdText(*request.lastText) : first;
    if (!IsEditableId(first) || !IsEditableId(last)) {
        plan.error = IdEditError::IdOutOfRange;
        return plan;
    }
    if (request.lastText) {
        if (first >= last) {
            plan.error = IdEditError::RangeOrder;
            return plan;
        }
        plan.name = kDefaultIdName;
    } else {
        if (request.name.empty()) {
            plan.error = IdEditError::EmptyName;
            return plan;
        }
        plan.name = CutToNameLimit(request.name);
    }
    for (int id = first; id <= last; ++id) {
        plan.ids.push_back(id);
        if (IsRegistered(registry, id)) plan.registered.push_back(id);
    }
    return plan;
}

std::string ReplaceQuestion(std::span<const int> registered)
{
    if (registered.empty()) return {};
    if (registered.size() == 1)
        return "ID " + std::to_string(registered.front()) + " already exists. Replace its name and program?";
    return "IDs " + IdRuns(registered) + " already exist. Replace their names and programs?";
}

bool ApplyIdAdd(GroupStore& store, const IdAddPlan& plan, std::string_view model)
{
    if (plan.error != IdEditError::None || plan.ids.empty()) return false;
    for (int id : plan.ids) {
        auto& record = store.records[id];
        record.name = plan.name;
        record.groups = 1;
        record.checks = 1;
    }
    // One save for the whole range: a range is one change of the user's.
    const bool saved = store.SaveIdList();
    for (int id : plan.ids) EnsureWorkFile(id, true, model);
    return saved;
}

IdRenamePlan PlanIdRename(int id, std::string_view name)
{
    IdRenamePlan plan;
    plan.id = id;
    if (!IsEditableId(id)) {
        plan.error = IdEditError::IdOutOfRange;
    } else if (name.empty()) {
        plan.error = IdEditError::EmptyNameModify;
    } else {
        plan.name = CutToNameLimit(name);
    }
    return plan;
}

bool ApplyIdRename(GroupStore& store, const IdRenamePlan& plan)
{
    if (plan.error != IdEditError::None || !IsEditableId(plan.id)) return false;
    store.records[plan.id].name = plan.name;
    return store.SaveIdList();
}

IdChangeRequest ReadIdChange(std::string_view oldText, std::string_view newText)
{
    IdChangeRequest request;
    request.oldId = ReadIdText(oldText);
    request.newId = ReadIdText(newText);
    request.valid = IsValidSignId(request.oldId) && IsValidSignId(request.newId);
    return request;
}

std::vector<LegacyIdEntry> ParseLegacyIds(int count, std::string_view list,
                                          const std::function<std::string(int)>& nameOf)
{
    std::vector<LegacyIdEntry> entries;
    constexpr std::size_t kField = 4;
    for (int b = 0; b < count && static_cast<std::size_t>(b) * kField < list.size() &&
                    entries.size() < static_cast<std::size_t>(kMaxGroupIds);
         ++b) {
        const int id = ReadIdText(list.substr(static_cast<std::size_t>(b) * kField, kField));
        entries.push_back({id, std::to_string(id) + "." + nameOf(id)});
    }
    return entries;
}

std::vector<LegacyIdEntry> LegacyIdEntries(SettingsStore& settings)
{
    // One read of the file for the whole list: the store's getters read it
    // again for every key, which a list of 512 names would turn into 512
    // reads of a file that may be large.
    CIniFile file(settings.Path());
    if (!file.Load()) return {};
    const int count = file.GetInt("LEDData", "LEDID_Num");
    const std::string list = file.GetString("LEDData", "LEDID_Str");
    return ParseLegacyIds(count, list, [&file](int id) {
        return CutToNameLimit(file.GetString("LEDData", "LEDID" + std::to_string(id)));
    });
}

}  // namespace lumitag::service
