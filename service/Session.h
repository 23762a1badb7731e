#pragma once
// One running program: everything the desktop program and the command line
// hold while they run, in one object passed by reference to every service.
// It owns the settings, the ID registry, the glyph cache, the USB link over
// an injected backend, the send worker with its injected sleeper and clock,
// the current sign program, and the lock that keeps two processes from
// running jobs on one program folder. Each part is made when first needed,
// so listing the models touches no file and a preview opens no device.
//
// Threads: call it from one thread (the GUI thread, the CLI's main thread).
// Worker events arrive on the job thread; a GUI forwards them through queued
// connections before it calls back into the session.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "link/HidBackend.h"
#include "link/HidLink.h"
#include "link/LocalTime.h"
#include "link/SendEvents.h"
#include "link/SendWorker.h"
#include "link/Sleeper.h"
#include "model/DeviceCatalogue.h"
#include "model/GroupStore.h"
#include "model/ProgramFiles.h"
#include "model/Reporter.h"
#include "model/SettingsStore.h"
#include "model/SignProgram.h"
#include "render/GlyphCache.h"
#include "service/Error.h"

namespace lumitag::service {

struct SessionOptions {
    // Where Data/ is read and WorkData/, Image/, Debug.Log written. Empty:
    // the program folder already set (by default the executable's folder).
    std::filesystem::path programFolder;
    // The HID backend; null: hidapi. Must outlive the session.
    HidBackend* backend = nullptr;
    // Every pause of the link; null: real time (SteadySleeper). Must outlive
    // the session.
    Sleeper* sleeper = nullptr;
    // Whether write-to-file sends keep the protocol's pauses (as the desktop
    // program does). The command line turns it off: a file needs no pacing.
    bool pacedFileSends = true;
    // The PC's local time for clock frames and the frame log; null: the real one.
    std::function<LocalTime()> clock;
    // The frame log "Debug.Log", created anew by the first use of the worker.
    bool frameLog = true;
};

class Session {
public:
    Session(Reporter& reporter, SessionOptions options = {});
    // Waits for a running job before the link goes away.
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Reporter& reporter() { return reporter_; }
    const std::filesystem::path& ProgramFolder() const { return folder_; }

    SettingsStore& Settings();
    // The ID registry of "WorkData/IDLIST.id", read on first use.
    GroupStore& Ids();
    // The glyph and animation bitmaps, loaded on first use. Without a Data
    // folder a warning is shown once: glyph text would be sent blank.
    const GlyphCache& Glyphs();
    HidLink& Link();
    // The worker with the session's model, "485" mode and current ID applied.
    SendWorker& Worker();

    // --- Model ---------------------------------------------------------
    // The model of this session: the override when set, else the stored
    // "LedType" ("" when none is stored).
    std::string ModelName();
    // Uses `model` for this session without storing it (the CLI's --model).
    // BadInput for a name that is not a model (letter case is ignored).
    Status SetModelOverride(std::string_view model);
    // The catalogue row of ModelName(), or null for none/unknown.
    const DeviceModel* Model();
    // Settings as ApplyModel leaves them for ModelName().
    ModelSettings LinkSettings();

    // --- Current sign ID and "485" mode --------------------------------
    int CurrentId();  // "NowSelID"
    // The frames address `id` from now on (1..256; others are refused and
    // the worker keeps its ID). Without a worker yet it starts with CurrentId().
    void SetSignId(int id);
    bool Mode485();   // "Mode485", or the override
    // Stores "Mode485" and sets the worker's ID mode. FileWrite when the
    // settings could not be written (the worker still follows).
    Status SetMode485(bool on);
    // Uses RS-485 mode for this session without storing it (send --485).
    void SetMode485Override(bool on);

    // --- The current program -------------------------------------------
    SignProgram& Program();
    // The file commands on Program() (New, Open, Save, select ID, model).
    ProgramFiles& Files();
    // Binds Program() to the current ID's work file (created from the
    // default project when missing). FileRead when it cannot be read.
    Status LoadCurrentProgram();
    // Binds Program() to a project file instead (the CLI's --project): only
    // read unless a composing command writes it. BadInput when it is missing
    // or not a program (no [INFO] section).
    Status LoadProject(const std::filesystem::path& project);
    bool UsesProjectFile() const { return projectFile_; }

    // --- Jobs ------------------------------------------------------------
    // The front end's listener for worker events (progress, results). The
    // session forwards them; null stops forwarding.
    void SetEvents(SendEvents* events);
    // Refuses jobs while another process runs one on this program folder
    // (Busy). Held until the session ends; calling again is a no-op.
    Status LockJobs();
    bool JobRunning();

    // The PC's local time through the injected clock.
    LocalTime Now() const;

    // While set, write-to-file jobs skip their pauses (SessionOptions).
    void SetFileSendRunning(bool running);

private:
    class FileSleeper;

    Reporter& reporter_;
    SessionOptions options_;
    std::filesystem::path folder_;
    std::optional<std::string> modelOverride_;
    std::optional<bool> mode485Override_;
    bool projectFile_ = false;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<GroupStore> ids_;
    std::unique_ptr<GlyphCache> glyphs_;
    std::unique_ptr<HidBackend> ownBackend_;
    std::unique_ptr<HidLink> link_;
    std::unique_ptr<Sleeper> ownSleeper_;
    std::unique_ptr<FileSleeper> sleeper_;
    SendEvents* events_ = nullptr;
    std::unique_ptr<SendWorker> worker_;
    std::unique_ptr<SignProgram> program_;
    std::unique_ptr<ProgramFiles> files_;
    int jobLock_ = -1;
};

// BadInput unless `path` is a readable project file with an [INFO] section.
Status CheckProjectFile(const std::filesystem::path& path);

}  // namespace lumitag::service
