#pragma once
// What the ID dialogs ask of the rest of the program: the ID registry and its
// changes, the ID tool's frames and the group job. The program's version goes
// through the session's services (SessionIdServices); tests and the screen
// tool use CoreIdServices over the core objects and a fake link. The dialogs
// decide nothing themselves: the rules are in service/IdEditing.h.

#include <QObject>
#include <QTimer>
#include <vector>

#include "link/SendWorker.h"
#include "model/IdRecords.h"
#include "model/Reporter.h"
#include "service/IdEditing.h"

namespace lumitag::ids {

class IdServices : public QObject {
    Q_OBJECT
public:
    explicit IdServices(QObject* parent = nullptr);

    virtual Reporter& Messages() = 0;
    virtual const IdRegistry& Registry() = 0;
    // Writes an add or a rename that the rules have accepted.
    virtual void Add(const service::IdAddPlan& plan) = 0;
    virtual void Rename(const service::IdRenamePlan& plan) = 0;
    // The older ID list of the settings, as the group dialog lists it.
    virtual std::vector<service::LegacyIdEntry> LegacyIds() = 0;

    // The ID tool writes its frames only while a sign is open.
    virtual bool DeviceOpen() = 0;
    virtual void RequestIdRead() = 0;
    // False when the frame could not be written (the link has said so).
    virtual bool ChangeId(int oldId, int newId) = 0;

    // Starts the group job over `ids`; false when nothing was started (a
    // reason the user must hear has been shown). While it runs a second
    // start is refused here, before it reaches the worker.
    bool StartGroupJob(const std::vector<int>& ids, GroupMode mode);
    bool GroupJobRunning() const { return watching_; }

signals:
    // The group job started here has ended; delivered on the GUI thread.
    void groupJobEnded();

protected:
    virtual bool StartJob(const std::vector<int>& ids, GroupMode mode) = 0;
    virtual bool JobRunning() = 0;

private:
    // The main window is the worker's one listener, so the end of the job is
    // seen from the worker's busy flag, looked at on the GUI thread's timer;
    // nothing here ever waits for the job.
    void Poll();

    QTimer poll_;
    bool watching_ = false;
};

}  // namespace lumitag::ids
