#include "service/Session.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>

#include "link/HidapiBackend.h"
#include "model/IniFile.h"
#include "model/ProgramFolder.h"

namespace lumitag::service {

// The worker's one sleeper: the session's pacing, except while a write-to-
// file job runs unpaced, when pauses pass at once (nothing waits on a file).
class Session::FileSleeper : public Sleeper {
public:
    explicit FileSleeper(Sleeper& real) : real_(real) {}
    void Pause(std::chrono::milliseconds duration) override
    {
        if (!skip_) real_.Pause(duration);
    }
    void SetSkipping(bool skip) { skip_ = skip; }

private:
    Sleeper& real_;
    std::atomic<bool> skip_{false};
};

Status CheckProjectFile(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        // A link loop or an unreadable folder is there but cannot be reached.
        if (ec) return MakeError(ErrorCode::BadInput, "cannot read project file " + path.string() + ": " + ec.message());
        return MakeError(ErrorCode::BadInput, "project file not found: " + path.string());
    }
    CIniFile file(path);
    if (!file.Load())
        return MakeError(ErrorCode::BadInput,
                         "cannot read project file " + path.string() + ": " + Describe(file.LoadResult()));
    // Anything without the program's section (a picture, an empty or cut
    // file) is not a program.
    if (file.FindSection(kProgramSection) < 0)
        return MakeError(ErrorCode::BadInput, "not a Lumitag project (no [INFO] section): " + path.string());
    return {};
}

Session::Session(Reporter& reporter, SessionOptions options) : reporter_(reporter), options_(std::move(options))
{
    // The program folder stays a process-wide value by role: every path of
    // the core is built from it.
    if (!options_.programFolder.empty()) SetProgramFolder(options_.programFolder);
    folder_ = lumitag::ProgramFolder();
    dataFolder_ = lumitag::DataFolder();
    toolsFolder_ = lumitag::ToolsFolder();
    // An installed program's first run: the user's data folder is new.
    std::error_code ec;
    std::filesystem::create_directories(folder_, ec);
    // A change a kill interrupted is completed before any file is read.
    RecoverInterruptedChanges(folder_);
    if (!options_.sleeper) ownSleeper_ = std::make_unique<SteadySleeper>();
    sleeper_ = std::make_unique<FileSleeper>(options_.sleeper ? *options_.sleeper : *ownSleeper_);
}

Session::~Session()
{
    worker_.reset();  // waits for a running job before the link goes away
    if (jobLock_ >= 0) close(jobLock_);
}

SettingsStore& Session::Settings()
{
    if (!settings_) {
        settings_ = std::make_unique<SettingsStore>(folder_ / "WorkData" / "System.set");
        settings_->SetReporter(&reporter_);
    }
    return *settings_;
}

GroupStore& Session::Ids()
{
    if (!ids_) {
        ids_ = std::make_unique<GroupStore>(folder_ / "WorkData" / "IDLIST.id");
        ids_->SetReporter(&reporter_);
        ids_->LoadIdList();  // a missing registry is an empty one
    }
    return *ids_;
}

const GlyphCache& Session::Glyphs()
{
    if (!glyphs_) {
        glyphs_ = std::make_unique<GlyphCache>();
        LoadGlyphCache(*glyphs_, dataFolder_);
        // Without it glyph text and symbols come out blank, and a send would
        // succeed with empty slots; say why.
        std::error_code ec;
        if (!std::filesystem::is_directory(dataFolder_ / "Data", ec))
            reporter_.Message(MessageKind::Warning, "no Data folder in " + dataFolder_.string() +
                                                        ": glyph text and animation symbols are drawn blank");
    }
    return *glyphs_;
}

HidLink& Session::Link()
{
    if (!link_) {
        HidBackend* backend = options_.backend;
        if (!backend) {
            ownBackend_ = std::make_unique<HidapiBackend>();
            backend = ownBackend_.get();
        }
        link_ = std::make_unique<HidLink>(*backend, &reporter_, sleeper_.get());
    }
    return *link_;
}

