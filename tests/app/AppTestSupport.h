#pragma once
// A main window over a throw-away program folder, a fake HID backend, a
// virtual clock and recorded boxes, with editors and file dialogs replaced.

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CLumitagv11Dlg.h"
#include "link/FakeHidBackend.h"
#include "link/Sleeper.h"
#include "model/Reporter.h"
#include "service/Session.h"
#include "tests/model/TempProgramFolder.h"

namespace lumitag::app::testing {

class WindowFixture {
public:
    // `withData`: borrow the built Data/ folder (glyph models need it).
    explicit WindowFixture(bool withData = true, bool withWorkData = true);
    ~WindowFixture();

    const std::filesystem::path& Folder() const { return folder_.Folder(); }
    FakeHidBackend& Backend() { return backend_; }
    VirtualClock& Clock() { return clock_; }
    RecordingReporter& Reporter() { return reporter_; }
    DialogHooks& Hooks() { return hooks_; }
    service::Session& Session() { return *session_; }
    CLumitagv11Dlg& Window() { return *window_; }

    // Before Open: the settings and ID list the program starts with.
    void StoreSettings(const std::string& model, int language, int nowId, int mode485 = 0);
    void RegisterIds(const std::vector<int>& ids, const std::vector<int>& checked = {});
    // Writes the sample program into `id`'s work file for `model`.
    void WriteProgram(int id, const std::string& model, int filledRows);
    void PutContent(int id, int slot, const std::string& content, int kind = 1);

    // Builds the session and the window (running its start-up).
    void Open();
    // Runs queued events until no job runs and none is waiting to start.
    void Settle();
    // Opens the first sign as the start-up's delayed device choice does.
    void ConnectSign(const std::string& path = "/dev/hidraw7");

    std::filesystem::path WorkFile(int id) const;
    // The program of `id` as the file holds it now.
    SlotParamTable ParamsOnDisk(int id) const;
    std::vector<std::string> MessageTexts() const { return reporter_.texts(); }

private:
    lumitag::testing::TempProgramFolder folder_;
    VirtualClock clock_;
    FakeHidBackend backend_{&clock_};
    RecordingReporter reporter_{true};
    DialogHooks hooks_;
    std::unique_ptr<service::Session> session_;
    std::unique_ptr<CLumitagv11Dlg> window_;
};

// Every report's 64 payload bytes back to back.
std::vector<std::uint8_t> Payloads(const std::vector<FakeHidBackend::Report>& reports);

}  // namespace lumitag::app::testing
