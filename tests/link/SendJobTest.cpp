// The send job through the worker: every pause of every protocol on the
// virtual clock, the to-file mode, results and events, snapshots and the
// refusal of a second job.

#include "LinkTestSupport.h"

namespace lumitag::test {
namespace {

std::vector<long long> Repeat(std::vector<long long> block, int times)
{
    std::vector<long long> out;
    for (int i = 0; i < times; ++i) out.insert(out.end(), block.begin(), block.end());
    return out;
}

std::vector<long long> operator+(std::vector<long long> a, const std::vector<long long>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Program {
    SlotParamTable params;
    PackedTables tables;
};

// Slot 0 sent with `len` bytes in frame 0 (and frame 1 when asked).
Program OneSlot(int len, bool bothFrames = false)
{
    Program p;
    SetSlot(p.params, 0, 1, 2, 3, 0, 1, 0);
    p.tables.frame0[0] = Image(Ramp(len, 1));
    if (bothFrames) p.tables.frame1[0] = Image(Ramp(len, 0x81));
    return p;
}

// Each report is followed by 20 ms; each frame by 20 ms more unless the
// model has 16 rows; then the protocol's own pauses.
TEST(SendJob, EveryPauseOfEveryProtocol)
{
    struct Case {
        const char* model;
        Program program;
        std::vector<long long> pauses;
    };
    const std::vector<long long> oneReport = {20, 20};  // rows 7 or 12
    const Case cases[] = {
        // Hello: header, parameter frame + 330, twelve 2-byte rows + 30, end 200.
        {"Q06", OneSlot(24), oneReport + oneReport + std::vector<long long>{330} +
                                 Repeat({20, 20, 30}, 12) + std::vector<long long>{200}},
        // Protocol 0 divides by 12 whatever the rows.
        {"Q01", OneSlot(24), oneReport + oneReport + std::vector<long long>{330} +
                                 Repeat({20, 20, 30}, 12) + std::vector<long long>{200}},
        // Two planes: 7 rows each, 320 ms between the passes.
        {"Q07", OneSlot(14, true),
         oneReport + oneReport + std::vector<long long>{330} + Repeat({20, 20, 30}, 7) +
             std::vector<long long>{320} + oneReport + oneReport + std::vector<long long>{330} +
             Repeat({20, 20, 30}, 7) + std::vector<long long>{200}},
        // Glyph slots: the data, then nine slot frames each + 20.
        {"Q03", OneSlot(3), oneReport + Repeat({20, 20, 20}, 9)},
        // Paged, 16 rows: 273-byte frames are five reports; header + 1000,
        // data + 500, each then the 1 ms frame-done step; end 500.
        {"Q30", OneSlot(300), Repeat({20, 20, 20, 20, 20, 1000, 1}, 1) + Repeat({20, 20, 20, 20, 20, 500, 1}, 2) +
                                  Repeat({20, 20, 20, 20, 20, 1000, 1}, 9) + std::vector<long long>{500}},
        // Bus, 16 rows: two data frames, nine clear frames, frame-done after each.
        {"Q26", OneSlot(300), Repeat({20, 20, 20, 20, 20, 1}, 2) + Repeat({20, 1}, 9)},
    };
    for (const auto& c : cases) {
        WorkerRig rig(c.model);
        ASSERT_EQ(rig.worker.StartSend(c.program.params, c.program.tables), JobResult::Success);
        EXPECT_EQ(rig.worker.Wait(), JobResult::Success) << c.model;
        EXPECT_EQ(rig.clock.Pauses(), c.pauses) << c.model;
        EXPECT_EQ(rig.events.Milestones(), (std::vector<std::string>{"progress 100 0 done", "send finished"}))
            << c.model;
        EXPECT_TRUE(rig.worker.FrameDone());
    }
}

// Q06, one slot of 24 bytes: the reports, the progress of each report, the log.
TEST(SendJob, HelloReportsProgressAndLog)
{
    WorkerRig rig("Q06");
    const Program p = OneSlot(24);
    rig.worker.StartSend(p.params, p.tables);
    ASSERT_EQ(rig.worker.Wait(), JobResult::Success);

    const Bytes header = Hex("48 65 6C 6C 6F");
    Bytes parameters = Hex("00 | 21 00 00 00 00 00 00 00 | 00 | 08 00 00 02");
    for (int j = 1; j < 8; ++j) {
        const Bytes group = Hex("08 02 00 00");
        parameters.insert(parameters.end(), group.begin(), group.end());
    }
    std::vector<Bytes> frames = {header, parameters};
    for (int r = 0; r < 12; ++r) frames.push_back(Ramp(2, 1 + 2 * r));
    EXPECT_EQ(rig.Payloads(), ReportsOf(frames));

    // Total 24 + 5*8 + 7 = 71; done counts the frame about to go out.
    std::vector<std::string> expected;
    long long done = 0;
    for (const auto& f : frames) {
        done += static_cast<long long>(f.size());
        expected.push_back("progress " + std::to_string(done * 100 / 71) + " 0");
    }
    expected.push_back("progress 100 0 done");
    expected.push_back("send finished");
    EXPECT_EQ(rig.events.All(), expected);

    std::string log = "Create Log File\n2015/08/15 14:05:09 /n\nSendData:2015/08/15 14:05:09 /n\n";
    for (const auto& f : frames) log += ToHex(f) + "\n";
    EXPECT_EQ(rig.Log(), log);
}

// To a file: the frames back to back, every hex line in the log, only the
// pauses that hold in every mode, no reports and no result message.
TEST(SendJob, ToFileWritesRawFramesAndKeepsOnlyTheFixedPauses)
{
    struct Case {
        const char* model;
        std::vector<long long> pauses;
    };
    const Case cases[] = {
        {"Q06", {330}},
        {"Q30", std::vector<long long>{1000, 500, 500} + Repeat({1000}, 9)},
        {"Q26", {}},
        {"Q03", {}},
    };
    for (const auto& c : cases) {
        WorkerRig rig(c.model, false);  // no device needed
        const Program p = OneSlot(300);
        const auto outPath = rig.folder / "out.bin";
        ASSERT_EQ(rig.worker.StartSend(p.params, p.tables, std::make_unique<std::ofstream>(outPath, std::ios::binary)),
                  JobResult::Success);
        EXPECT_EQ(rig.worker.Wait(), JobResult::Success) << c.model;
        EXPECT_EQ(rig.clock.Pauses(), c.pauses) << c.model;

        const auto plan = BuildSend({rig.worker.Settings(), 1, false}, p.params, p.tables);
        std::string raw, log;
        for (const auto& f : FramesOf(*plan)) {
            raw.append(f.begin(), f.end());
            log += ToHex(f) + "\n";
        }
        EXPECT_EQ(ReadFile(outPath), raw) << c.model;
        EXPECT_TRUE(rig.Log().ends_with(log)) << c.model;
        EXPECT_EQ(rig.events.Milestones(), (std::vector<std::string>{"progress 100 0 done", "send finished"}));
        EXPECT_TRUE(rig.backend.Reports().empty());

        // The mode lasts one job: the next send needs a device again.
        rig.worker.StartSend(p.params, p.tables);
        EXPECT_EQ(rig.worker.Wait(), JobResult::NoDevice);
    }
}

TEST(SendJob, NoDeviceEndsAtOnce)
{
    WorkerRig rig("Q29", false);
    const Program p = OneSlot(300);
    rig.worker.StartSend(p.params, p.tables);
    EXPECT_EQ(rig.worker.Wait(), JobResult::NoDevice);
    EXPECT_EQ(rig.events.All(), (std::vector<std::string>{"progress 0 1 done", "send finished"}));
    EXPECT_EQ(rig.Log(), "Create Log File\n2015/08/15 14:05:09 /n\nSendData:2015/08/15 14:05:09 /n\n");
    EXPECT_TRUE(rig.clock.Pauses().empty());
}

TEST(SendJob, FailedFrameStopsTheSequence)
{
    struct Case {
        const char* model;
        int failingWrite;
        std::size_t reportsWritten;
        std::vector<std::string> milestones;
    };
    const Case cases[] = {
        // Hello: the parameter frame fails; no data follows.
        {"Q06", 1, 1, {"progress 0 3 done", "send finished"}},
        // Paged: reports (100, done) before the failure result.
        {"Q30", 0, 4, {"progress 100 0 done", "progress 0 3 done", "send finished"}},
        {"Q26", 7, 9, {"progress 0 3 done", "send finished"}},
    };
    for (const auto& c : cases) {
        WorkerRig rig(c.model);
        rig.backend.FailWrite(c.failingWrite);
        const Program p = OneSlot(300);
        rig.worker.StartSend(p.params, p.tables);
        EXPECT_EQ(rig.worker.Wait(), JobResult::SendFailure) << c.model;
        EXPECT_EQ(rig.backend.Reports().size(), c.reportsWritten) << c.model;
        EXPECT_EQ(rig.events.Milestones(), c.milestones) << c.model;
        EXPECT_EQ(rig.reporter.texts(), std::vector<std::string>{"usb write error!"}) << c.model;
    }
}

// The sign is pulled out during the first data frame: the rest of that frame
// fails (one box per report), the job ends with the send failure, and once
// the removal is handled the next send finds no device.
TEST(SendJob, DeviceVanishesMidFrame)
{
    WorkerRig rig("Q26");
    rig.backend.VanishAfter(2);
    const Program p = OneSlot(300);
    rig.worker.StartSend(p.params, p.tables);
    EXPECT_EQ(rig.worker.Wait(), JobResult::SendFailure);
    EXPECT_EQ(rig.backend.Reports().size(), 2u);
    EXPECT_EQ(rig.reporter.texts(), std::vector<std::string>(3, "usb write error!"));

    EXPECT_EQ(rig.link.DeviceRemoved(kSignPath), DeviceChange::CurrentRemoved);
    rig.worker.StartSend(p.params, p.tables);
    EXPECT_EQ(rig.worker.Wait(), JobResult::NoDevice);
    EXPECT_EQ(rig.reporter.texts().size(), 3u);
}

TEST(SendJob, UnknownProtocolIsRefusedNotReportedAsSent)
{
    WorkerRig rig("Q06");
    auto settings = rig.worker.Settings();
    settings.protocol = static_cast<LinkProtocol>(6);
    rig.worker.SetSettings(settings);
    const Program p = OneSlot(24);
    rig.worker.StartSend(p.params, p.tables);
    EXPECT_EQ(rig.worker.Wait(), JobResult::SendFailure);
    EXPECT_TRUE(rig.backend.Reports().empty());
    EXPECT_EQ(rig.events.All(), (std::vector<std::string>{"progress 0 3 done", "send finished"}));
}

// A second job is refused while one runs; the running job sends what it had
// when it started, whatever the caller changes meanwhile.
TEST(SendJob, SnapshotAndRefusalWhileBusy)
{
    WorkerRig rig("Q06");
    GateEvents gate;
    rig.worker.SetEvents(&gate);
    Program p = OneSlot(24);
    const auto expected = ReportsOf(FramesOf(*BuildSend({rig.worker.Settings(), 1, false}, p.params, p.tables)));

    ASSERT_EQ(rig.worker.StartSend(p.params, p.tables), JobResult::Success);
    gate.WaitUntilHeld();  // the job stands inside its first progress event
    EXPECT_TRUE(rig.worker.IsBusy());
    EXPECT_EQ(rig.worker.StartSend(p.params, p.tables), JobResult::Busy);
    EXPECT_EQ(rig.worker.StartScan(), JobResult::Busy);
    EXPECT_EQ(rig.worker.StartGroup({1}, GroupMode::PowerOn, p.params, p.tables), JobResult::Busy);

    p.params.Clear();
    p.tables.frame0[0].Clear();
    rig.worker.ApplyModel("Q26");
    gate.Release();
    EXPECT_EQ(rig.worker.Wait(), JobResult::Success);
    EXPECT_FALSE(rig.worker.IsBusy());
    EXPECT_EQ(rig.Payloads(), expected);
    EXPECT_EQ(rig.clock.Pauses().back(), 200);  // still the Hello sequence
}

// The main window starts the next sign's send when one has finished, and may
// start a job as soon as a scan has ended: the closing events already see
// the worker free, even while the job's thread is still delivering them.
TEST(SendJob, NextJobCanStartFromTheClosingEvents)
{
    class FollowUp : public RecordingEvents {
    public:
        SendWorker* worker = nullptr;
        Program program = OneSlot(24);
        std::vector<JobResult> starts;

        void SendFinished() override
        {
            RecordingEvents::SendFinished();
            if (starts.size() < 3) starts.push_back(worker->StartSend(program.params, program.tables));
        }
        void ScanFinished() override
        {
            RecordingEvents::ScanFinished();
            starts.push_back(worker->StartSend(program.params, program.tables));
        }
    };
    WorkerRig rig("Q06");
    FollowUp followUp;
    followUp.worker = &rig.worker;
    rig.worker.SetEvents(&followUp);

    ASSERT_EQ(rig.worker.StartScan(), JobResult::Success);
    EXPECT_EQ(rig.worker.Wait(), JobResult::Success);
    EXPECT_EQ(followUp.starts, std::vector<JobResult>(3, JobResult::Success));
    const auto milestones = followUp.Milestones();
    EXPECT_EQ(std::count(milestones.begin(), milestones.end(), "send finished"), 3);
    EXPECT_EQ(rig.backend.Reports().size(), 254u + 3u * 14u);
}

// A closing-event handler starts the next job and then stays a while: the
// next job's events must wait for it (one worker's events never overlap and
// keep their order), yet the job it started still runs to its end.
TEST(SendJob, NextJobEventsWaitForTheClosingEventsThatStartedIt)
{
    class Lingering : public RecordingEvents {
    public:
        SendWorker* worker = nullptr;
        Program program = OneSlot(24);
        std::atomic<int> inside{0};
        std::atomic<bool> overlapped{false};
        std::mutex mutex;
        std::condition_variable otherEvent;
        int followUps = 0;

    protected:
        void Add(std::string event) override
        {
            if (inside.fetch_add(1) != 0) overlapped = true;
            RecordingEvents::Add(event);
            {
                std::lock_guard lock(mutex);
                otherEvent.notify_all();
            }
            if (event == "send finished" && followUps < 2) {
                ++followUps;
                ASSERT_EQ(worker->StartSend(program.params, program.tables), JobResult::Success);
                // Long enough for the next job (on the virtual clock, it
                // takes microseconds) to deliver events if it were let run.
                std::unique_lock lock(mutex);
                const auto before = All().size();
                otherEvent.wait_for(lock, std::chrono::milliseconds(200), [&] { return All().size() != before; });
            }
            inside.fetch_sub(1);
        }
    };
    WorkerRig rig("Q06");
    Lingering events;
    events.worker = &rig.worker;
    rig.worker.SetEvents(&events);

    const Program program = OneSlot(24);
    ASSERT_EQ(rig.worker.StartSend(program.params, program.tables), JobResult::Success);
    EXPECT_EQ(rig.worker.Wait(), JobResult::Success);
    EXPECT_FALSE(events.overlapped);
    const auto all = events.All();
    EXPECT_EQ(std::count(all.begin(), all.end(), "send finished"), 3);
    // Each job's final progress comes before its "send finished", and the
    // next job's first event after both.
    std::vector<std::string> milestones = events.Milestones();
    const std::vector<std::string> expected = {"progress 100 0 done", "send finished", "progress 100 0 done",
                                               "send finished", "progress 100 0 done", "send finished"};
    EXPECT_EQ(milestones, expected);
    EXPECT_EQ(all.back(), "send finished");
}

}  // namespace
}  // namespace lumitag::test
