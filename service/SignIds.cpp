#include "service/SignIds.h"

#include <algorithm>

#include "link/Frames.h"
#include "link/SendWorker.h"
#include "model/AsciiText.h"
#include "model/GroupStore.h"
#include "model/WorkFiles.h"
#include "service/Session.h"

namespace lumitag::service {
namespace {

Error BadInput(std::string message) { return MakeError(ErrorCode::BadInput, std::move(message)); }

bool RegistryId(int id) { return id >= kFirstId && id <= kLastId; }

Status CheckRegistryId(int id)
{
    if (RegistryId(id)) return {};
    return BadInput("sign IDs in the list are 1..255, not " + std::to_string(id));
}

void SetBit(std::uint32_t& mask, int bit, bool on)
{
    if (on)
        mask |= 1u << bit;
    else
        mask &= ~(1u << bit);
}

}  // namespace

Result<std::vector<int>> ParseIdList(std::string_view text)
{
    std::vector<int> ids;
    while (!text.empty()) {
        const auto comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        const auto dash = item.find('-', 1);
        const auto first = ParseWholeNumber(item.substr(0, dash), 1, 256);
        const auto last = dash == std::string_view::npos ? first : ParseWholeNumber(item.substr(dash + 1), first.value_or(1), 256);
        if (!first || !last)
            return BadInput("a sign ID must be a whole number from 1 to 256 (or a range like 3-7), not \"" +
                            std::string(item) + "\"");
        for (int id = *first; id <= *last; ++id) ids.push_back(id);
        if (ids.size() > static_cast<std::size_t>(kMaxGroupIds)) return BadInput("more than 512 sign IDs");
    }
    if (ids.empty()) return BadInput("no sign ID given");
    return ids;
}

int LeadingNumber(std::string_view text)
{
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') break;
        value = std::min<long long>(value * 10 + (c - '0'), 1'000'000);
    }
    return static_cast<int>(value);
}

std::vector<int> SelectedIds(const IdRegistry& registry)
{
    std::vector<int> ids;
    for (int id = kFirstId; id <= kLastId; ++id)
        if (registry.IsSelectedForSend(id)) ids.push_back(id);
    return ids;
}

std::vector<int> MainListIds(const IdRegistry& registry)
{
    std::vector<int> ids;
    for (int id = kFirstId; id <= kLastId; ++id)
        if (registry.IdInMainList(id)) ids.push_back(id);
    return ids;
}

std::string IdRowText(const IdRegistry& registry, int id)
{
    const std::string name = RegistryId(id) ? registry.records[static_cast<std::size_t>(id)].name : std::string();
    return std::to_string(id) + "." + name;
}

SignIdRegistry::SignIdRegistry(Session& session) : session_(session) {}

const IdRegistry& SignIdRegistry::Records() { return session_.Ids(); }

Status SignIdRegistry::Change(const std::function<void(IdRegistry&)>& change)
{
    GroupStore& store = session_.Ids();
    if (store.Change(change)) return {};
    return MakeError(ErrorCode::FileWrite, "cannot write the ID list " + store.Path().string());
}

Status SignIdRegistry::Add(int id, std::string_view name)
{
    if (name.empty()) return BadInput("Name is empty!");
    if (Status valid = CheckRegistryId(id); !valid) return valid;
    const auto add = [&](IdRegistry& registry) {
        IdRecord& record = registry.records[static_cast<std::size_t>(id)];
        record.name = CutToNameLimit(name);
        record.groups = 1;
        record.checks = 1;
    };
    if (Status saved = Change(add); !saved) return saved;
    // An added ID starts from the model's default program, also when it was
    // registered before.
    if (!ExtractResource(WorkFilePath(id), DefaultProjectResource(session_.ModelName())))
        return MakeError(ErrorCode::FileWrite, "cannot write the work file " + WorkFilePath(id).string());
    return {};
}

Status SignIdRegistry::AddRange(int first, int last)
{
    if (first >= last) return BadInput("ID2 > ID1 !");
    if (Status valid = CheckRegistryId(first); !valid) return valid;
    if (Status valid = CheckRegistryId(last); !valid) return valid;
    const auto add = [&](IdRegistry& registry) {
        for (int id = first; id <= last; ++id) {
            IdRecord& record = registry.records[static_cast<std::size_t>(id)];
            record.name = std::string(kAutoAddName);
            record.groups = 1;
            record.checks = 1;
        }
    };
    // One write for the whole range.
    if (Status saved = Change(add); !saved) return saved;
    for (int id = first; id <= last; ++id)
        if (!ExtractResource(WorkFilePath(id), DefaultProjectResource(session_.ModelName())))
            return MakeError(ErrorCode::FileWrite, "cannot write the work file " + WorkFilePath(id).string());
    return {};
}

Status SignIdRegistry::Rename(int id, std::string_view name)
{
    // The program's own spelling.
    if (name.empty()) return BadInput("Name is emtpy!");
    if (Status valid = CheckRegistryId(id); !valid) return valid;
    return Change([&](IdRegistry& registry) { registry.records[static_cast<std::size_t>(id)].name = CutToNameLimit(name); });
}

Status SignIdRegistry::Remove(int id)
{
    if (Status valid = CheckRegistryId(id); !valid) return valid;
    return Change([&](IdRegistry& registry) { registry.records[static_cast<std::size_t>(id)].groups = 0; });
}

Status SignIdRegistry::SetChecked(int id, bool checked, int group)
{
    if (Status valid = CheckRegistryId(id); !valid) return valid;
    if (group < 0 || group > kGroupCount) return BadInput("groups are 0..12");
    SetBit(session_.Ids().records[static_cast<std::size_t>(id)].checks, group, checked);
    return {};
}

Status SignIdRegistry::SetGroupChecked(int group, bool checked)
{
    if (group < 0 || group > kGroupCount) return BadInput("groups are 0..12");
    IdRegistry& registry = session_.Ids();
    SetBit(registry.groupChecks, group, checked);
    for (int id = kFirstId; id <= kLastId; ++id) SetBit(registry.records[static_cast<std::size_t>(id)].checks, group, checked);
    return {};
}

std::filesystem::path SignIdRegistry::EnsureWorkFile(int id, bool overwrite)
{
    return lumitag::EnsureWorkFile(id, overwrite, session_.ModelName());
}

Status SignIdRegistry::SaveIdList()
{
    GroupStore& store = session_.Ids();
    if (store.SaveIdList()) return {};
    return MakeError(ErrorCode::FileWrite, "cannot write the ID list " + store.Path().string());
}

}  // namespace lumitag::service
