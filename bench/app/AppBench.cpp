// The main window: from nothing to its first paint with ten filled rows, and
// repainting the ten previews after a model change. Run offscreen:
//   QT_QPA_PLATFORM=offscreen build/bench/app_bench

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QTemporaryDir>
#include <filesystem>

#include "app/CLumitagv11Dlg.h"
#include "app/PreviewWidget.h"
#include "app/screens/SampleProgram.h"
#include "link/FakeHidBackend.h"
#include "model/DeviceCatalogue.h"
#include "model/ProgramFolder.h"
#include "model/SettingsStore.h"
#include "model/SignProgram.h"
#include "model/WorkFiles.h"
#include "service/Session.h"

namespace {

using namespace lumitag;

// A program folder with the built Data/ folder and ten filled rows on `model`.
class BenchFolder {
public:
    explicit BenchFolder(const std::string& model)
    {
        folder_ = dir_.path().toStdString();
        std::error_code ec;
        std::filesystem::create_directory_symlink(std::filesystem::path(LUMITAG_PROGRAM_DIR) / "Data", folder_ / "Data",
                                                  ec);
        std::filesystem::create_directories(folder_ / "WorkData", ec);
        SetProgramFolder(folder_);
        SettingsStore settings;
        settings.SetLedType(model);
        settings.SetLanguage(3);
        settings.SetNowSelID(1);
        SignProgram program;
        program.LoadProgram(EnsureWorkFile(1, true, model));
        app::WriteSampleProgram(program, FindModel(model)->rows, kSlotCount);
    }
    const std::filesystem::path& Path() const { return folder_; }

private:
    QTemporaryDir dir_;
    std::filesystem::path folder_;
};

long PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

void StartUpToFirstPaint(benchmark::State& state)
{
    BenchFolder folder("Q26");
    FakeHidBackend backend;
    VirtualClock clock;
    RecordingReporter reporter;
    for (auto _ : state) {
        service::SessionOptions options;
        options.programFolder = folder.Path();
        options.backend = &backend;
        options.sleeper = &clock;
        service::Session session(reporter, options);
        app::CLumitagv11Dlg window(session, {}, app::WindowOptions{false, false});
        window.show();
        // grab() lays the window out and paints every widget once.
        benchmark::DoNotOptimize(window.grab());
    }
    state.counters["peak_MB"] = static_cast<double>(PeakMegabytes());
}
BENCHMARK(StartUpToFirstPaint)->Unit(benchmark::kMillisecond);

// The part of the start-up that reads the Data folder's 4524 glyph and
// animation bitmaps.
void StartUpGlyphCache(benchmark::State& state)
{
    BenchFolder folder("Q26");
    RecordingReporter reporter;
    FakeHidBackend backend;
    for (auto _ : state) {
        service::SessionOptions options;
        options.programFolder = folder.Path();
        options.backend = &backend;
        service::Session session(reporter, options);
        benchmark::DoNotOptimize(session.Glyphs().LoadedCount());
    }
}
BENCHMARK(StartUpGlyphCache)->Unit(benchmark::kMillisecond);

void RepaintPreviewsAfterModelChange(benchmark::State& state)
{
    BenchFolder folder("Q26");
    FakeHidBackend backend;
    VirtualClock clock;
    RecordingReporter reporter;
    service::SessionOptions options;
    options.programFolder = folder.Path();
    options.backend = &backend;
    options.sleeper = &clock;
    service::Session session(reporter, options);
    app::CLumitagv11Dlg window(session, {}, app::WindowOptions{false, false});
    window.show();
    QApplication::processEvents();
    bool other = false;
    for (auto _ : state) {
        state.PauseTiming();
        // Two models of one group: the program stays, every preview is dropped.
        window.ChooseModel(QString::fromLatin1(other ? "Q26" : "Q27"));
        other = !other;
        state.ResumeTiming();
        for (int slot = 0; slot < kSlotCount; ++slot) {
            app::PreviewWidget* preview = window.Preview(slot);
            preview->repaint();
        }
    }
}
BENCHMARK(RepaintPreviewsAfterModelChange)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
