// Wall time of one run of the glyph generator, as the build runs it: parse
// the sheets, derive the seven fonts and write every glyph BMP (about 4300
// files) into a fresh folder. The target is well under two seconds.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

void GenerateGlyphData(benchmark::State& state)
{
    const fs::path data =
        fs::temp_directory_path() / ("lumitag-glyph-bench-" + std::to_string(::getpid()));
    const std::string command = std::string("'") + LUMITAG_GLYPH_GENERATOR + "' '" +
                                LUMITAG_GLYPH_SHEETS + "' '" + data.string() + "'";
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(data);
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("the generator failed");
            break;
        }
    }
    fs::remove_all(data);
}
BENCHMARK(GenerateGlyphData)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace
