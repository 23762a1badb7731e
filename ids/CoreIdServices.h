#pragma once
// IdServices over the core objects themselves: the registry, the settings,
// a send worker on a link. For tests (a fake link on a virtual clock) and
// the screen tool; the program uses the session's services.

#include <string>

#include "ids/IdServices.h"
#include "link/HidLink.h"
#include "link/PackedImage.h"
#include "model/GroupStore.h"
#include "model/SettingsStore.h"
#include "model/SlotParamTable.h"

namespace lumitag::ids {

class CoreIdServices : public IdServices {
    Q_OBJECT
public:
    // A group send sends `params` and `tables`, built before the dialog opens.
    CoreIdServices(GroupStore& store, SettingsStore& settings, SendWorker& worker, HidLink& link, Reporter& reporter,
                   std::string model, SlotParamTable params = {}, PackedTables tables = {});

    Reporter& Messages() override { return reporter_; }
    const IdRegistry& Registry() override { return store_; }
    void Add(const service::IdAddPlan& plan) override;
    void Rename(const service::IdRenamePlan& plan) override;
    std::vector<service::LegacyIdEntry> LegacyIds() override;

    bool DeviceOpen() override { return link_.IsConnected(); }
    void RequestIdRead() override;
    bool ChangeId(int oldId, int newId) override;

protected:
    bool StartJob(const std::vector<int>& ids, GroupMode mode) override;
    bool JobRunning() override { return worker_.IsBusy(); }

private:
    GroupStore& store_;
    SettingsStore& settings_;
    SendWorker& worker_;
    HidLink& link_;
    Reporter& reporter_;
    std::string model_;
    SlotParamTable params_;
    PackedTables tables_;
};

}  // namespace lumitag::ids
