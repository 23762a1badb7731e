#pragma once
// What every command shares: the reporter, the settings of the program
// folder, the model and program a command works on, the USB link and the
// send worker. Each is made when a command first needs it, so `models`
// touches no file and `preview` opens no device.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "cli/Arguments.h"
#include "cli/DeviceList.h"
#include "cli/TerminalReporter.h"
#include "link/HidLink.h"
#include "link/HidapiBackend.h"
#include "link/SendWorker.h"
#include "link/Sleeper.h"
#include "model/DeviceCatalogue.h"
#include "model/SettingsStore.h"
#include "model/SignProgram.h"
#include "render/GlyphCache.h"

namespace lumitag::cli {

class Context {
public:
    explicit Context(TerminalReporter& reporter);
    ~Context();

    TerminalReporter& Reporter() { return reporter_; }
    SettingsStore& Settings();

    // The model of this run: --model NAME (any letter case; an unknown name
    // is bad input) without storing it, else the stored "LedType" ("" when
    // none is stored, which the core treats as no model).
    std::string ModelName(const Arguments& args);
    // The same, and it must be one of the 36 models.
    const DeviceModel& RequireModel(const Arguments& args);

    // Binds `program` to --project FILE (read, and written only by the
    // composing commands) or else to the current ID's work file, created from
    // the default project when missing. A missing or damaged project file is
    // bad input. Returns whether a project file was given.
    bool LoadProgram(const Arguments& args, SignProgram& program);

    // The glyph and animation bitmaps of the program folder's Data/.
    const GlyphCache& Glyphs();

    // The USB link with the sign chosen by --device (a path, or an index of
    // the `devices` list; the first sign by default) open. No sign, or one
    // that cannot be opened, is ExitCode::NoDevice with a message that
    // points to the udev rule when permission was denied.
    HidLink& OpenDevice(const Arguments& args);
    // The USB link without opening anything (writing to a file).
    HidLink& Link();

    // The send worker for `model`. `virtualClock` replaces real pauses by a
    // virtual clock: writing frames to a file needs no pacing.
    SendWorker& Worker(std::string_view model, bool virtualClock = false);

    // Refuses to run a job while another lumitag process runs one on the
    // same program folder (ExitCode::Busy). Held until the process ends.
    void LockJobs();

private:
    TerminalReporter& reporter_;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<GlyphCache> glyphs_;
    std::unique_ptr<HidapiBackend> backend_;
    std::unique_ptr<HidLink> link_;
    std::unique_ptr<Sleeper> sleeper_;
    std::unique_ptr<SendWorker> worker_;
    int jobLock_ = -1;
};

// Bad input unless `path` is a readable project file with an [INFO] section.
void CheckProjectFile(const std::filesystem::path& path);

// Options most commands share.
inline constexpr OptionSpec kModelOption{"model", "NAME", "use this model for this run without storing it"};
inline constexpr OptionSpec kProjectOption{"project", "FILE", "work on this project file instead of the current ID's work file"};
inline constexpr OptionSpec kDeviceOption{"device", "PATH|INDEX", "the sign to use (see `devices`); the first by default"};

}  // namespace lumitag::cli
