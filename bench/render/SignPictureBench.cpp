// Importing a photo into a sign picture: fitting a camera-sized picture to
// the sign's rows (once per choice of rows in the import dialog) and
// reducing the fitted picture to the sign's colours (at every move of the
// threshold slider).

#include "render/SignPictureImport.h"

#include <benchmark/benchmark.h>

namespace lumitag {
namespace {

QImage Photo(int width, int height)
{
    QImage photo(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < width; ++x) line[x] = qRgb(x * 255 / width, y * 255 / height, (x ^ y) & 0xFF);
    }
    return photo;
}

void BM_FitPhotoToRows(benchmark::State& state)
{
    const QImage photo = Photo(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)) * 3 / 4);
    for (auto _ : state) benchmark::DoNotOptimize(FitToRows(photo, 16));
    state.SetItemsProcessed(state.iterations() * photo.width() * photo.height());
}
BENCHMARK(BM_FitPhotoToRows)->Arg(640)->Arg(4000)->Unit(benchmark::kMillisecond);

void BM_ReduceFittedPicture(benchmark::State& state)
{
    const QImage fitted = FitToRows(Photo(4000, 3000), 16);
    const auto mode = state.range(0) ? ColourReduction::Ordered : ColourReduction::Threshold;
    for (auto _ : state) benchmark::DoNotOptimize(ReduceToSignColours(fitted, SignColourKind::FourColour, mode, 128));
}
BENCHMARK(BM_ReduceFittedPicture)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumitag
