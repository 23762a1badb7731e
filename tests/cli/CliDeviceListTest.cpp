// The `devices` listing over a scripted HID backend: absent signs, signs that
// open, and signs the user may not open, which must point to the udev rule.

#include <gtest/gtest.h>

#include "cli/DeviceList.h"
#include "link/FakeHidBackend.h"
#include "service/Session.h"

namespace lumitag::cli {
namespace {

struct ListingCase {
    const char* name;
    std::vector<std::string> plugged;
    std::vector<std::pair<std::string, OpenError>> failing;  // first open fails
    bool listingFails;
    ExitCode code;
    std::string out;
    std::string errPart;  // "" when stderr must stay empty
};

void PrintTo(const ListingCase& c, std::ostream* os) { *os << c.name; }

class DeviceListTest : public ::testing::TestWithParam<ListingCase> {};

const ListingCase kCases[] = {
    {"NoneFound", {}, {}, false, ExitCode::NoDevice, "", "no sign found"},
    {"ListingUnavailable", {"/dev/hidraw0"}, {}, true, ExitCode::NoDevice, "", "cannot list USB devices"},
    {"TwoUsable",
     {"/dev/hidraw0", "/dev/hidraw3"},
     {},
     false,
     ExitCode::Success,
     "0  /dev/hidraw0  (ok)\n1  /dev/hidraw3  (ok)\n",
     ""},
    {"OneDeniedOneUsable",
     {"/dev/hidraw0", "/dev/hidraw1"},
     {{"/dev/hidraw1", OpenError::PermissionDenied}},
     false,
     ExitCode::Success,
     "0  /dev/hidraw0  (ok)\n1  /dev/hidraw1  (permission denied)\n",
     "resources/udev/70-lumitag.rules"},
    {"OnlyDenied",
     {"/dev/hidraw2"},
     {{"/dev/hidraw2", OpenError::PermissionDenied}},
     false,
     ExitCode::NoDevice,
     "0  /dev/hidraw2  (permission denied)\n",
     "udevadm control --reload-rules"},
    {"OtherFailureGivesNoUdevHint",
     {"/dev/hidraw2"},
     {{"/dev/hidraw2", OpenError::Other}},
     false,
     ExitCode::NoDevice,
     "0  /dev/hidraw2  (cannot open: scripted open failure)\n",
     ""},
};

TEST_P(DeviceListTest, ListsEverySignWithWhetherItOpens)
{
    const ListingCase& c = GetParam();
    FakeHidBackend backend;
    for (const auto& path : c.plugged) backend.Plug(path);
    for (const auto& [path, error] : c.failing) backend.FailOpens(path, 1, error);
    backend.SetListingFails(c.listingFails);
    RecordingReporter reporter;
    service::SessionOptions options;
    options.backend = &backend;
    service::Session session(reporter, options);
    service::Devices devices(session);

    const DeviceListing listing = ListDevices(devices);
    EXPECT_EQ(listing.code, c.code);
    EXPECT_EQ(listing.out, c.out);
    if (c.errPart.empty())
        EXPECT_EQ(listing.err, "");
    else
        EXPECT_NE(listing.err.find(c.errPart), std::string::npos) << listing.err;
    // Probing leaves no sign open behind it.
    EXPECT_FALSE(session.Link().IsConnected());
}

INSTANTIATE_TEST_SUITE_P(Cli, DeviceListTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumitag::cli
