#pragma once
// The signs attached to this computer: listing them, choosing and opening
// one, saying why one cannot be opened, and following arrivals and removals.
//
// Hotplug: the libudev monitor's descriptor turns readable when events wait.
// The GUI hands MonitorFd() to a QSocketNotifier and calls
// HandleMonitorEvents() when it fires; the CLI calls Poll(). Each event is
// applied to the link's device list as the main window does (an arrival is
// listed and opened, a removal of the current sign opens entry 0), and the
// changes are returned so the device selector can be refilled.

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "link/HidLink.h"
#include "link/HidMonitor.h"
#include "service/Error.h"

namespace lumitag::service {

class Session;

// The fix for "Permission denied" on Linux.
inline constexpr std::string_view kUdevRuleHint =
    "Permission denied: install the udev rule resources/udev/70-lumitag.rules "
    "(sudo cp resources/udev/70-lumitag.rules /etc/udev/rules.d/ && "
    "sudo udevadm control --reload-rules && sudo udevadm trigger), then replug the sign.";

// The selector's text of every entry.
inline constexpr std::string_view kDeviceEntryText = "Lumitag";

struct DeviceProbe {
    std::string path;
    OpenError error = OpenError::None;  // None: it opened
    std::string message;                // the backend's reason when it did not
};

struct DeviceEvent {
    HidEvent::Kind kind;
    std::string path;
    DeviceChange change;  // what the list and the current device did
};

class Devices {
public:
    explicit Devices(Session& session);
    ~Devices();

    // Lists the attached signs (paths, in the link's order). NoDevice when
    // the platform cannot list devices; an empty list is not an error.
    Result<std::vector<std::string>> List();
    // Lists and tries to open each sign once, closing it again. NoDevice when
    // listing fails or none is found.
    Result<std::vector<DeviceProbe>> Probe();

    // Opens the sign given by path, or by its index in List() ("0", "1"...),
    // or the first one for an empty `choice`. NoDevice with a message (the
    // udev hint for "Permission denied") when there is none or it fails.
    Status Open(std::string_view choice = {});
    // Opens entry `index` of the list (the device selector). NoDevice past
    // the end; the current device is then closed.
    Status OpenIndex(int index);
    bool IsOpen();
    std::string CurrentPath();
    // Index of the current device in the list, or -1.
    int CurrentIndex();

    // Why the link could not open `path` just now.
    std::string OpenFailureText(const std::string& path);

    // Starts the libudev monitor; false when udev is not available.
    bool StartMonitor();
    // The monitor's descriptor, -1 when it is not running.
    int MonitorFd() const;
    // Reads waiting events without blocking and applies them.
    std::vector<DeviceEvent> HandleMonitorEvents();
    // Waits up to `timeout` for events, then handles them.
    std::vector<DeviceEvent> Poll(std::chrono::milliseconds timeout);
    // Applies one event to the device list (also for tests without udev).
    DeviceEvent Apply(const HidEvent& event);

private:
    Session& session_;
    std::unique_ptr<HidMonitor> monitor_;
};

}  // namespace lumitag::service
