// The group job (power on, power off, send to a group), the ID-scan job and
// the service calls written directly: clock, ID read request, ID change.

#include "LinkTestSupport.h"

namespace lumitag::test {
namespace {

TEST(GroupJob, PowerOnThreeSigns)
{
    WorkerRig rig("Q26");
    ASSERT_EQ(rig.worker.StartGroup({4, 9, 256}, GroupMode::PowerOn, {}, {}), JobResult::Success);
    EXPECT_EQ(rig.worker.Wait(), JobResult::Success);
    EXPECT_EQ(rig.Payloads(), ReportsOf({Hex("7E 04 CF 00 D0 7E"), Hex("7E 09 CF 00 D0 7E"), Hex("7E 00 CF 00 D0 7E")}));
    EXPECT_EQ(rig.events.All(),
              (std::vector<std::string>{"progress 33 0", "progress 66 0", "progress 99 0", "progress 100 0 done"}));
    // Each frame: one report (16 rows: no extra pause), then the frame-done step.
    EXPECT_EQ(rig.clock.Pauses(), (std::vector<long long>{20, 1, 20, 1, 20, 1}));
    EXPECT_TRUE(rig.worker.FrameDone());
    EXPECT_EQ(rig.worker.SignId(), 1);
}

TEST(GroupJob, FailuresAreCountedAndReported)
{
    WorkerRig rig("Q06");
    rig.backend.FailWrite(1);
    // Sign 0 is no sign ID: counted as failed, nothing written for it.
    rig.worker.StartGroup({4, 9, 0, 5}, GroupMode::PowerOff, {}, {});
    EXPECT_EQ(rig.worker.Wait(), JobResult::SendFailure);
    EXPECT_EQ(rig.Payloads(), ReportsOf({Hex("7E 04 CF 01 D1 7E"), Hex("7E 05 CF 01 D1 7E")}));
    EXPECT_EQ(rig.events.Milestones(), (std::vector<std::string>{"progress 100 0 done", "group 2/4"}));
    EXPECT_EQ(rig.reporter.texts(), std::vector<std::string>{"usb write error!"});
}

TEST(GroupJob, NoDevice)
{
    WorkerRig rig("Q26", false);
    rig.worker.StartGroup({1, 2}, GroupMode::PowerOn, {}, {});
    EXPECT_EQ(rig.worker.Wait(), JobResult::NoDevice);
    EXPECT_EQ(rig.events.All(), std::vector<std::string>{"progress 0 1 done"});
}

// Group send speaks the bus protocol on any model, once per sign, with the
// progress of sign i of M shown as 100*i/M + p/M.
TEST(GroupJob, SendRunsTheBusSequencePerSign)
{
    WorkerRig rig("Q30");  // a paged model: the group still sends bus frames
    SlotParamTable params;
    SetSlot(params, 0, 0, 0, 0, 0, 1, 0);
    PackedTables tables;
    tables.frame0[0] = Image(Ramp(20));
    rig.worker.StartGroup({3, 8}, GroupMode::Send, params, tables);
    EXPECT_EQ(rig.worker.Wait(), JobResult::Success);

    const auto payloads = rig.Payloads();
    ASSERT_EQ(payloads.size(), 2u * (5 + 9));
    EXPECT_EQ(ToHex({payloads[0].begin(), payloads[0].begin() + 5}), "7E 03 DD 00 00 ");
    EXPECT_EQ(ToHex({payloads[5].begin(), payloads[5].begin() + 8}), ToHex(Hex("7E 03 CD 00 30 00 FE 7E")));
    EXPECT_EQ(ToHex({payloads[14].begin(), payloads[14].begin() + 5}), "7E 08 DD 00 00 ");

    // Ten frames per sign, total 10 + 1 = 11; sign 1 starts from 50.
    std::vector<std::string> expected;
    for (int sign = 0; sign < 2; ++sign) {
        for (int frame = 1; frame <= 10; ++frame) {
            const int percent = 100 * sign / 2 + (frame * 100 / 11) / 2;
            const int reports = frame == 1 ? 5 : 1;
            for (int r = 0; r < reports; ++r) expected.push_back("progress " + std::to_string(percent) + " 0");
        }
        expected.push_back("progress 100 0 done");  // each sign's sequence ends
    }
    expected.push_back("progress 100 0 done");  // the group's end
    EXPECT_EQ(rig.events.All(), expected);
}

TEST(ScanJob, ScansIdsOneTo254)
{
    WorkerRig rig("Q06");
    ASSERT_EQ(rig.worker.StartScan(), JobResult::Success);
    EXPECT_EQ(rig.worker.Wait(), JobResult::Success);

    std::vector<Bytes> frames;
    std::vector<std::string> events;
    std::vector<long long> pauses;
    for (int id = 1; id <= 254; ++id) {
        frames.push_back({0x7E, static_cast<std::uint8_t>(id), 0xF2, 0x00, 0x00, 0x00, 0x7E});
        events.push_back("progress 0 0");
        events.push_back("scan " + std::to_string(id * 100 / 255));
        pauses.insert(pauses.end(), {20, 20, 20});
    }
    pauses.push_back(100);
    events.push_back("scan 100 end");
    events.push_back("scan finished");
    EXPECT_EQ(rig.Payloads(), ReportsOf(frames));
    EXPECT_EQ(rig.events.All(), events);
    EXPECT_EQ(rig.clock.Pauses(), pauses);
}

TEST(ScanJob, WithoutDeviceOnlyEnds)
{
    WorkerRig rig("Q06", false);
    rig.worker.StartScan();
    EXPECT_EQ(rig.worker.Wait(), JobResult::NoDevice);
    EXPECT_EQ(rig.events.All(), (std::vector<std::string>{"scan 100 end", "scan finished"}));
    EXPECT_TRUE(rig.clock.Pauses().empty());
}

TEST(ServiceCalls, ClockPerModel)
{
    struct Case {
        const char* model;
        std::vector<Bytes> frames;
    };
    const Case cases[] = {
        {"Q03", {Hex("31 34 3A 30 35 3A 30 39"), Hex("FA AF FF FF 30 33 30 FF FF FF FF 7A")}},
        {"Q06", {Hex("AA AA AA AA 02 00 00 01 00 08 00 40 10 06 07 DF 08 0F 0E 05 09 02 01 55 88")}},
        {"Q26", {Hex("7E 01 F1 00 00 09 05 0E 0F 08 06 DF 4D 7E")}},
    };
    for (const auto& c : cases) {
        WorkerRig rig(c.model);
        rig.worker.SetIdMode(true);
        rig.worker.SetSignId(42);  // clock frames never carry the ID
        EXPECT_TRUE(rig.worker.SendClock());
        EXPECT_TRUE(rig.worker.FrameDone());
        EXPECT_EQ(rig.Payloads(), ReportsOf(c.frames)) << c.model;
    }
}

TEST(ServiceCalls, ClockWithoutDeviceClearsFrameDone)
{
    WorkerRig rig("Q06", false);
    EXPECT_TRUE(rig.worker.SendClock());
    EXPECT_FALSE(rig.worker.FrameDone());
    EXPECT_TRUE(rig.backend.Reports().empty());
}

// A failed write still leaves frameDone set: the clock check reports success.
TEST(ServiceCalls, ClockWithFailedWriteStillSetsFrameDone)
{
    WorkerRig rig("Q06");
    rig.backend.FailWrite(0);
    EXPECT_TRUE(rig.worker.SendClock());
    EXPECT_TRUE(rig.worker.FrameDone());
    EXPECT_EQ(rig.reporter.texts(), std::vector<std::string>{"usb write error!"});
}

TEST(ServiceCalls, IdReadAndChange)
{
    WorkerRig bus("Q27");
    EXPECT_TRUE(bus.worker.ReadReply());
    EXPECT_TRUE(bus.worker.RequestIdRead());
    EXPECT_FALSE(bus.worker.ReadReply());
    EXPECT_TRUE(bus.worker.ChangeId(3, 7));
    EXPECT_EQ(bus.Payloads(), ReportsOf({Hex("7E 01 F2 00 00 00 7E"), Hex("7E 03 1D 07 00 7E")}));

    WorkerRig other("Q14");
    EXPECT_TRUE(other.worker.RequestIdRead());
    EXPECT_TRUE(other.worker.ChangeId(3, 7));
    EXPECT_EQ(other.Payloads(), ReportsOf({Hex("48 65 6C 96 6F"), Hex("48 03 07 9A 6F")}));
}

TEST(ServiceCalls, SignIdsOutsideTheRangeAreRefused)
{
    WorkerRig rig("Q27");
    for (auto [oldId, newId] : {std::pair{0, 7}, {3, 0}, {257, 7}, {3, 300}, {-1, 5}})
        EXPECT_FALSE(rig.worker.ChangeId(oldId, newId)) << oldId << " " << newId;
    EXPECT_TRUE(rig.backend.Reports().empty());
    EXPECT_FALSE(rig.worker.SetSignId(0));
    EXPECT_FALSE(rig.worker.SetSignId(257));
    EXPECT_TRUE(rig.worker.SetSignId(256));
    EXPECT_EQ(rig.worker.SignId(), 256);
}

}  // namespace
}  // namespace lumitag::test
