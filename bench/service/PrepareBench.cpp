// The prepare step of a send (parameters saved, pictures checked, ten slot
// images built and packed, word limit) for a ten-slot Q36 program with 255
// formatted characters per slot: once through the render calls directly, as
// the command line did before the service layer, and once through
// Sending::Prepare. The two figures show what the service adds.

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <stdexcept>

#include "link/WordLimit.h"
#include "model/ProgramFolder.h"
#include "model/SettingsStore.h"
#include "render/SlotImageBuilder.h"
#include "service/Sending.h"
#include "service/Session.h"
#include "service/SlotEditing.h"

namespace lumitag::service {
namespace {

namespace fs = std::filesystem;

// 255 characters whose format changes every five characters.
FormattedText Message(int seed)
{
    static const std::uint32_t colours[] = {0x000000FF, 0x0000FF00, 0x0000FFFF, 0x00FF00FF, 0x000096FF};
    const std::string words = "Lumitag shows the news on every sign in town. ";
    FormattedText text;
    for (int i = 0; i < 255; ++i) {
        const int piece = i / 5 + seed;
        CharFormat format{piece % 2 ? "Liberation Sans" : "Liberation Serif", 320, colours[piece % 5]};
        format.bold = piece % 2 == 0;
        text.Append(std::string(1, words[(i + seed) % words.size()]), format);
    }
    return text;
}

// A program folder beside the built one (its Data folder is used) with a
// ten-slot Q36 program in the work file of ID 0.
class Fixture {
public:
    Fixture()
    {
        folder_ = fs::temp_directory_path() / ("lumitag-service-bench-" + std::to_string(::getpid()));
        fs::create_directories(folder_ / "WorkData");
        fs::create_directories(folder_ / "Image");
        std::error_code ec;
        fs::create_directory_symlink(fs::path(LUMITAG_PROGRAM_DIR) / "Data", folder_ / "Data", ec);
        SettingsStore(folder_ / "WorkData" / "System.set").SetLedType("Q36");
        SessionOptions options;
        options.programFolder = folder_;
        options.frameLog = false;
        session_ = std::make_unique<Session>(reporter_, options);
        if (!session_->LoadCurrentProgram().ok()) throw std::runtime_error("cannot read the work file");
        SlotEditor editor(*session_);
        for (int slot = 0; slot < kSlotCount; ++slot)
            if (!editor.SetFormattedText(slot, Message(slot)).ok()) throw std::runtime_error("cannot compose");
        session_->Glyphs();
    }
    ~Fixture()
    {
        session_.reset();
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    Session& session() { return *session_; }

private:
    fs::path folder_;
    RecordingReporter reporter_;
    std::unique_ptr<Session> session_;
};

Fixture& SharedFixture()
{
    static Fixture fixture;
    return fixture;
}

// The steps as the command line took them before: save, check pictures,
// build, word limit.
void BM_PrepareDirect(benchmark::State& state)
{
    Session& session = SharedFixture().session();
    SignProgram& program = session.Program();
    const std::string model = session.ModelName();
    const ModelSettings settings = session.LinkSettings();
    for (auto _ : state) {
        program.SaveParams();
        benchmark::DoNotOptimize(FindUnloadablePictures(model, settings, program));
        PackedTables tables;
        SlotWindows windows(&session.Glyphs());
        windows.SetProgramFolder(ProgramFolder());
        windows.Load(model, settings, program);
        windows.Build(tables);
        benchmark::DoNotOptimize(ApplyWordLimit(model, program.Params(), tables));
    }
}
BENCHMARK(BM_PrepareDirect)->Unit(benchmark::kMillisecond);

void BM_PrepareService(benchmark::State& state)
{
    Session& session = SharedFixture().session();
    Sending sending(session);
    for (auto _ : state) {
        auto data = sending.Prepare();
        if (!data) state.SkipWithError(data.message().c_str());
        benchmark::DoNotOptimize(data);
    }
}
BENCHMARK(BM_PrepareService)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumitag::service

int main(int argc, char** argv)
{
    // Text is drawn with Qt's fonts: that takes an application object, never
    // a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
