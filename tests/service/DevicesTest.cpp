// Devices: choosing and opening a sign, wording a failure, and arrivals and
// removals applied to the device list.

#include "service/Devices.h"

#include "tests/service/ServiceTestSupport.h"

namespace lumitag::service::test {
namespace {

class DevicesTest : public ServiceTest {};

TEST_F(DevicesTest, ASignIsChosenByPathIndexOrAsTheFirst)
{
    Session& session = Open("Q26");
    Devices devices(session);
    const Status none = devices.Open();
    EXPECT_EQ(none.code(), ErrorCode::NoDevice);
    EXPECT_NE(none.message().find("no sign found"), std::string::npos);

    backend_.Plug("/dev/hidraw0");
    backend_.Plug("/dev/hidraw3");
    ASSERT_TRUE(devices.Open().ok());
    EXPECT_EQ(devices.CurrentPath(), "/dev/hidraw0");
    ASSERT_TRUE(devices.Open("1").ok());
    EXPECT_EQ(devices.CurrentPath(), "/dev/hidraw3");
    EXPECT_EQ(devices.CurrentIndex(), 1);
    const Status past = devices.Open("2");
    EXPECT_EQ(past.code(), ErrorCode::NoDevice);
    EXPECT_NE(past.message().find("no sign with index 2 (2 found"), std::string::npos) << past.message();
    ASSERT_TRUE(devices.Open("/dev/hidraw0").ok());
    EXPECT_EQ(devices.OpenIndex(5).code(), ErrorCode::NoDevice);
    EXPECT_FALSE(devices.IsOpen());
}

TEST_F(DevicesTest, AFailedOpenPointsToTheUdevRuleOnlyWhenPermissionWasDenied)
{
    Session& session = Open("Q26");
    Devices devices(session);
    backend_.Plug("/dev/hidraw5");
    backend_.FailOpens("/dev/hidraw5", 1, OpenError::PermissionDenied);
    const Status denied = devices.Open("/dev/hidraw5");
    EXPECT_EQ(denied.code(), ErrorCode::NoDevice);
    EXPECT_EQ(denied.message().rfind("cannot open /dev/hidraw5", 0), 0u) << denied.message();
    EXPECT_NE(denied.message().find("resources/udev/70-lumitag.rules"), std::string::npos) << denied.message();
    EXPECT_EQ(devices.Open("/dev/hidraw9").message(), "cannot open /dev/hidraw9: No such device");
}

TEST_F(DevicesTest, ProbingTriesEachSignOnceAndLeavesNoneOpen)
{
    Session& session = Open("Q26");
    Devices devices(session);
    backend_.Plug("/dev/hidraw0");
    backend_.Plug("/dev/hidraw1");
    backend_.FailOpens("/dev/hidraw1", 1, OpenError::PermissionDenied);
    const auto probes = devices.Probe();
    ASSERT_TRUE(probes.ok());
    ASSERT_EQ(probes->size(), 2u);
    EXPECT_EQ((*probes)[0].error, OpenError::None);
    EXPECT_EQ((*probes)[1].error, OpenError::PermissionDenied);
    EXPECT_FALSE(devices.IsOpen());
    backend_.SetListingFails(true);
    EXPECT_EQ(devices.Probe().code(), ErrorCode::NoDevice);
}

TEST_F(DevicesTest, ArrivalsAndRemovalsFollowTheMainWindowsRules)
{
    Session& session = Open("Q26");
    Devices devices(session);
    using Kind = HidEvent::Kind;
    backend_.Plug("/dev/hidraw0");
    // The only sign is opened.
    EXPECT_EQ(devices.Apply({Kind::Arrival, "/dev/hidraw0"}).change, DeviceChange::OpenedOnly);
    EXPECT_EQ(devices.CurrentPath(), "/dev/hidraw0");
    // A listed sign arriving again changes nothing.
    EXPECT_EQ(devices.Apply({Kind::Arrival, "/DEV/HIDRAW0"}).change, DeviceChange::Ignored);
    // A second sign becomes current.
    backend_.Plug("/dev/hidraw4");
    EXPECT_EQ(devices.Apply({Kind::Arrival, "/dev/hidraw4"}).change, DeviceChange::OpenedNewest);
    EXPECT_EQ(devices.CurrentPath(), "/dev/hidraw4");
    // Removing the current one opens entry 0; removing another only unlists it.
    backend_.Unplug("/dev/hidraw4");
    EXPECT_EQ(devices.Apply({Kind::Removal, "/dev/hidraw4"}).change, DeviceChange::CurrentRemoved);
    EXPECT_EQ(devices.CurrentPath(), "/dev/hidraw0");
    EXPECT_EQ(devices.Apply({Kind::Removal, "/dev/hidraw7"}).change, DeviceChange::Ignored);
    // Without a monitor nothing is polled.
    EXPECT_EQ(devices.MonitorFd(), -1);
    EXPECT_TRUE(devices.HandleMonitorEvents().empty());
}

}  // namespace
}  // namespace lumitag::service::test
