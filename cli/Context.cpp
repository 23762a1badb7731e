#include "cli/Context.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "cli/ExitCode.h"
#include "model/IniFile.h"
#include "model/ProgramFiles.h"
#include "model/ProgramFolder.h"

namespace lumitag::cli {
// A project file must at least be an INI file with the program's section;
// anything else (a picture, an empty or truncated file) is not a program.
void CheckProjectFile(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) throw BadInput("project file not found: " + path.string());
    CIniFile file(path);
    if (!file.Load()) throw BadInput("cannot read project file " + path.string() + ": " + Describe(file.LoadResult()));
    if (file.FindSection(kProgramSection) < 0)
        throw BadInput("not a Lumitag project (no [INFO] section): " + path.string());
}

Context::Context(TerminalReporter& reporter) : reporter_(reporter) {}

Context::~Context()
{
    worker_.reset();  // waits for a running job before the link goes away
    if (jobLock_ >= 0) close(jobLock_);
}

SettingsStore& Context::Settings()
{
    if (!settings_) {
        settings_ = std::make_unique<SettingsStore>();
        settings_->SetReporter(&reporter_);
    }
    return *settings_;
}

std::string Context::ModelName(const Arguments& args)
{
    if (const auto name = args.Value("model")) {
        const DeviceModel* model = FindModelIgnoringCase(*name);
        if (!model) throw BadInput("unknown model \"" + *name + "\" (see `lumitag-cli models`)");
        return std::string(model->name);
    }
    return Settings().GetLedType();
}

const DeviceModel& Context::RequireModel(const Arguments& args)
{
    const std::string name = ModelName(args);
    const DeviceModel* model = FindModel(name);
    if (!model) throw BadInput("no model chosen: give --model NAME or store one with `set-model NAME`");
    return *model;
}

bool Context::LoadProgram(const Arguments& args, SignProgram& program)
{
    program.SetReporter(&reporter_);
    if (const auto project = args.Value("project")) {
        const std::filesystem::path path = std::filesystem::absolute(*project);
        CheckProjectFile(path);
        if (!program.LoadProgram(path)) throw BadInput("cannot read project file " + path.string());
        return true;
    }
    ProgramFiles files(program, Settings());
    if (!files.StartUp())
        throw BadInput("cannot read the work file " + program.ProjectPath().string());
    return false;
}

const GlyphCache& Context::Glyphs()
{
    if (!glyphs_) {
        glyphs_ = std::make_unique<GlyphCache>();
        LoadGlyphCache(*glyphs_, ProgramFolder());
        // Without it glyph text and symbols come out blank, and a send would
        // succeed with empty slots; say why.
        std::error_code ec;
        if (!std::filesystem::is_directory(ProgramFolder() / "Data", ec))
            reporter_.Message(MessageKind::Warning, "no Data folder in " + ProgramFolder().string() +
                                                        ": glyph text and animation symbols are drawn blank");
    }
    return *glyphs_;
}

HidLink& Context::Link()
{
    if (!link_) {
        backend_ = std::make_unique<HidapiBackend>();
        link_ = std::make_unique<HidLink>(*backend_, &reporter_, nullptr);
    }
    return *link_;
}

HidLink& Context::OpenDevice(const Arguments& args)
{
    HidLink& link = Link();
    if (!link.Enumerate()) throw CliError(ExitCode::NoDevice, "cannot list USB devices on this system");
    const auto devices = link.Devices();
    std::string path;
    const auto chosen = args.Value("device");
    if (!chosen) {
        if (devices.empty()) throw CliError(ExitCode::NoDevice, "no sign found (USB 1668:5886); is it plugged in?");
        path = devices.front();
    } else if (const auto index = ParseInt(*chosen, 0, 1 << 20)) {
        if (*index >= static_cast<int>(devices.size()))
            throw CliError(ExitCode::NoDevice, "no sign with index " + *chosen + " (" +
                                                   std::to_string(devices.size()) + " found; see `devices`)");
        path = devices[static_cast<std::size_t>(*index)];
    } else {
        path = *chosen;
    }
    if (link.Open(path)) return link;
    throw CliError(ExitCode::NoDevice, OpenFailureMessage(link, path));
}

SendWorker& Context::Worker(std::string_view model, bool virtualClock)
{
    if (!worker_) {
        if (virtualClock)
            sleeper_ = std::make_unique<VirtualClock>();
        else
            sleeper_ = std::make_unique<SteadySleeper>();
        worker_ = std::make_unique<SendWorker>(Link(), *sleeper_, SendWorker::DefaultLogPath());
    }
    worker_->ApplyModel(model);
    return *worker_;
}

void Context::LockJobs()
{
    if (jobLock_ >= 0) return;
    // A lock on the folder itself leaves no file behind.
    const int fd = open(ProgramFolder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throw BadInput("cannot open the program folder " + ProgramFolder().string());
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        throw CliError(ExitCode::Busy, "another job is running on " + ProgramFolder().string());
    }
    jobLock_ = fd;
}

}  // namespace lumitag::cli
