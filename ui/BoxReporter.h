#pragma once
// The core's messages and questions as message boxes. The core may report
// from a worker thread and expects to wait for the answer, so a call from
// another thread blocks that thread while the box runs on the GUI thread;
// the GUI thread itself never waits on a worker.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "model/Reporter.h"

namespace lumitag::ui {

// The caption of every box the program shows.
QString ProductCaption();

class BoxReporter : public QObject, public Reporter {
    Q_OBJECT
public:
    explicit BoxReporter(QWidget* parentWindow = nullptr);
    void SetParentWindow(QWidget* parentWindow) { parent_ = parentWindow; }

    void Message(MessageKind kind, const std::string& text) override;
    bool Ask(const std::string& text) override;

private:
    // Runs `show` on the GUI thread, waiting for it from any other thread.
    template <typename Show>
    void OnGuiThread(Show show);
    QPointer<QWidget> parent_;
};

}  // namespace lumitag::ui
