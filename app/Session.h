#pragma once
// The long-lived objects of one run of the desktop program, built in the
// order the program has always built them: settings, link and worker, the
// program, the glyph cache, the ID registry, the packed tables. The window
// takes them by reference, so tests hand it a fake HID backend, a virtual
// clock and a recording reporter.

#include <string>

#include "link/HidBackend.h"
#include "link/HidLink.h"
#include "link/LocalTime.h"
#include "link/PackedImage.h"
#include "link/SendWorker.h"
#include "link/Sleeper.h"
#include "model/GroupStore.h"
#include "model/ProgramFiles.h"
#include "model/Reporter.h"
#include "model/SettingsStore.h"
#include "model/SignProgram.h"
#include "render/GlyphCache.h"

namespace lumitag::app {

class Session {
public:
    Session(HidBackend& backend, Sleeper& sleeper, Reporter& reporter,
            SendWorker::TimeSource timeSource = CurrentLocalTime);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Reporter& Boxes() { return reporter_; }
    SettingsStore& Settings() { return settings_; }
    HidLink& Link() { return link_; }
    SendWorker& Worker() { return worker_; }
    SignProgram& Program() { return program_; }
    GlyphCache& Glyphs() { return glyphs_; }
    GroupStore& Groups() { return groups_; }
    ProgramFiles& Files() { return files_; }
    PackedTables& Tables() { return tables_; }

    // The stored model name ("LedType"); "" when none is stored.
    std::string Model() { return settings_.GetLedType(); }

private:
    Reporter& reporter_;
    SettingsStore settings_;
    HidLink link_;
    SendWorker worker_;
    SignProgram program_;
    GlyphCache glyphs_;
    GroupStore groups_;
    ProgramFiles files_;
    PackedTables tables_;
};

}  // namespace lumitag::app
