#include "ids/CoreIdServices.h"

#include "link/Frames.h"

namespace lumitag::ids {

CoreIdServices::CoreIdServices(GroupStore& store, SettingsStore& settings, SendWorker& worker, HidLink& link,
                               Reporter& reporter, std::string model, SlotParamTable params, PackedTables tables)
    : store_(store),
      settings_(settings),
      worker_(worker),
      link_(link),
      reporter_(reporter),
      model_(std::move(model)),
      params_(std::move(params)),
      tables_(std::move(tables))
{
}

void CoreIdServices::Add(const service::IdAddPlan& plan) { service::ApplyIdAdd(store_, plan, model_); }

void CoreIdServices::Rename(const service::IdRenamePlan& plan) { service::ApplyIdRename(store_, plan); }

std::vector<service::LegacyIdEntry> CoreIdServices::LegacyIds() { return service::LegacyIdEntries(settings_); }

void CoreIdServices::RequestIdRead()
{
    if (link_.IsConnected()) worker_.RequestIdRead();
}

bool CoreIdServices::ChangeId(int oldId, int newId)
{
    // Written here rather than by the worker's ChangeId, which does not say
    // whether the reports went out.
    if (!link_.IsConnected() || !IsValidSignId(oldId) || !IsValidSignId(newId)) return false;
    return worker_.WriteFrame(IdChangeFrame(worker_.Settings().protocol, oldId, newId));
}

bool CoreIdServices::StartJob(const std::vector<int>& ids, GroupMode mode)
{
    return worker_.StartGroup(ids, mode, params_, tables_) == JobResult::Success;
}

}  // namespace lumitag::ids
