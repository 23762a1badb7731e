// Playing a program: the GUI thread's work per displayed frame for all ten
// rows of a full Q36 program (budget 2 ms at 30 frames a second), and the
// command line's GIF of ten seconds of it (budget 1 s).

#include "render/ProgramPlayback.h"
#include "render/content/RtfWriter.h"

#include <QGuiApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <filesystem>

namespace lumitag {
namespace {

void EnsureGuiApplication()
{
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "playback_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

// A full program: ten rows of 255 characters in changing colours and faces,
// every effect of the 16-row menu, marquee and blink on some rows.
struct FullProgram {
    ModelSettings settings;
    SlotParamTable params;
    std::array<std::string, kSlotCount> contents;
};

FullProgram FullQ36Program()
{
    FullProgram program;
    ApplyModel(program.settings, "Q36");
    static const std::uint32_t colours[] = {0x000000FF, 0x0000FF00, 0x0000FFFF, 0x00FF00FF};
    const std::string words = "Lumitag shows the news on every sign in town. ";
    for (int slot = 0; slot < kSlotCount; ++slot) {
        FormattedText text;
        for (int i = 0; i < 255; ++i) {
            CharFormat format;
            format.face = (i / 5) % 2 ? "Liberation Sans" : "Liberation Serif";
            format.twips = 16 * 20;
            format.colour = colours[(i / 5 + slot) % 4];
            format.bold = (i / 5) % 3 == 0;
            text.Append(std::string(1, words[(i + slot) % words.size()]), format);
        }
        program.contents[slot] = WriteRtf(text);
        program.params.at(SlotField::kind, slot) = 1;
        program.params.at(SlotField::send, slot) = 1;
        program.params.at(SlotField::effect, slot) = slot % 7;
        program.params.at(SlotField::speed, slot) = slot % 8;
        program.params.at(SlotField::time, slot) = slot % 3;
        program.params.at(SlotField::marquee, slot) = slot % 2;
        program.params.at(SlotField::blink, slot) = slot == 3;
    }
    return program;
}

std::filesystem::path ScratchFolder()
{
    const auto folder = std::filesystem::temp_directory_path() / "lumitag-playback-bench";
    std::filesystem::create_directories(folder);
    return folder;
}

// One timer tick: advance every row and paint each changed one into its
// preview, scaled as the row preview widget shows it (282 x 34 pixels).
void BM_PlayTenRowsPerFrame(benchmark::State& state)
{
    EnsureGuiApplication();
    const FullProgram program = FullQ36Program();
    SlotWindows windows(nullptr);
    windows.SetProgramFolder(ScratchFolder());
    windows.Load("Q36", program.settings, program.params, program.contents);
    RowPlayer player(kSlotCount);
    StartProgram(player, windows, "Q36", program.settings, program.params, Millis(0));
    std::array<QImage, kSlotCount> previews;
    for (auto& preview : previews) preview = QImage(282, 34, QImage::Format_ARGB32_Premultiplied);
    const QRect interior(1, 1, 280, 32);
    std::int64_t frame = 0;
    long long repainted = 0;
    for (auto _ : state) {
        const Millis now(frame++ * 1000 / 30);
        for (int row : player.Advance(now)) {
            QPainter painter(&previews[static_cast<std::size_t>(row)]);
            const QImage& picture = player.Picture(row);
            painter.drawImage(interior, picture, QRect(0, 0, picture.width() * 16 / 32, 16));
            ++repainted;
        }
    }
    state.counters["rows repainted per frame"] =
        benchmark::Counter(static_cast<double>(repainted) / static_cast<double>(std::max<std::int64_t>(frame, 1)));
}
BENCHMARK(BM_PlayTenRowsPerFrame)->Unit(benchmark::kMicrosecond);

// Ten seconds of the program as the GIF `preview --animate` writes, from
// the slot windows to the file's bytes (rendering the slots included).
void BM_TenSecondGif(benchmark::State& state, int ledPitch)
{
    EnsureGuiApplication();
    const FullProgram program = FullQ36Program();
    SlotWindows windows(nullptr);
    windows.SetProgramFolder(ScratchFolder());
    windows.Load("Q36", program.settings, program.params, program.contents);
    std::size_t bytes = 0;
    for (auto _ : state) {
        AnimationOptions options;
        options.ledPitch = ledPitch;
        const GifEncoding gif = ProgramAnimationGif(windows, "Q36", program.settings, program.params, options);
        if (!gif.Ok()) state.SkipWithError(gif.error.c_str());
        bytes = gif.bytes.size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK_CAPTURE(BM_TenSecondGif, Pitch3Default, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TenSecondGif, Pitch2, 2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumitag
