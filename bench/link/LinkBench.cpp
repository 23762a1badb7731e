// Send pacing with the real sleeper over a link that writes instantly, on a
// quiet machine and with both cores busy: every gap between two reports
// against the pauses the protocol mandates for it, and the whole send's wall
// time against their sum (1.00 is the floor). And the CPU time of building a
// Q36 program.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "link/HidBackend.h"
#include "link/Frames.h"
#include "link/HidLink.h"
#include "link/SendWorker.h"
#include "link/Sleeper.h"

namespace lumitag {
namespace {

// A link whose writes succeed at once and keep the time they happened.
class TimedBackend : public HidBackend {
public:
    std::optional<std::vector<std::string>> Enumerate(std::uint16_t, std::uint16_t) override
    {
        return std::vector<std::string>{"/dev/hidraw0"};
    }
    OpenResult Open(const std::string&) override { return {std::make_unique<Handle>(*this), OpenError::None, {}}; }
    std::vector<std::chrono::steady_clock::time_point> writes;

private:
    struct Handle : HidHandle {
        explicit Handle(TimedBackend& owner) : owner_(owner) {}
        int Write(std::span<const std::uint8_t> report) override
        {
            owner_.writes.push_back(std::chrono::steady_clock::now());
            return static_cast<int>(report.size());
        }
        std::string LastError() const override { return {}; }
        TimedBackend& owner_;
    };
};

// Sleeps for real, and adds each pause to the gap that follows the latest
// write: what the sign is owed before the next report.
class CountingSleeper : public Sleeper {
public:
    explicit CountingSleeper(const TimedBackend& backend) : backend_(backend) {}
    void Pause(std::chrono::milliseconds duration) override
    {
        const std::size_t gap = backend_.writes.size();
        if (owed_.size() <= gap) owed_.resize(gap + 1);
        owed_[gap] += duration;
        total_ += duration;
        real_.Pause(duration);
    }
    // Pauses owed after write i (1-based: index 0 is before the first write).
    const std::vector<std::chrono::milliseconds>& Owed() const { return owed_; }
    std::chrono::milliseconds Total() const { return total_; }

private:
    const TimedBackend& backend_;
    SteadySleeper real_;
    std::vector<std::chrono::milliseconds> owed_;
    std::chrono::milliseconds total_{0};
};

// Keeps both cores busy from other processes while it lives.
class CpuLoad {
public:
    explicit CpuLoad(int processes)
    {
        for (int i = 0; i < processes; ++i) {
            const pid_t pid = fork();
            if (pid == 0) {
                volatile unsigned long spin = 0;
                for (;;) spin = spin + 1;
            }
            if (pid > 0) children_.push_back(pid);
        }
    }
    ~CpuLoad()
    {
        for (pid_t pid : children_) kill(pid, SIGKILL);
        for (pid_t pid : children_) waitpid(pid, nullptr, 0);
    }

private:
    std::vector<pid_t> children_;
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
// Sends over a link that writes at once, quiet or with both cores kept busy
// by two spinning processes. Counters: the shortest gap between two reports
// minus the pauses owed for it (never below zero), the smallest gap/owed
// ratio, and the whole send's wall time over the sum of the pauses.
void BM_SendPacing(benchmark::State& state, const char* modelName, int bytesPerSlot)
{
    const bool loaded = state.range(0) != 0;
    ModelSettings model;
    ApplyModel(model, modelName);
    SlotParamTable params;
    PackedTables tables;
    FullProgram(model, bytesPerSlot, params, tables);
    const auto log = std::filesystem::temp_directory_path() / "lumitag-link-bench.log";

    for (auto _ : state) {
        TimedBackend backend;
        backend.writes.reserve(1 << 16);
        HidLink link(backend, nullptr, nullptr);
        link.Enumerate();
        link.Open("/dev/hidraw0");
        CountingSleeper sleeper(backend);
        SendWorker worker(link, sleeper, log);
        worker.ApplyModel(modelName);
        CpuLoad load(loaded ? 2 : 0);
        const auto start = std::chrono::steady_clock::now();
        worker.StartSend(params, tables);
        if (worker.Wait() != JobResult::Success) state.SkipWithError("send failed");
        const auto end = std::chrono::steady_clock::now();

        using Ms = std::chrono::duration<double, std::milli>;
        double shortestSlack = 1e9;
        double smallestRatio = 1e9;
        const auto& owed = sleeper.Owed();
        for (std::size_t i = 1; i < backend.writes.size() && i < owed.size(); ++i) {
            if (owed[i].count() == 0) continue;
            const Ms gap = backend.writes[i] - backend.writes[i - 1];
            shortestSlack = std::min(shortestSlack, gap.count() - Ms(owed[i]).count());
            smallestRatio = std::min(smallestRatio, gap.count() / Ms(owed[i]).count());
        }
        state.counters["mandated_ms"] = static_cast<double>(sleeper.Total().count());
        state.counters["shortest_gap_minus_mandated_ms"] = shortestSlack;
        state.counters["smallest_gap_ratio"] = smallestRatio;
        state.counters["total_ratio"] = Ms(end - start).count() / Ms(sleeper.Total()).count();
        state.counters["reports"] = static_cast<double>(backend.writes.size());
    }
    std::filesystem::remove(log);
}
BENCHMARK_CAPTURE(BM_SendPacing, Q36, "Q36", 1024)
    ->ArgName("loaded")->Arg(0)->Arg(1)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SendPacing, Q06, "Q06", 24 * 12)
    ->ArgName("loaded")->Arg(0)->Arg(1)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

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
