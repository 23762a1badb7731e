// Load and save of a work file whose ten slots each hold 2 KB of content.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "model/SignProgram.h"

namespace {

namespace fs = std::filesystem;
using lumitag::SignProgram;

// A work file in a private temporary folder, removed at the end.
class WorkFile {
public:
    WorkFile()
    {
        folder_ = fs::temp_directory_path() / ("lumitag-bench-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        path_ = folder_ / "1.led";
        SignProgram program;
        program.LoadProgram(path_);
        for (int slot = 0; slot < lumitag::kSlotCount; ++slot) {
            program.ParseParams("10321001-201", slot);
            program.PutContent(slot, Content(slot));
        }
        program.SaveParams();
    }
    ~WorkFile()
    {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    const fs::path& path() const { return path_; }

    // 2 KB of rich text, with non-ASCII characters as real content has.
    static std::string Content(int slot)
    {
        std::string text = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\cf1 ";
        while (text.size() < 2048 - 8) text += "Slot " + std::to_string(slot) + " Gr\xC3\xBC\xC3\x9F" "e \\par ";
        return text + "}";
    }

private:
    fs::path folder_;
    fs::path path_;
};

void BM_LoadWorkFile(benchmark::State& state)
{
    const WorkFile file;
    for (auto _ : state) {
        SignProgram program;
        benchmark::DoNotOptimize(program.LoadProgram(file.path()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(fs::file_size(file.path())));
}
BENCHMARK(BM_LoadWorkFile);

// What a refresh of the ten previews costs: every GetContent reads the file again.
void BM_LoadProgramAndTenContents(benchmark::State& state)
{
    const WorkFile file;
    for (auto _ : state) {
        SignProgram program;
        program.LoadProgram(file.path());
        for (int slot = 0; slot < lumitag::kSlotCount; ++slot) benchmark::DoNotOptimize(program.GetContent(slot));
    }
}
BENCHMARK(BM_LoadProgramAndTenContents);

// One SaveParams: format, encode, write a temporary file, fsync, rename.
void BM_SaveWorkFile(benchmark::State& state)
{
    const WorkFile file;
    SignProgram program;
    program.LoadProgram(file.path());
    for (auto _ : state) benchmark::DoNotOptimize(program.SaveParams());
}
BENCHMARK(BM_SaveWorkFile)->Unit(benchmark::kMicrosecond);

// The in-memory part of a save, without the disk.
void BM_SerializeWorkFile(benchmark::State& state)
{
    const WorkFile file;
    SignProgram program;
    program.LoadProgram(file.path());
    for (auto _ : state) benchmark::DoNotOptimize(program.File().Serialize());
}
BENCHMARK(BM_SerializeWorkFile);

}  // namespace
