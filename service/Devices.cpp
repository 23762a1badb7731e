#include "service/Devices.h"

#include <poll.h>

#include <limits>

#include "model/AsciiText.h"

#include "service/Session.h"

namespace lumitag::service {
namespace {

constexpr std::string_view kCannotList = "cannot list USB devices on this system";
constexpr std::string_view kNoneFound = "no sign found (USB 1668:5886); is it plugged in?";

}  // namespace

Devices::Devices(Session& session) : session_(session) {}

Devices::~Devices() = default;

Result<std::vector<std::string>> Devices::List()
{
    HidLink& link = session_.Link();
    if (!link.Enumerate()) return MakeError(ErrorCode::NoDevice, std::string(kCannotList));
    return link.Devices();
}

Result<std::vector<DeviceProbe>> Devices::Probe()
{
    auto paths = List();
    if (!paths) return paths.error();
    if (paths->empty()) return MakeError(ErrorCode::NoDevice, std::string(kNoneFound));
    HidLink& link = session_.Link();
    std::vector<DeviceProbe> probes;
    for (const auto& path : *paths) {
        DeviceProbe probe;
        probe.path = path;
        if (!link.Open(path)) {
            probe.error = link.LastOpenError();
            probe.message = link.LastOpenMessage();
        }
        link.Close();
        probes.push_back(std::move(probe));
    }
    return probes;
}

Status Devices::Open(std::string_view choice)
{
    auto paths = List();
    if (!paths) return paths.status();
    std::string path;
    if (choice.empty()) {
        if (paths->empty()) return MakeError(ErrorCode::NoDevice, std::string(kNoneFound));
        path = paths->front();
    } else if (const auto index = ParseWholeNumber(choice, 0, std::numeric_limits<int>::max())) {
        if (*index >= static_cast<int>(paths->size()))
            return MakeError(ErrorCode::NoDevice, "no sign with index " + std::string(choice) + " (" +
                                                      std::to_string(paths->size()) + " found; see `devices`)");
        path = (*paths)[static_cast<std::size_t>(*index)];
    } else {
        path = std::string(choice);
    }
    if (session_.Link().Open(path)) return {};
    return MakeError(ErrorCode::NoDevice, OpenFailureText(path));
}

Status Devices::OpenIndex(int index)
{
    HidLink& link = session_.Link();
    const auto paths = link.Devices();
    if (index < 0 || index >= static_cast<int>(paths.size())) {
        link.Close();
        return MakeError(ErrorCode::NoDevice, "no sign with index " + std::to_string(index));
    }
    const std::string& path = paths[static_cast<std::size_t>(index)];
    if (link.Open(path)) return {};
    return MakeError(ErrorCode::NoDevice, OpenFailureText(path));
}

bool Devices::IsOpen() { return session_.Link().IsConnected(); }

std::string Devices::CurrentPath() { return session_.Link().CurrentPath(); }

int Devices::CurrentIndex()
{
    HidLink& link = session_.Link();
    return link.IsConnected() ? link.FindIndex(link.CurrentPath()) : -1;
}

std::string Devices::OpenFailureText(const std::string& path)
{
    const HidLink& link = session_.Link();
    if (link.LastOpenError() == OpenError::PermissionDenied)
        return "cannot open " + path + ". " + std::string(kUdevRuleHint);
    return "cannot open " + path + ": " + link.LastOpenMessage();
}

bool Devices::StartMonitor()
{
    if (!monitor_) monitor_ = std::make_unique<HidMonitor>();
    return monitor_->IsValid();
}

int Devices::MonitorFd() const { return monitor_ && monitor_->IsValid() ? monitor_->fd() : -1; }

std::vector<DeviceEvent> Devices::HandleMonitorEvents()
{
    std::vector<DeviceEvent> applied;
    if (!monitor_ || !monitor_->IsValid()) return applied;
    for (const auto& event : monitor_->ReadEvents()) applied.push_back(Apply(event));
    return applied;
}

std::vector<DeviceEvent> Devices::Poll(std::chrono::milliseconds timeout)
{
    const int fd = MonitorFd();
    if (fd < 0) return {};
    pollfd waiting{fd, POLLIN, 0};
    if (poll(&waiting, 1, static_cast<int>(timeout.count())) <= 0) return {};
    return HandleMonitorEvents();
}

DeviceEvent Devices::Apply(const HidEvent& event)
{
    HidLink& link = session_.Link();
    const DeviceChange change =
        event.kind == HidEvent::Kind::Arrival ? link.DeviceArrived(event.path) : link.DeviceRemoved(event.path);
    return DeviceEvent{event.kind, event.path, change};
}

}  // namespace lumitag::service
