// Load and save of a full ID list: 255 named IDs in groups, twelve group names.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "model/GroupStore.h"

namespace {

namespace fs = std::filesystem;
using lumitag::GroupStore;

// Fills every record the way a busy installation would look.
void FillRegistry(GroupStore& store)
{
    store.groupChecks = 0x1FFF;
    for (int g = 1; g <= lumitag::kGroupCount; ++g) store.groupNames[g] = "Etage " + std::to_string(g) + " S\xC3\xBC" "d";
    for (int id = lumitag::kFirstId; id <= lumitag::kLastId; ++id) {
        auto& record = store.records[id];
        record.name = "Anzeige " + std::to_string(id) + " Eingang K\xC3\xBC" "che";
        record.groups = 1u | (1u << (1 + id % lumitag::kGroupCount));
        record.checks = record.groups;
    }
}

// An ID list in a private temporary folder, removed at the end.
class IdListFile {
public:
    IdListFile()
    {
        folder_ = fs::temp_directory_path() / ("lumitag-idlist-bench-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        path_ = folder_ / "IDLIST.id";
        GroupStore store(path_);
        FillRegistry(store);
        store.SaveIdList();
    }
    ~IdListFile()
    {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path folder_;
    fs::path path_;
};

// Start-up: a fresh store reads the whole file.
void BM_LoadIdList(benchmark::State& state)
{
    const IdListFile file;
    for (auto _ : state) {
        GroupStore store(file.path());
        benchmark::DoNotOptimize(store.LoadIdList());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(fs::file_size(file.path())));
}
BENCHMARK(BM_LoadIdList)->Unit(benchmark::kMicrosecond);

// What each check-box change or ID edit costs: every key put, then the whole
// file written to a temporary file, flushed to disk and renamed.
void BM_SaveIdList(benchmark::State& state)
{
    const IdListFile file;
    GroupStore store(file.path());
    store.LoadIdList();
    int id = lumitag::kFirstId;
    for (auto _ : state) {
        store.records[id].checks ^= 1u;
        id = id == lumitag::kLastId ? lumitag::kFirstId : id + 1;
        benchmark::DoNotOptimize(store.SaveIdList());
    }
}
BENCHMARK(BM_SaveIdList)->Unit(benchmark::kMicrosecond);

}  // namespace
