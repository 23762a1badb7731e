#include "ids/SessionIdServices.h"

#include "service/Sending.h"
#include "service/Session.h"
#include "service/SignIds.h"

namespace lumitag::ids {
namespace {

// Shows a failure the user has not heard of yet: a declined question was the
// user's own answer.
void Show(Reporter& reporter, const service::Status& status)
{
    if (status.ok()) return;
    switch (status.code()) {
    case service::ErrorCode::WordLimitDeclined:
    case service::ErrorCode::PictureDeclined:
        return;
    default:
        if (!status.message().empty()) reporter.Message(MessageKind::Error, status.message());
    }
}

}  // namespace

SessionIdServices::SessionIdServices(service::Session& session, QObject* parent)
    : IdServices(parent), session_(session)
{
}

Reporter& SessionIdServices::Messages() { return session_.reporter(); }

const IdRegistry& SessionIdServices::Registry() { return session_.Ids(); }

void SessionIdServices::Add(const service::IdAddPlan& plan)
{
    service::SignIdRegistry registry(session_);
    const service::Status status = plan.ids.size() == 1 ? registry.Add(plan.ids.front(), plan.name)
                                                        : registry.AddRange(plan.ids.front(), plan.ids.back());
    Show(session_.reporter(), status);
}

void SessionIdServices::Rename(const service::IdRenamePlan& plan)
{
    Show(session_.reporter(), service::SignIdRegistry(session_).Rename(plan.id, plan.name));
}

std::vector<service::LegacyIdEntry> SessionIdServices::LegacyIds()
{
    return service::LegacyIdEntries(session_.Settings());
}

bool SessionIdServices::DeviceOpen() { return session_.Link().IsConnected(); }

void SessionIdServices::RequestIdRead()
{
    // Whether a reply came is not known to anyone: the link only writes.
    (void)service::Sending(session_).RequestIdRead();
}

bool SessionIdServices::ChangeId(int oldId, int newId)
{
    return service::Sending(session_).ChangeId(oldId, newId).ok();
}

bool SessionIdServices::StartJob(const std::vector<int>& ids, GroupMode mode)
{
    service::Sending sending(session_);
    if (mode != GroupMode::Send) {
        const service::Status status = sending.StartGroupJob(ids, mode);
        Show(session_.reporter(), status);
        return status.ok();
    }
    // The program as it stands now; the dialog is modal, so nothing changes
    // it between opening and this press.
    auto data = sending.PrepareForGroup();
    if (!data) {
        Show(session_.reporter(), data.status());
        return false;
    }
    const service::Status status = sending.StartGroupJob(ids, mode, &*data);
    Show(session_.reporter(), status);
    return status.ok();
}

bool SessionIdServices::JobRunning() { return session_.JobRunning(); }

}  // namespace lumitag::ids
