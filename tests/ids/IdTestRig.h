#pragma once
// What the ID dialog tests share: a throw-away program folder, the registry
// and settings in it, a send worker on a fake link with one sign open, on a
// virtual clock that a test can hold to keep a job running, and the core
// services the dialogs are driven through. Boxes are answered by a
// RecordingReporter.

#include <QWidget>

#include <condition_variable>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "../model/TempProgramFolder.h"
#include "ids/CoreIdServices.h"
#include "ids/DialogSupport.h"
#include "link/FakeHidBackend.h"
#include "link/Frames.h"
#include "link/HidLink.h"
#include "link/SendWorker.h"
#include "link/Sleeper.h"
#include "model/GroupStore.h"
#include "model/Reporter.h"
#include "model/SettingsStore.h"

namespace lumitag::ids::test {

// Virtual time; while held, the next pause blocks the thread that takes it
// until the test releases it.
class HoldableClock : public Sleeper {
public:
    void Pause(std::chrono::milliseconds duration) override
    {
        {
            std::unique_lock lock(mutex_);
            waiting_ = held_;
            changed_.notify_all();
            changed_.wait(lock, [&] { return !held_; });
            waiting_ = false;
        }
        clock_.Pause(duration);
    }
    void Hold()
    {
        std::lock_guard lock(mutex_);
        held_ = true;
    }
    // Blocks until a thread waits in Pause.
    void WaitUntilHeld()
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return waiting_; });
    }
    void Release()
    {
        std::lock_guard lock(mutex_);
        held_ = false;
        changed_.notify_all();
    }
    const VirtualClock& Clock() const { return clock_; }

private:
    VirtualClock clock_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool held_ = false;
    bool waiting_ = false;
};

inline const std::string kSignPath = "/dev/hidraw3";

struct IdRig {
    explicit IdRig(const std::string& model = "Q26", bool plugged = true, SlotParamTable params = {},
                   PackedTables tables = {})
        : backend(&clock.Clock()),
          link(backend, &reporter, &clock),
          worker(link, clock, {}),
          services(store, settings, worker, link, reporter, model, std::move(params), std::move(tables))
    {
        worker.ApplyModel(model);
        store.SetReporter(&reporter);
        if (plugged) {
            backend.Plug(kSignPath);
            link.Enumerate();
            link.Open(kSignPath);
        }
    }
    ~IdRig()
    {
        clock.Release();
        worker.Wait();
    }

    // The payloads of the reports written, report ID stripped.
    std::vector<Bytes> Payloads() const
    {
        std::vector<Bytes> out;
        for (const auto& report : backend.Reports())
            out.emplace_back(report.bytes.begin() + 1, report.bytes.end());
        return out;
    }

    lumitag::testing::TempProgramFolder folder;
    HoldableClock clock;
    RecordingReporter reporter;
    FakeHidBackend backend;
    HidLink link;
    SendWorker worker;
    GroupStore store;
    SettingsStore settings;
    CoreIdServices services;
};

// "7E 01 F2" → bytes.
inline Bytes Hex(std::string_view text)
{
    Bytes out;
    for (std::size_t i = 0; i + 1 < text.size();) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        out.push_back(static_cast<std::uint8_t>(std::stoi(std::string(text.substr(i, 2)), nullptr, 16)));
        i += 2;
    }
    return out;
}

// The payloads frames become: 64-byte pieces, the last one zero-filled.
inline std::vector<Bytes> ReportsOf(const std::vector<Bytes>& frames)
{
    std::vector<Bytes> out;
    for (const auto& frame : frames) {
        for (std::size_t pos = 0; pos < frame.size(); pos += 64) {
            Bytes payload(64, 0);
            std::copy(frame.begin() + static_cast<std::ptrdiff_t>(pos),
                      frame.begin() + static_cast<std::ptrdiff_t>(std::min(frame.size(), pos + 64)), payload.begin());
            out.push_back(payload);
        }
    }
    return out;
}

}  // namespace lumitag::ids::test
