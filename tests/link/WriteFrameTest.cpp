// WriteFrame: the log line, cutting into 65-byte reports, 20 ms pacing on the
// virtual clock, and the extra pause on models without 16 rows.

#include "LinkTestSupport.h"

namespace lumitag::test {
namespace {

TEST(WriteFrame, CutsIntoReportsPacedTwentyMsApart)
{
    struct Case {
        const char* model;
        int length;
        std::vector<int> payloadSizes;
        std::vector<long long> pauses;
    };
    const Case cases[] = {
        {"Q26", 276, {64, 64, 64, 64, 20}, {20, 20, 20, 20, 20}},  // 16 rows: no extra pause
        {"Q06", 276, {64, 64, 64, 64, 20}, {20, 20, 20, 20, 20, 20}},
        {"Q06", 64, {64}, {20, 20}},
        {"Q36", 65, {64, 1}, {20, 20}},
        {"Q01", 10, {10}, {20, 20}},
    };
    for (const auto& c : cases) {
        WorkerRig rig(c.model);
        const Bytes frame = Ramp(c.length, 1);
        EXPECT_TRUE(rig.worker.WriteFrame(frame));
        EXPECT_EQ(rig.clock.Pauses(), c.pauses) << c.model << " " << c.length;

        const auto reports = rig.backend.Reports();
        ASSERT_EQ(reports.size(), c.payloadSizes.size());
        std::size_t pos = 0;
        for (std::size_t i = 0; i < reports.size(); ++i) {
            // Report ID 0, the chunk, zeros to 65 bytes; one report per 20 ms.
            Bytes expected(65, 0);
            std::copy_n(frame.begin() + pos, c.payloadSizes[i], expected.begin() + 1);
            pos += c.payloadSizes[i];
            EXPECT_EQ(ToHex(reports[i].bytes), ToHex(expected)) << c.model << " report " << i;
            EXPECT_EQ(reports[i].timeMs, 20 * static_cast<long long>(i));
        }
        // A progress event after every report.
        EXPECT_EQ(rig.events.All(), std::vector<std::string>(c.payloadSizes.size(), "progress 0 0"));
    }
}

TEST(WriteFrame, TenBytesMakeOneZeroFilledReport)
{
    WorkerRig rig;
    EXPECT_TRUE(rig.worker.WriteFrame(Hex("01 02 03 04 05 06 07 08 09 0A")));
    ASSERT_EQ(rig.backend.Reports().size(), 1u);
    EXPECT_EQ(ToHex(rig.backend.Reports()[0].bytes),
              ToHex(Hex("00 01 02 03 04 05 06 07 08 09 0A") + Bytes(54, 0)));
}

TEST(WriteFrame, LogsEveryFrameAsOneHexLine)
{
    WorkerRig rig;
    rig.worker.WriteFrame(Hex("48 65 6C 6C 6F"));
    rig.worker.WriteFrame(Hex("00 0a ff"));
    EXPECT_EQ(rig.Log(), "Create Log File\n2015/08/15 14:05:09 /n\n48 65 6C 6C 6F \n00 0A FF \n");
}

// A failed report shows the box and fails the frame, but the rest of the
// frame is still written.
TEST(WriteFrame, FailedReportDoesNotStopTheFrame)
{
    WorkerRig rig;
    rig.backend.FailWrite(1);
    EXPECT_FALSE(rig.worker.WriteFrame(Ramp(200)));
    EXPECT_EQ(rig.backend.Reports().size(), 3u);  // 4 chunks, one lost
    EXPECT_EQ(rig.reporter.texts(), std::vector<std::string>{"usb write error!"});
    EXPECT_EQ(rig.clock.Pauses().size(), 5u);
}

TEST(WriteFrame, WithoutDeviceFailsSilently)
{
    WorkerRig rig("Q06", false);
    EXPECT_FALSE(rig.worker.WriteFrame(Ramp(5)));
    EXPECT_TRUE(rig.reporter.texts().empty());
    EXPECT_TRUE(rig.backend.Reports().empty());
}

}  // namespace
}  // namespace lumitag::test
