#pragma once
// IdServices over a running program's session: the registry and the frames
// go through the service layer, which reports failures itself.

#include "ids/IdServices.h"

namespace lumitag::service {
class Session;
}

namespace lumitag::ids {

class SessionIdServices : public IdServices {
    Q_OBJECT
public:
    explicit SessionIdServices(service::Session& session, QObject* parent = nullptr);

    Reporter& Messages() override;
    const IdRegistry& Registry() override;
    void Add(const service::IdAddPlan& plan) override;
    void Rename(const service::IdRenamePlan& plan) override;
    std::vector<service::LegacyIdEntry> LegacyIds() override;

    bool DeviceOpen() override;
    void RequestIdRead() override;
    bool ChangeId(int oldId, int newId) override;

protected:
    bool StartJob(const std::vector<int>& ids, GroupMode mode) override;
    bool JobRunning() override;

private:
    service::Session& session_;
};

}  // namespace lumitag::ids
