#include "link/HidMonitor.h"

#include <libudev.h>

#include <cstdlib>
#include <cstring>

#include "link/HidBackend.h"
#include "model/Log.h"

namespace lumitag {
namespace {

bool IsSign(udev_device* device)
{
    udev_device* usb = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device");
    if (!usb) return false;
    const char* vendor = udev_device_get_sysattr_value(usb, "idVendor");
    const char* product = udev_device_get_sysattr_value(usb, "idProduct");
    if (!vendor || !product) return false;
    return std::strtoul(vendor, nullptr, 16) == kSignVendorId && std::strtoul(product, nullptr, 16) == kSignProductId;
}

}  // namespace

HidMonitor::HidMonitor()
{
    udev_ = udev_new();
    if (!udev_) {
        Log(LogLevel::Warning, "udev is not available: signs plugged in later are not noticed");
        return;
    }
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (!monitor_ || udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0) {
        Log(LogLevel::Warning, "udev monitor could not be started");
        return;
    }
    fd_ = udev_monitor_get_fd(monitor_);
}

HidMonitor::~HidMonitor()
{
    if (monitor_) udev_monitor_unref(monitor_);
    if (udev_) udev_unref(udev_);
}

std::vector<HidEvent> HidMonitor::ReadEvents()
{
    std::vector<HidEvent> events;
    if (fd_ < 0) return events;
    // The monitor's socket is non-blocking: receive returns null when drained.
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        const char* action = udev_device_get_action(device);
        const char* node = udev_device_get_devnode(device);
        if (action && node) {
            if (std::strcmp(action, "add") == 0 && IsSign(device))
                events.push_back({HidEvent::Kind::Arrival, node});
            else if (std::strcmp(action, "remove") == 0)
                events.push_back({HidEvent::Kind::Removal, node});
        }
        udev_device_unref(device);
    }
    return events;
}

}  // namespace lumitag
