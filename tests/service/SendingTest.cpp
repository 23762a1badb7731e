// Sending: preparing a send with its questions, the jobs started through the
// worker (and refused while one runs), the service frames that report
// failed writes, and the RS-485 series over the selected IDs.

#include "service/Sending.h"

#include <atomic>

#include "link/Frames.h"
#include "service/Devices.h"
#include "service/SignIds.h"
#include "service/SlotEditing.h"
#include "tests/service/ServiceTestSupport.h"

namespace lumitag::service::test {
namespace {

constexpr const char* kSign = "/dev/hidraw0";

class SendingTest : public ServiceTest {
protected:
    Session& OpenWithSign(const std::string& model, Sleeper* sleeper = nullptr)
    {
        backend_.Plug(kSign);
        Session& session = Open(model, sleeper);
        EXPECT_TRUE(Devices(session).Open().ok());
        return session;
    }

    // Every question asked so far.
    std::vector<std::string> Questions() const
    {
        std::vector<std::string> out;
        for (const auto& entry : reporter_.entries())
            if (entry.question) out.push_back(entry.text);
        return out;
    }
};

// Remembers the sign ID of each send job as it finishes.
class FinishedIds : public SendEvents {
public:
    explicit FinishedIds(SendWorker& worker) : worker_(worker) {}
    void SendFinished() override
    {
        std::lock_guard lock(mutex_);
        ids_.push_back(worker_.SignId());
    }
    std::vector<int> Ids()
    {
        std::lock_guard lock(mutex_);
        return ids_;
    }

private:
    SendWorker& worker_;
    std::mutex mutex_;
    std::vector<int> ids_;
};

TEST_F(SendingTest, APictureThatNoLongerLoadsIsAskedAboutAndTakesNoWidthOnYes)
{
    Session& session = Open("Q06");
    const fs::path gone = Picture("gone.bmp", 4, 12);
    const fs::path kept = Picture("kept.bmp", 8, 12);
    ASSERT_TRUE(SlotEditor(session).SetPictures(1, std::vector<std::string>{gone.string(), kept.string()}).ok());
    Sending sending(session);
    const auto whole = sending.Prepare();
    ASSERT_TRUE(whole.ok());
    EXPECT_TRUE(Questions().empty());
    fs::remove(gone);

    reporter_.SetAnswer(false);
    const auto declined = sending.Prepare();
    EXPECT_EQ(declined.code(), ErrorCode::PictureDeclined);
    ASSERT_EQ(Questions().size(), 1u);
    EXPECT_EQ(Questions()[0], "slot 2: picture " + gone.string() + " cannot be loaded; send anyway?");

    reporter_.SetAnswer(true);
    const auto shorter = sending.Prepare();
    ASSERT_TRUE(shorter.ok());
    // The missing picture takes no width: slot 2 packs only the kept one.
    EXPECT_GT(whole->tables.frame0[1].size, shorter->tables.frame0[1].size);
    EXPECT_GT(shorter->tables.frame0[1].size, 0);
}

TEST_F(SendingTest, TheWordLimitIsAskedInTheWordsOfTheTarget)
{
    Session& session = Open("Q15");
    const fs::path wide = Picture("wide.bmp", 3200, 12);
    SlotEditor editor(session);
    for (int slot = 0; slot < 3; ++slot)
        ASSERT_TRUE(editor.SetPictures(slot, std::vector<std::string>{wide.string()}).ok());
    Sending sending(session);
    reporter_.SetAnswer(false);
    const auto declined = sending.Prepare(SendTarget::File);
    EXPECT_EQ(declined.code(), ErrorCode::WordLimitDeclined);
    ASSERT_EQ(Questions().size(), 1u);
    EXPECT_EQ(Questions()[0].rfind("Data over ", 0), 0u) << Questions()[0];
    EXPECT_EQ(Questions()[0].find("will be discard"), std::string::npos);

    reporter_.SetAnswer(true);
    const auto cut = sending.Prepare(SendTarget::Device);
    ASSERT_TRUE(cut.ok());
    EXPECT_GT(cut->overLimitBytes, 0);
    EXPECT_EQ(Questions().back(), Sending::WordLimitQuestion(SendTarget::Device, cut->overLimitBytes));
    int total = 0;
    for (int slot = 0; slot < kPackedSlots; ++slot) total += cut->tables.frame0[slot].size + cut->tables.frame1[slot].size;
    EXPECT_EQ(total, kWordLimitBytes);
    // The group send asks later, when the job starts.
    const std::size_t asked = Questions().size();
    ASSERT_TRUE(sending.PrepareForGroup().ok());
    EXPECT_EQ(Questions().size(), asked);
}

TEST_F(SendingTest, ASendNeedsASignAndGoesOutWhole)
{
    Session& session = Open("Q06");
    Sending sending(session);
    const auto data = sending.Prepare();
    ASSERT_TRUE(data.ok());
    EXPECT_EQ(sending.StartSend(*data).code(), ErrorCode::NoDevice);
    backend_.Plug(kSign);
    ASSERT_TRUE(Devices(session).Open().ok());
    ASSERT_TRUE(sending.StartSend(*data).ok());
    EXPECT_EQ(session.Worker().Wait(), JobResult::Success);
    // The frames the protocol gives, report by report.
    const auto plan = BuildSend(LinkTarget{session.LinkSettings(), 1, false}, data->params, data->tables);
    ASSERT_TRUE(plan.has_value());
    std::size_t reports = 0;
    for (const auto& step : plan->steps) reports += (step.bytes.size() + 63) / 64;
    EXPECT_EQ(backend_.Reports().size(), reports);
}

TEST_F(SendingTest, AWriteToFileSendWritesTheFramesWholeOnlyAfterSuccess)
{
    Session& session = Open("Q36");
    FormattedText text;
    text.Append("Hi", RulesFor("Q36").textFormat);
    ASSERT_TRUE(SlotEditor(session).SetFormattedText(0, text).ok());
    Sending sending(session);
    const auto data = sending.Prepare(SendTarget::File);
    ASSERT_TRUE(data.ok());
    const fs::path out = folder_.Folder() / "frames.bin";
    ASSERT_TRUE(sending.StartSendToFile(*data, out).ok());
    const JobResult result = session.Worker().Wait();
    EXPECT_FALSE(fs::exists(out));
    const auto written = sending.FinishFileSend(result);
    ASSERT_TRUE(written.ok()) << written.message();
    Bytes expected;
    const auto plan = BuildSend(LinkTarget{session.LinkSettings(), 1, false}, data->params, data->tables);
    for (const auto& step : plan->steps) expected.insert(expected.end(), step.bytes.begin(), step.bytes.end());
    EXPECT_EQ(testing::ReadBytes(out), expected);
    EXPECT_EQ(*written, expected.size());
    EXPECT_TRUE(backend_.Reports().empty());

    // A folder that does not exist: the program's words, nothing written.
    const fs::path nowhere = folder_.Folder() / "no" / "frames.bin";
    ASSERT_TRUE(sending.StartSendToFile(*data, nowhere).ok());
    const auto failed = sending.FinishFileSend(session.Worker().Wait());
    EXPECT_EQ(failed.code(), ErrorCode::FileWrite);
    EXPECT_NE(failed.message().find("Can't write to file"), std::string::npos);
    // A job that failed leaves no file.
    const fs::path other = folder_.Folder() / "other.bin";
    ASSERT_TRUE(sending.StartSendToFile(*data, other).ok());
    session.Worker().Wait();
    EXPECT_EQ(sending.FinishFileSend(JobResult::SendFailure).code(), ErrorCode::SendFailure);
    EXPECT_FALSE(fs::exists(other));
}

TEST_F(SendingTest, NoSecondJobStartsWhileOneRuns)
{
    GateSleeper gate;
    Session& session = OpenWithSign("Q26", &gate);
    Sending sending(session);
    const auto data = sending.Prepare();
    ASSERT_TRUE(data.ok());
    ASSERT_TRUE(sending.StartSend(*data).ok());
    EXPECT_EQ(sending.StartSend(*data).code(), ErrorCode::Busy);
    EXPECT_EQ(sending.StartScan().code(), ErrorCode::Busy);
    EXPECT_EQ(sending.StartGroupJob({1, 2}, GroupMode::PowerOn).code(), ErrorCode::Busy);
    EXPECT_EQ(sending.StartSendToFile(*data, folder_.Folder() / "f.bin").code(), ErrorCode::Busy);
    EXPECT_TRUE(session.JobRunning());
    gate.Open();
    EXPECT_EQ(session.Worker().Wait(), JobResult::Success);
    EXPECT_FALSE(session.JobRunning());
}

TEST_F(SendingTest, ServiceFramesReportFailedWrites)
{
    Session& session = OpenWithSign("Q06");
    Sending sending(session);
    ASSERT_TRUE(sending.SendClock().ok());
    ASSERT_EQ(Payloads().size(), 1u);
    EXPECT_TRUE(ReportHolds(Payloads()[0], HexBytes("AA AA AA AA 02 00 00 01 00 08 00 40 10 06 07 DF 08 0F 0E "
                                                    "05 09 02 01 55 88")));
    EXPECT_EQ(sending.ChangeId(3, 7).ok(), true);
    EXPECT_TRUE(ReportHolds(Payloads()[1], HexBytes("48 03 07 9A 6F")));
    EXPECT_EQ(sending.ChangeId(0, 7).code(), ErrorCode::BadInput);
    EXPECT_EQ(sending.ChangeId(3, 257).message(), "ID >=1 and ID <= 256!");
    EXPECT_EQ(Payloads().size(), 2u);

    const auto read = sending.RequestIdRead();
    ASSERT_TRUE(read.ok());
    EXPECT_FALSE(*read);  // no reply can come

    const auto failWrite = [&] { backend_.FailWrite(static_cast<int>(backend_.WriteCount())); };
    failWrite();
    EXPECT_EQ(sending.SendClock().code(), ErrorCode::SendFailure);
    failWrite();
    EXPECT_EQ(sending.ChangeId(3, 7).code(), ErrorCode::SendFailure);
    failWrite();
    EXPECT_EQ(sending.RequestIdRead().code(), ErrorCode::SendFailure);

    session.Link().Close();
    EXPECT_EQ(sending.SendClock().code(), ErrorCode::NoDevice);
}

TEST_F(SendingTest, GroupJobsRunOnBusModelsOnly)
{
    Session& session = OpenWithSign("Q26");
    Sending sending(session);
    EXPECT_EQ(sending.StartGroupJob({}, GroupMode::PowerOff).code(), ErrorCode::NothingSelected);
    EXPECT_EQ(sending.StartGroupJob({4, 300}, GroupMode::PowerOff).code(), ErrorCode::BadInput);
    EXPECT_EQ(sending.StartGroupJob({4}, GroupMode::Send).code(), ErrorCode::BadInput);  // nothing prepared
    ASSERT_TRUE(sending.StartGroupJob({4, 9}, GroupMode::PowerOff).ok());
    EXPECT_EQ(session.Worker().Wait(), JobResult::Success);
    ASSERT_EQ(Payloads().size(), 2u);
    EXPECT_TRUE(ReportHolds(Payloads()[0], HexBytes("7E 04 CF 01 D1 7E")));
    EXPECT_TRUE(ReportHolds(Payloads()[1], HexBytes("7E 09 CF 01 D1 7E")));

    Session& twelve = OpenWithSign("Q18");
    const Status refused = Sending(twelve).StartGroupJob({4}, GroupMode::PowerOn);
    EXPECT_EQ(refused.code(), ErrorCode::NotOffered);
    EXPECT_NE(refused.message().find("bus model"), std::string::npos);
}

TEST_F(SendingTest, TheScanMarksEveryIdAndWritesIds1To254)
{
    Session& session = Open("Q26");
    Sending sending(session);
    const Status none = sending.StartScan();
    EXPECT_EQ(none.code(), ErrorCode::NoDevice);
    EXPECT_EQ(none.message(), "Please connect a usb device!");
    backend_.Plug(kSign);
    ASSERT_TRUE(Devices(session).Open().ok());
    ASSERT_TRUE(sending.StartScan().ok());
    session.Worker().Wait();
    EXPECT_EQ(Payloads().size(), 254u);
    EXPECT_EQ(session.Ids().records[200].scanState, kScanNotAnswered);
}

TEST_F(SendingTest, TheSeriesSendsEachSelectedIdItsOwnProgramThenReloadsTheCurrentOne)
{
    Session& session = OpenWithSign("Q26");
    SignIdRegistry registry(session);
    ASSERT_TRUE(registry.Add(7, "B").ok());
    ASSERT_TRUE(registry.Add(3, "A").ok());
    ASSERT_TRUE(registry.Add(5, "C").ok());
    ASSERT_TRUE(registry.SetChecked(5, false).ok());
    FinishedIds finished(session.Worker());
    session.SetEvents(&finished);
    Sending sending(session);
    MultiIdSend series(session, sending);

    ASSERT_TRUE(series.Start().ok());
    EXPECT_EQ(series.Ids(), (std::vector<int>{3, 7}));
    EXPECT_EQ(series.ProgressText(), "Setting ID：3，Total:2，Last:2");
    EXPECT_EQ(session.Program().ProjectPath(), WorkFilePath(3));
    session.Worker().Wait();
    EXPECT_EQ(series.OnSendFinished().value(), true);
    EXPECT_EQ(series.ProgressText(), "Setting ID：7，Total:2，Last:1");
    session.Worker().Wait();
    EXPECT_EQ(series.OnSendFinished().value(), false);
    EXPECT_FALSE(series.Running());
    EXPECT_EQ(series.Position(), 2);
    EXPECT_EQ(finished.Ids(), (std::vector<int>{3, 7}));
    EXPECT_EQ(session.Program().ProjectPath(), WorkFilePath(session.CurrentId()));
    session.SetEvents(nullptr);
}

TEST_F(SendingTest, StoppingEndsTheSeriesAfterTheCurrentId)
{
    Session& session = OpenWithSign("Q26");
    Sending sending(session);
    MultiIdSend series(session, sending);
    ASSERT_TRUE(series.Start({1, 2, 3}).ok());
    series.Stop();
    session.Worker().Wait();
    EXPECT_EQ(series.OnSendFinished().value(), false);
    EXPECT_EQ(series.Position(), 1);
    EXPECT_FALSE(series.Running());
    EXPECT_EQ(session.Program().ProjectPath(), WorkFilePath(session.CurrentId()));
}

TEST_F(SendingTest, ASeriesWithoutSelectedIdsSaysSoInTheUsersLanguage)
{
    Session& session = OpenWithSign("Q26");
    Sending sending(session);
    MultiIdSend series(session, sending);
    const Status none = series.Start();
    EXPECT_EQ(none.code(), ErrorCode::NothingSelected);
    EXPECT_EQ(none.message(), "No ID selected?");
    EXPECT_FALSE(series.Running());
}

}  // namespace
}  // namespace lumitag::service::test
