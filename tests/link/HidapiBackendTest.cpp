// The real backends on a machine without signs: they build, list nothing
// without an error, and the monitor drains without blocking.

#include <gtest/gtest.h>

#include <poll.h>

#include "link/HidapiBackend.h"
#include "link/HidLink.h"
#include "link/HidMonitor.h"

namespace lumitag {
namespace {

TEST(HidapiBackend, ListsNoSignHere)
{
    HidapiBackend backend;
    const auto found = backend.Enumerate(kSignVendorId, kSignProductId);
    ASSERT_TRUE(found.has_value());
    EXPECT_TRUE(found->empty());

    HidLink link(backend, nullptr, nullptr);
    EXPECT_TRUE(link.Enumerate());
    EXPECT_TRUE(link.Devices().empty());
}

TEST(HidapiBackend, OpeningAMissingNodeSaysNotFound)
{
    HidapiBackend backend;
    const auto result = backend.Open("/dev/lumitag-no-such-hidraw");
    EXPECT_EQ(result.handle, nullptr);
    EXPECT_EQ(result.error, OpenError::NotFound);
}

TEST(HidMonitor, DrainsWithoutBlocking)
{
    HidMonitor monitor;
    if (!monitor.IsValid()) GTEST_SKIP() << "no udev netlink socket in this environment";
    pollfd waiting{monitor.fd(), POLLIN, 0};
    ASSERT_GE(poll(&waiting, 1, 0), 0);
    // Whatever is queued (usually nothing), draining returns at once and
    // leaves the socket empty.
    monitor.ReadEvents();
    EXPECT_TRUE(monitor.ReadEvents().empty());
}

}  // namespace
}  // namespace lumitag
