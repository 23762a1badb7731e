// The HID link over the fake backend: listing, opening, report writes, and
// signs coming and going.

#include "LinkTestSupport.h"

namespace lumitag::test {
namespace {

struct LinkRig {
    VirtualClock clock;
    RecordingReporter reporter;
    FakeHidBackend backend{&clock};
    HidLink link{backend, &reporter, &clock};
};

TEST(HidLink, TwoSignsAtStartThenAThirdArrives)
{
    LinkRig rig;
    rig.backend.Plug("/dev/hidraw1");
    rig.backend.Plug("/dev/hidraw2");
    ASSERT_TRUE(rig.link.Enumerate());
    ASSERT_TRUE(rig.link.Enumerate());  // a second listing adds nothing
    EXPECT_EQ(rig.link.Devices(), (std::vector<std::string>{"/dev/hidraw1", "/dev/hidraw2"}));
    EXPECT_FALSE(rig.link.IsConnected());  // listing opens nothing
    ASSERT_TRUE(rig.link.Open(rig.link.Devices()[0]));
    EXPECT_EQ(rig.link.CurrentPath(), "/dev/hidraw1");

    rig.backend.Plug("/dev/hidraw7");
    EXPECT_EQ(rig.link.DeviceArrived("/dev/hidraw7"), DeviceChange::OpenedNewest);
    EXPECT_EQ(rig.link.CurrentPath(), "/dev/hidraw7");
    EXPECT_EQ(rig.link.DeviceArrived("/dev/HIDRAW7"), DeviceChange::Ignored);  // already listed
    EXPECT_EQ(rig.link.Devices().size(), 3u);
}

TEST(HidLink, RemovalsKeepOrReplaceTheCurrentDevice)
{
    LinkRig rig;
    for (auto path : {"/dev/hidraw1", "/dev/hidraw2", "/dev/hidraw3"}) rig.backend.Plug(path);
    rig.link.Enumerate();
    rig.link.Open("/dev/hidraw2");

    // Not current: only the entry goes.
    rig.backend.Unplug("/dev/hidraw3");
    EXPECT_EQ(rig.link.DeviceRemoved("/dev/hidraw3"), DeviceChange::OtherRemoved);
    EXPECT_EQ(rig.link.CurrentPath(), "/dev/hidraw2");
    EXPECT_EQ(rig.link.DeviceRemoved("/dev/hidraw9"), DeviceChange::Ignored);

    // Current, another listed: entry 0 becomes current.
    rig.backend.Unplug("/dev/hidraw2");
    EXPECT_EQ(rig.link.DeviceRemoved("/dev/hidraw2"), DeviceChange::CurrentRemoved);
    EXPECT_EQ(rig.link.CurrentPath(), "/dev/hidraw1");

    // The last one: nothing is open and writes end silently.
    rig.backend.Unplug("/dev/hidraw1");
    EXPECT_EQ(rig.link.DeviceRemoved("/dev/hidraw1"), DeviceChange::CurrentRemoved);
    EXPECT_FALSE(rig.link.IsConnected());
    EXPECT_TRUE(rig.link.Devices().empty());
    EXPECT_EQ(rig.link.WriteReport(Hex("01")), 0);
    EXPECT_TRUE(rig.reporter.texts().empty());

    // The first arrival after that is the only entry and is opened.
    rig.backend.Plug("/dev/hidraw4");
    EXPECT_EQ(rig.link.DeviceArrived("/dev/hidraw4"), DeviceChange::OpenedOnly);
    EXPECT_TRUE(rig.link.IsConnected());
}

TEST(HidLink, ListOperations)
{
    LinkRig rig;
    EXPECT_EQ(rig.link.Add("/dev/hidraw0"), 0);
    EXPECT_EQ(rig.link.Add("/dev/hidraw5"), 1);
    EXPECT_EQ(rig.link.FindIndex("/DEV/HidRaw5"), 1);  // letter case ignored
    EXPECT_EQ(rig.link.FindIndex("/dev/hidraw6"), -1);
    EXPECT_FALSE(rig.link.RemoveAt(0));  // not current
    EXPECT_EQ(rig.link.FindIndex("/dev/hidraw5"), 0);
    EXPECT_FALSE(rig.link.RemoveAt(3));
    EXPECT_FALSE(rig.link.RemoveAt(-1));

    rig.backend.Plug("/dev/hidraw5");
    ASSERT_TRUE(rig.link.Open("/dev/hidraw5"));
    EXPECT_TRUE(rig.link.RemoveAt(0));
    EXPECT_FALSE(rig.link.IsConnected());
}

TEST(HidLink, OverlongAndEmptyPathsAreRefused)
{
    LinkRig rig;
    const std::string longest(259, 'a');
    const std::string tooLong(260, 'a');
    EXPECT_EQ(rig.link.Add(longest), 0);
    EXPECT_EQ(rig.link.Add(tooLong), -1);
    EXPECT_EQ(rig.link.Add(""), -1);
    EXPECT_EQ(rig.link.DeviceArrived(tooLong), DeviceChange::Ignored);
    rig.backend.Plug(tooLong);
    EXPECT_FALSE(rig.link.Open(tooLong));
    EXPECT_EQ(rig.backend.OpenCount(), 0);
    ASSERT_TRUE(rig.link.Enumerate());
    EXPECT_EQ(rig.link.Devices(), std::vector<std::string>{longest});  // the long one is skipped
}

TEST(HidLink, WriteReportChecksEveryWrite)
{
    LinkRig rig;
    rig.backend.Plug("/dev/hidraw1");
    rig.link.Open("/dev/hidraw1");

    EXPECT_EQ(rig.link.WriteReport(Ramp(64, 1)), 65);
    EXPECT_EQ(rig.link.WriteReport({}), 0);         // nothing to write
    EXPECT_EQ(rig.link.WriteReport(Ramp(65)), 0);   // more than one report
    EXPECT_EQ(rig.backend.WriteCount(), 1);
    EXPECT_TRUE(rig.reporter.texts().empty());

    rig.backend.FailWrite(1);
    EXPECT_EQ(rig.link.WriteReport(Hex("AA")), 0);
    rig.backend.SetShortWrites(true);
    EXPECT_EQ(rig.link.WriteReport(Hex("BB")), 0);  // 64 of 65 bytes is a failure
    EXPECT_EQ(rig.reporter.texts(), std::vector<std::string>(2, "usb write error!"));
    EXPECT_TRUE(rig.link.IsConnected());  // a failed write does not close the device
}

// Right after an arrival the node may not be accessible yet: the open is
// retried a few times, 100 ms apart, then given up with the reason kept.
TEST(HidLink, OpenAfterArrivalIsRetriedBriefly)
{
    LinkRig rig;
    rig.backend.Plug("/dev/hidraw1");
    rig.backend.FailOpens("/dev/hidraw1", 2, OpenError::PermissionDenied);
    EXPECT_EQ(rig.link.DeviceArrived("/dev/hidraw1"), DeviceChange::OpenedOnly);
    EXPECT_EQ(rig.clock.Pauses(), (std::vector<long long>{100, 100}));

    rig.backend.Plug("/dev/hidraw2");
    rig.backend.FailOpens("/dev/hidraw2", 100, OpenError::PermissionDenied);
    EXPECT_EQ(rig.link.DeviceArrived("/dev/hidraw2"), DeviceChange::Listed);
    EXPECT_EQ(rig.link.LastOpenError(), OpenError::PermissionDenied);
    EXPECT_FALSE(rig.link.IsConnected());
    EXPECT_EQ(rig.clock.Pauses().size(), 2u + 4u);  // five attempts in all

    // A plain Open is not retried.
    rig.backend.FailOpens("/dev/hidraw1", 1, OpenError::Other);
    EXPECT_FALSE(rig.link.Open("/dev/hidraw1"));
    EXPECT_EQ(rig.link.LastOpenError(), OpenError::Other);
}

TEST(HidLink, ListingFailureLeavesTheListAlone)
{
    LinkRig rig;
    rig.link.Add("/dev/hidraw1");
    rig.backend.SetListingFails(true);
    EXPECT_FALSE(rig.link.Enumerate());
    EXPECT_EQ(rig.link.Devices(), std::vector<std::string>{"/dev/hidraw1"});
}

}  // namespace
}  // namespace lumitag::test
