// Send overhead: the wall time of a whole send to a link that writes
// instantly, with the real sleeper, over the sum of the pauses the protocol
// mandates (1.00 is the floor). And the CPU time of building a Q36 program.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "link/FakeHidBackend.h"
#include "link/Frames.h"
#include "link/HidLink.h"
#include "link/SendWorker.h"
#include "link/Sleeper.h"

namespace lumitag {
namespace {

// Sums the pauses asked for, then sleeps them for real; keeps how far the
// wall clock runs behind the sum (the lag), to show where overhead builds up.
class CountingSleeper : public Sleeper {
public:
    void Pause(std::chrono::milliseconds duration) override
    {
        if (requested_ == 0) start_ = std::chrono::steady_clock::now();
        requested_ += duration.count();
        real_.Pause(duration);
        const std::chrono::duration<double, std::milli> lag =
            std::chrono::steady_clock::now() - start_ - std::chrono::milliseconds(requested_);
        maxLagMs_ = std::max(maxLagMs_, lag.count());
        lastLagMs_ = lag.count();
    }
    long long RequestedMs() const { return requested_; }
    double MaxLagMs() const { return maxLagMs_; }
    double LastLagMs() const { return lastLagMs_; }

private:
    SteadySleeper real_;
    std::chrono::steady_clock::time_point start_;
    long long requested_ = 0;
    double maxLagMs_ = 0;
    double lastLagMs_ = 0;
};

// Every slot of the model sent, each `bytesPerSlot` long.
void FullProgram(const ModelSettings& model, int bytesPerSlot, SlotParamTable& params, PackedTables& tables)
{
    params.Clear();
    for (int j = 0; j < model.slotCount; ++j) {
        params.values[static_cast<int>(SlotField::kind) * 10 + j] = 1;
        params.values[static_cast<int>(SlotField::send) * 10 + j] = 1;
        params.values[static_cast<int>(SlotField::speed) * 10 + j] = j % 8;
        for (auto* table : {&tables.frame0, &tables.frame1}) {
            auto& image = (*table)[j];
            image.data.resize(bytesPerSlot);
            for (int i = 0; i < bytesPerSlot; ++i) image.data[i] = static_cast<std::uint8_t>(i * 7 + j);
            image.size = bytesPerSlot;
        }
    }
}

// Q36: one full 256-column page (1024 bytes) in each of the ten slots.
// Q06: 24 bytes a row (192 columns) of 12 rows in each of its slots.
void BM_SendOverhead(benchmark::State& state, const char* modelName, int bytesPerSlot)
{
    ModelSettings model;
    ApplyModel(model, modelName);
    SlotParamTable params;
    PackedTables tables;
    FullProgram(model, bytesPerSlot, params, tables);

    FakeHidBackend backend;
    backend.SetRecording(false);
    backend.Plug("/dev/hidraw0");
    HidLink link(backend, nullptr, nullptr);
    link.Enumerate();
    link.Open("/dev/hidraw0");
    const auto log = std::filesystem::temp_directory_path() / "lumitag-link-bench.log";

    double ratio = 0;
    for (auto _ : state) {
        CountingSleeper sleeper;
        SendWorker worker(link, sleeper, log);
        worker.ApplyModel(modelName);
        const auto start = std::chrono::steady_clock::now();
        worker.StartSend(params, tables);
        if (worker.Wait() != JobResult::Success) state.SkipWithError("send failed");
        const std::chrono::duration<double, std::milli> wall = std::chrono::steady_clock::now() - start;
        ratio = wall.count() / static_cast<double>(sleeper.RequestedMs());
        state.counters["mandated_ms"] = static_cast<double>(sleeper.RequestedMs());
        state.counters["max_lag_ms"] = sleeper.MaxLagMs();
        state.counters["final_lag_ms"] = sleeper.LastLagMs();
    }
    state.counters["overhead"] = ratio;
    state.counters["reports"] = static_cast<double>(backend.WriteCount()) / static_cast<double>(state.iterations());
    std::filesystem::remove(log);
}
BENCHMARK_CAPTURE(BM_SendOverhead, Q36, "Q36", 1024)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SendOverhead, Q06, "Q06", 24 * 12)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_BuildQ36Program(benchmark::State& state)
{
    ModelSettings model;
    ApplyModel(model, "Q36");
    SlotParamTable params;
    PackedTables tables;
    FullProgram(model, static_cast<int>(state.range(0)), params, tables);
    for (auto _ : state) {
        auto plan = BuildSend({model, 1, false}, params, tables);
        benchmark::DoNotOptimize(plan);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * model.slotCount);
}
BENCHMARK(BM_BuildQ36Program)->Arg(1024)->Arg(12288)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumitag
