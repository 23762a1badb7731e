// Speed of the slot image builder, of repainting the ten previews, and of
// loading the glyph cache from the built Data folder.

#include "render/CImageWnd.h"
#include "render/GlyphCache.h"
#include "render/SlotImageBuilder.h"
#include "render/content/RtfWriter.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <filesystem>

namespace lumitag {
namespace {

namespace fs = std::filesystem;

void EnsureGuiApplication()
{
    if (QGuiApplication::instance()) return;
    // Headless unless told otherwise: no display is needed to draw.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "render_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

// 255 characters whose format changes every five characters: colour, bold,
// italic and face in turn, the way edited messages look.
std::string FormattedMessage(int height, int seed)
{
    static const std::uint32_t colours[] = {0x000000FF, 0x0000FF00, 0x0000FFFF, 0x00FF00FF, 0x000096FF};
    static const char* faces[] = {"Liberation Sans", "Liberation Serif", "Arial"};
    const std::string words = "Lumitag shows the news on every sign in town. ";
    FormattedText text;
    for (int i = 0; i < 255; ++i) {
        const int piece = i / 5 + seed;
        CharFormat format;
        format.face = faces[piece % 3];
        format.twips = height * 20;
        format.colour = colours[piece % 5];
        format.bold = piece % 2 == 0;
        format.italic = piece % 7 == 0;
        text.Append(std::string(1, words[(i + seed) % words.size()]), format);
    }
    return WriteRtf(text);
}

struct Program {
    std::array<std::string, kSlotCount> contents;
    SlotParamTable params;
};

Program TenSlots(int height)
{
    Program program;
    for (int i = 0; i < kSlotCount; ++i) {
        program.contents[i] = FormattedMessage(height, i);
        program.params.at(SlotField::kind, i) = 1;
        program.params.at(SlotField::send, i) = 1;
        program.params.at(SlotField::time, i) = 1;
    }
    return program;
}

fs::path ScratchFolder()
{
    const fs::path folder = fs::temp_directory_path() / "lumitag-render-bench";
    fs::create_directories(folder);
    return folder;
}

void BM_SlotImageBuilder(benchmark::State& state, const char* model)
{
    EnsureGuiApplication();
    ModelSettings settings;
    ApplyModel(settings, model);
    const Program program = TenSlots(settings.rows);
    GlyphCache cache;
    SlotWindows windows(&cache);
    windows.SetProgramFolder(ScratchFolder());
    windows.Load(model, settings, program.params, program.contents);
    PackedTables tables;
    for (auto _ : state) {
        windows.Build(tables);
        benchmark::DoNotOptimize(tables.frame0[9].data.data());
    }
    long long bytes = 0;
    for (const auto& record : tables.frame0) bytes += record.size;
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK_CAPTURE(BM_SlotImageBuilder, Q36, "Q36")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SlotImageBuilder, Q14, "Q14")->Unit(benchmark::kMillisecond);

// The same with every slot image file replaced at each build: two programs
// of other texts sent in turn, so no file already holds the frame's bytes.
void BM_SlotImageBuilderNewFiles(benchmark::State& state, const char* model)
{
    EnsureGuiApplication();
    ModelSettings settings;
    ApplyModel(settings, model);
    Program programs[2] = {TenSlots(settings.rows), TenSlots(settings.rows)};
    for (int i = 0; i < kSlotCount; ++i) programs[1].contents[i] = FormattedMessage(settings.rows, i + 3);
    GlyphCache cache;
    SlotWindows first(&cache), second(&cache);
    SlotWindows* windows[2] = {&first, &second};
    for (int p = 0; p < 2; ++p) {
        windows[p]->SetProgramFolder(ScratchFolder());
        windows[p]->Load(model, settings, programs[p].params, programs[p].contents);
    }
    PackedTables tables;
    int turn = 0;
    for (auto _ : state) {
        windows[turn]->Build(tables);
        turn ^= 1;
        benchmark::DoNotOptimize(tables.frame0[9].data.data());
    }
}
BENCHMARK_CAPTURE(BM_SlotImageBuilderNewFiles, Q36, "Q36")->Unit(benchmark::kMillisecond);

// Drops every row's cached picture and paints it again, as a repaint does.
void RepaintAll(benchmark::State& state, SlotWindows& windows)
{
    for (auto _ : state) {
        for (int i = 0; i < kSlotCount; ++i) {
            windows.Window(i).DiscardPicture();
            benchmark::DoNotOptimize(windows.Window(i).Picture().constBits());
        }
    }
}

// After a content change every row repaints its preview; the budget is one
// display frame (16 ms) for all ten.
void BM_RepaintTenPreviews(benchmark::State& state)
{
    EnsureGuiApplication();
    ModelSettings settings;
    ApplyModel(settings, "Q36");
    const Program program = TenSlots(settings.rows);
    GlyphCache cache;
    SlotWindows windows(&cache);
    windows.SetProgramFolder(ScratchFolder());
    windows.SetClientSize(QSize(282, 34));
    windows.Load("Q36", settings, program.params, program.contents);
    RepaintAll(state, windows);
}
BENCHMARK(BM_RepaintTenPreviews)->Unit(benchmark::kMillisecond);

// The same, with the parse of a new content string in every row included.
void BM_NewContentTenPreviews(benchmark::State& state)
{
    EnsureGuiApplication();
    ModelSettings settings;
    ApplyModel(settings, "Q36");
    const Program program = TenSlots(settings.rows);
    GlyphCache cache;
    SlotWindows windows(&cache);
    windows.SetClientSize(QSize(282, 34));
    windows.Load("Q36", settings, program.params, program.contents);
    for (auto _ : state) {
        for (int i = 0; i < kSlotCount; ++i) {
            windows.Window(i).SetContent(program.contents[i]);
            benchmark::DoNotOptimize(windows.Window(i).Picture().constBits());
        }
    }
}
BENCHMARK(BM_NewContentTenPreviews)->Unit(benchmark::kMillisecond);

// Glyph text is read from the Data folder on every pass: ten 255-character
// rows of a 7-row sign repainted, as the clock of a date item does each second.
void BM_RepaintTenGlyphTextPreviews(benchmark::State& state)
{
    EnsureGuiApplication();
    const fs::path programFolder = LUMITAG_PROGRAM_DIR;
    if (!fs::exists(programFolder / "Data")) {
        state.SkipWithError("no Data folder: build the lumitag_data target first");
        return;
    }
    ModelSettings settings;
    ApplyModel(settings, "Q01");
    Program program;
    const std::string words = "Lumitag shows the news on every sign in town. ";
    for (int i = 0; i < kSlotCount; ++i) {
        program.contents[i] = "[ASCII]";
        for (int c = 0; c < 255; ++c) program.contents[i] += words[(c + i) % words.size()];
    }
    GlyphCache cache;
    SlotWindows windows(&cache);
    windows.SetProgramFolder(programFolder);
    windows.SetClientSize(QSize(282, 34));
    windows.Load("Q01", settings, program.params, program.contents);
    RepaintAll(state, windows);
}
BENCHMARK(BM_RepaintTenGlyphTextPreviews)->Unit(benchmark::kMillisecond);

bool HasDataFolder(benchmark::State& state)
{
    if (std::filesystem::exists(fs::path(LUMITAG_PROGRAM_DIR) / "Data")) return true;
    state.SkipWithError("no Data folder: build the lumitag_data target first");
    return false;
}

// What a start costs: the cache bound to the Data folder, and the first use
// of a 7-row and a 16-row animation and of a glyph-set glyph (each lists its
// folder once).
void BM_GlyphCacheStart(benchmark::State& state)
{
    if (!HasDataFolder(state)) return;
    for (auto _ : state) {
        GlyphCache cache;
        LoadGlyphCache(cache, LUMITAG_PROGRAM_DIR);
        benchmark::DoNotOptimize(cache.Entry(*GlyphCache::AnimationIndex(7, 3, 0)));
        benchmark::DoNotOptimize(cache.Entry(*GlyphCache::AnimationIndex(16, 3, 1)));
        benchmark::DoNotOptimize(cache.Entry(*GlyphCache::GlyphCodeIndex(2113)));
    }
}
BENCHMARK(BM_GlyphCacheStart)->Unit(benchmark::kMillisecond);

// Every one of the 4,460 pictures read, as a glyph picker showing the whole
// set would: the cost that reading everything at start used to put on each
// start.
void BM_LoadGlyphCache(benchmark::State& state)
{
    if (!HasDataFolder(state)) return;
    int loaded = 0;
    for (auto _ : state) {
        GlyphCache cache;
        LoadGlyphCache(cache, LUMITAG_PROGRAM_DIR);
        loaded = cache.LoadedCount();
    }
    state.counters["entries"] = loaded;
}
BENCHMARK(BM_LoadGlyphCache)->Unit(benchmark::kMillisecond);

// One send's whole preparation as the command line does it: new windows, the
// ten contents parsed, the preview pass that measures, then the build.
void BM_SendPreparation(benchmark::State& state, const char* model)
{
    EnsureGuiApplication();
    ModelSettings settings;
    ApplyModel(settings, model);
    const Program program = TenSlots(settings.rows);
    GlyphCache cache;
    PackedTables tables;
    for (auto _ : state) {
        SlotWindows windows(&cache);
        windows.SetProgramFolder(ScratchFolder());
        windows.Load(model, settings, program.params, program.contents);
        windows.Build(tables);
        benchmark::DoNotOptimize(tables.frame0[9].data.data());
    }
}
BENCHMARK_CAPTURE(BM_SendPreparation, Q36, "Q36")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumitag
