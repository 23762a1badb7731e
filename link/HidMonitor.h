#pragma once
// Watches hidraw devices come and go through libudev's "udev" netlink group.
// The file descriptor turns readable when events are waiting: the GUI hands
// it to a socket notifier, the CLI polls it; then ReadEvents drains them.

#include <string>
#include <vector>

struct udev;
struct udev_monitor;

namespace lumitag {

struct HidEvent {
    enum class Kind { Arrival, Removal };
    Kind kind;
    std::string path;  // the device node, as HidLink lists it
};

class HidMonitor {
public:
    HidMonitor();
    ~HidMonitor();
    HidMonitor(const HidMonitor&) = delete;
    HidMonitor& operator=(const HidMonitor&) = delete;

    // False when udev is not available (no events will come).
    bool IsValid() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    // Every waiting event, without blocking. Arrivals are only those of signs
    // (vendor and product checked on the USB parent); removals are all
    // hidraw removals, as the node's attributes are gone by then and the link
    // ignores paths it does not list.
    std::vector<HidEvent> ReadEvents();

private:
    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    int fd_ = -1;
};

}  // namespace lumitag
