#pragma once
// The send worker's events as Qt signals. The worker calls these from its
// job thread; the window connects them queued, so every handler runs on the
// GUI thread and the worker never waits for the window.

#include <QObject>

#include "link/SendEvents.h"

namespace lumitag::app {

class WorkerEvents : public QObject, public SendEvents {
    Q_OBJECT
public:
    using QObject::QObject;

    void Progress(int percent, JobResult code, bool done) override
    {
        emit progress(percent, static_cast<int>(code), done);
    }
    void GroupResult(int succeeded, int count) override { emit groupResult(succeeded, count); }
    void ScanFinished() override { emit scanFinished(); }
    void SendFinished() override { emit sendFinished(); }
    void ScanProgress(int percent, bool end) override { emit scanProgress(percent, end); }

signals:
    void progress(int percent, int code, bool done);
    void groupResult(int succeeded, int count);
    void scanFinished();
    void sendFinished();
    void scanProgress(int percent, bool end);
};

}  // namespace lumitag::app
