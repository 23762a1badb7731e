#pragma once
// Helpers shared by the link tests: hex vectors, a recording event sink, a
// worker wired to a fake link on a virtual clock in a temporary folder.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "link/FakeHidBackend.h"
#include "link/Frames.h"
#include "link/HidLink.h"
#include "link/SendWorker.h"
#include "link/Sleeper.h"
#include "model/Reporter.h"

namespace lumitag::test {

// "48 65 6c" → bytes; spaces and "|" separators are ignored.
inline Bytes Hex(std::string_view text)
{
    Bytes out;
    int nibbles = 0;
    std::uint8_t value = 0;
    for (char c : text) {
        int v;
        if (c >= '0' && c <= '9') v = c - '0';
        else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
        else continue;
        value = static_cast<std::uint8_t>(value << 4 | v);
        if (++nibbles % 2 == 0) out.push_back(value);
    }
    return out;
}

inline Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline std::string ToHex(std::span<const std::uint8_t> bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string s;
    for (auto b : bytes) {
        s.push_back(kDigits[b >> 4]);
        s.push_back(kDigits[b & 15]);
        s.push_back(' ');
    }
    return s;
}

inline PackedImage Image(Bytes data)
{
    PackedImage image;
    image.size = static_cast<int>(data.size());
    image.data = std::move(data);
    return image;
}

// `count` bytes starting at `first`, counting up (mod 256).
inline Bytes Ramp(int count, int first = 0)
{
    Bytes out(count);
    for (int i = 0; i < count; ++i) out[i] = static_cast<std::uint8_t>(first + i);
    return out;
}

inline void SetSlot(SlotParamTable& params, int slot, int effect, int speed, int time, int marquee, int send, int blink)
{
    params.values[static_cast<int>(SlotField::kind) * 10 + slot] = 1;
    params.values[static_cast<int>(SlotField::effect) * 10 + slot] = effect;
    params.values[static_cast<int>(SlotField::speed) * 10 + slot] = speed;
    params.values[static_cast<int>(SlotField::time) * 10 + slot] = time;
    params.values[static_cast<int>(SlotField::marquee) * 10 + slot] = marquee;
    params.values[static_cast<int>(SlotField::send) * 10 + slot] = send;
    params.values[static_cast<int>(SlotField::blink) * 10 + slot] = blink;
}

inline ModelSettings Model(std::string_view name)
{
    ModelSettings settings;
    EXPECT_TRUE(ApplyModel(settings, name)) << name;
    return settings;
}

// The frames of a plan (pause-only steps left out).
inline std::vector<Bytes> FramesOf(const SendPlan& plan)
{
    std::vector<Bytes> frames;
    for (const auto& step : plan.steps)
        if (!step.bytes.empty()) frames.push_back(step.bytes);
    return frames;
}

// One recorded event, printed for readable comparisons.
class RecordingEvents : public SendEvents {
public:
    void Progress(int percent, JobResult code, bool done) override
    {
        Add("progress " + std::to_string(percent) + " " + std::to_string(static_cast<int>(code)) + (done ? " done" : ""));
    }
    void GroupResult(int succeeded, int count) override
    {
        Add("group " + std::to_string(succeeded) + "/" + std::to_string(count));
    }
    void ScanFinished() override { Add("scan finished"); }
    void SendFinished() override { Add("send finished"); }
    void ScanProgress(int percent, bool end) override
    {
        Add("scan " + std::to_string(percent) + (end ? " end" : ""));
    }

    std::vector<std::string> All() const
    {
        std::lock_guard lock(mutex_);
        return events_;
    }
    // The events other than the per-report progress of unfinished jobs.
    std::vector<std::string> Milestones() const
    {
        std::vector<std::string> out;
        for (const auto& e : All())
            if (e.rfind("progress ", 0) != 0 || e.ends_with("done")) out.push_back(e);
        return out;
    }

protected:
    virtual void Add(std::string event)
    {
        std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> events_;
};

// Holds the job thread inside its first event until released.
class GateEvents : public RecordingEvents {
public:
    void WaitUntilHeld()
    {
        std::unique_lock lock(gate_);
        cv_.wait(lock, [&] { return held_; });
    }
    void Release()
    {
        std::lock_guard lock(gate_);
        released_ = true;
        cv_.notify_all();
    }

protected:
    void Add(std::string event) override
    {
        RecordingEvents::Add(std::move(event));
        std::unique_lock lock(gate_);
        held_ = true;
        cv_.notify_all();
        cv_.wait(lock, [&] { return released_; });
    }

private:
    std::mutex gate_;
    std::condition_variable cv_;
    bool held_ = false;
    bool released_ = false;
};

inline std::filesystem::path UniqueTempFolder()
{
    static std::atomic<int> counter{0};
    std::random_device random;
    auto folder = std::filesystem::temp_directory_path() /
                  ("lumitag-link-" + std::to_string(random()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(folder);
    return folder;
}

inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline const LocalTime kSaturday{2015, 8, 15, 14, 5, 9, 6};
inline const std::string kSignPath = "/dev/hidraw3";

// A worker on a fake link with one sign open, on a virtual clock.
struct WorkerRig {
    explicit WorkerRig(std::string_view model = "Q06", bool plugged = true)
        : folder(UniqueTempFolder()),
          backend(&clock),
          link(backend, &reporter, &clock),
          worker(link, clock, folder / "Debug.Log", [] { return kSaturday; })
    {
        worker.ApplyModel(model);
        worker.SetEvents(&events);
        if (plugged) {
            backend.Plug(kSignPath);
            EXPECT_TRUE(link.Enumerate());
            EXPECT_TRUE(link.Open(kSignPath));
        }
    }
    ~WorkerRig()
    {
        worker.Wait();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    // The payloads of the reports (report ID checked and stripped).
    std::vector<Bytes> Payloads() const
    {
        std::vector<Bytes> out;
        for (const auto& report : backend.Reports()) {
            EXPECT_EQ(report.bytes.size(), 65u);
            EXPECT_EQ(report.bytes[0], 0x00);
            out.emplace_back(report.bytes.begin() + 1, report.bytes.end());
        }
        return out;
    }
    std::string Log() const { return ReadFile(folder / "Debug.Log"); }

    std::filesystem::path folder;
    VirtualClock clock;
    RecordingReporter reporter;
    RecordingEvents events;
    FakeHidBackend backend;
    HidLink link;
    SendWorker worker;
};

// The payloads a frame becomes: 64-byte pieces, the last one zero-filled.
inline std::vector<Bytes> ReportsOf(const std::vector<Bytes>& frames)
{
    std::vector<Bytes> out;
    for (const auto& frame : frames) {
        for (std::size_t pos = 0; pos < frame.size(); pos += 64) {
            Bytes payload(64, 0);
            std::copy(frame.begin() + pos, frame.begin() + std::min(frame.size(), pos + 64), payload.begin());
            out.push_back(payload);
        }
    }
    return out;
}

}  // namespace lumitag::test