SendWorker& Session::Worker()
{
    if (!worker_) {
        const std::filesystem::path log = options_.frameLog ? folder_ / "Debug.Log" : std::filesystem::path();
        worker_ = std::make_unique<SendWorker>(Link(), *sleeper_, log,
                                               options_.clock ? options_.clock : SendWorker::TimeSource(CurrentLocalTime));
        worker_->SetSignId(CurrentId());  // refused (kept at 1) outside 1..256
        worker_->SetEvents(events_);
    }
    worker_->ApplyModel(ModelName());
    worker_->SetIdMode(Mode485());
    return *worker_;
}

std::string Session::ModelName()
{
    if (modelOverride_) return *modelOverride_;
    return Settings().GetLedType();
}

Status Session::SetModelOverride(std::string_view model)
{
    const DeviceModel* row = FindModelIgnoringCase(model);
    if (!row)
        return MakeError(ErrorCode::BadInput,
                         "unknown model \"" + std::string(model) + "\" (see `lumitag-cli models`)");
    modelOverride_ = std::string(row->name);
    return {};
}

const DeviceModel* Session::Model() { return FindModel(ModelName()); }

ModelSettings Session::LinkSettings()
{
    ModelSettings settings;
    ApplyModel(settings, ModelName());
    return settings;
}

int Session::CurrentId() { return Settings().GetNowSelID(); }

void Session::SetSignId(int id)
{
    if (worker_) worker_->SetSignId(id);
}

bool Session::Mode485()
{
    if (mode485Override_) return *mode485Override_;
    return Settings().GetMode485() == 1;
}

Status Session::SetMode485(bool on)
{
    mode485Override_.reset();
    const bool written = Settings().SetMode485(on ? 1 : 0);
    if (worker_) worker_->SetIdMode(on);
    if (!written) return MakeError(ErrorCode::FileWrite, "cannot write the settings " + Settings().Path().string());
    return {};
}

void Session::SetMode485Override(bool on) { mode485Override_ = on; }

SignProgram& Session::Program()
{
    if (!program_) {
        program_ = std::make_unique<SignProgram>();
        program_->SetReporter(&reporter_);
    }
    return *program_;
}

ProgramFiles& Session::Files()
{
    if (!files_) files_ = std::make_unique<ProgramFiles>(Program(), Settings());
    return *files_;
}

Status Session::LoadCurrentProgram()
{
    projectFile_ = false;
    if (!Files().StartUp())
        return MakeError(ErrorCode::FileRead, "cannot read the work file " + Program().ProjectPath().string());
    return {};
}

Status Session::LoadProject(const std::filesystem::path& project)
{
    const std::filesystem::path path = std::filesystem::absolute(project);
    if (Status checked = CheckProjectFile(path); !checked) return checked;
    if (!Program().LoadProgram(path)) return MakeError(ErrorCode::BadInput, "cannot read project file " + path.string());
    projectFile_ = true;
    return {};
}

void Session::SetEvents(SendEvents* events)
{
    events_ = events;
    if (worker_) worker_->SetEvents(events);
}

Status Session::LockJobs()
{
    if (jobLock_ >= 0) return {};
    // A lock on the folder itself leaves no file behind.
    const int fd = open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return MakeError(ErrorCode::BadInput, "cannot open the program folder " + folder_.string());
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return MakeError(ErrorCode::Busy, "another job is running on " + folder_.string());
    }
    jobLock_ = fd;
    return {};
}

bool Session::JobRunning() { return worker_ && worker_->IsBusy(); }

LocalTime Session::Now() const { return options_.clock ? options_.clock() : CurrentLocalTime(); }

void Session::SetFileSendRunning(bool running)
{
    sleeper_->SetSkipping(running && !options_.pacedFileSends);
}

}  // namespace lumitag::service
