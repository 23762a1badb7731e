#include "link/HidLink.h"

#include <algorithm>
#include <array>

#include "model/AsciiText.h"
#include "model/Log.h"

namespace lumitag {
namespace {

constexpr int kArrivalOpenAttempts = 5;
constexpr std::chrono::milliseconds kArrivalRetryPause{100};

bool SamePath(const std::string& a, const std::string& b) { return EqualIgnoringAsciiCase(a, b); }

bool SupportedPath(const std::string& path) { return !path.empty() && path.size() < kMaxDevicePath; }

}  // namespace

HidLink::HidLink(HidBackend& backend, Reporter* reporter, Sleeper* sleeper)
    : backend_(backend), reporter_(reporter), sleeper_(sleeper)
{
}

HidLink::~HidLink() = default;

bool HidLink::Enumerate()
{
    std::lock_guard lock(mutex_);
    auto found = backend_.Enumerate(kSignVendorId, kSignProductId);
    if (!found) return false;
    for (const auto& path : *found) {
        if (!SupportedPath(path)) {
            Log(LogLevel::Warning, "device path too long, skipped: " + path.substr(0, 64) + "...");
            continue;
        }
        const bool listed = std::ranges::any_of(devices_, [&](const auto& p) { return SamePath(p, path); });
        if (!listed) devices_.push_back(path);
    }
    return true;
}

bool HidLink::Open(const std::string& path)
{
    std::lock_guard lock(mutex_);
    return OpenLocked(path);
}

bool HidLink::OpenLocked(const std::string& path)
{
    CloseLocked();
    if (!SupportedPath(path)) {
        lastOpenError_ = OpenError::NotFound;
        lastOpenMessage_ = path.empty() ? "empty device path" : "device path too long";
        return false;
    }
    auto result = backend_.Open(path);
    lastOpenError_ = result.error;
    lastOpenMessage_ = result.message;
    if (!result.handle) return false;
    device_ = std::move(result.handle);
    currentPath_ = path;
    lastOpenError_ = OpenError::None;
    return true;
}

bool HidLink::OpenWithRetry(const std::string& path)
{
    for (int attempt = 1;; ++attempt) {
        {
            std::lock_guard lock(mutex_);
            if (OpenLocked(path)) return true;
            const bool transient =
                lastOpenError_ == OpenError::PermissionDenied || lastOpenError_ == OpenError::NotFound;
            if (!transient || attempt >= kArrivalOpenAttempts || !sleeper_) return false;
        }
        sleeper_->Pause(kArrivalRetryPause);
    }
}

void HidLink::Close()
{
    std::lock_guard lock(mutex_);
    CloseLocked();
}

void HidLink::CloseLocked()
{
    device_.reset();
    currentPath_.clear();
}

OpenError HidLink::LastOpenError() const
{
    std::lock_guard lock(mutex_);
    return lastOpenError_;
}

std::string HidLink::LastOpenMessage() const
{
    std::lock_guard lock(mutex_);
    return lastOpenMessage_;
}

int HidLink::WriteReport(std::span<const std::uint8_t> payload)
{
    if (payload.empty() || payload.size() > kReportPayload) {
        Log(LogLevel::Error, "report payload must be 1..64 bytes");
        return 0;
    }
    std::array<std::uint8_t, kReportBytes> report{};
    std::ranges::copy(payload, report.begin() + 1);
    int written = 0;
    {
        std::lock_guard lock(mutex_);
        if (currentPath_.empty()) return 0;
        written = std::max(0, device_->Write(report));
        if (written != kReportBytes) Log(LogLevel::Warning, "report write failed: " + device_->LastError());
    }
    if (written == kReportBytes) return written;
    // Shown outside the lock: the service frames of the other thread go on
    // while this thread waits for the user.
    if (reporter_) reporter_->Message(MessageKind::Error, "usb write error!");
    return 0;
}

int HidLink::FindIndex(const std::string& path) const
{
    std::lock_guard lock(mutex_);
    for (std::size_t i = 0; i < devices_.size(); ++i)
        if (SamePath(devices_[i], path)) return static_cast<int>(i);
    return -1;
}

bool HidLink::RemoveAt(int index)
{
    std::lock_guard lock(mutex_);
    if (index < 0 || index >= static_cast<int>(devices_.size())) return false;
    const bool current = !currentPath_.empty() && SamePath(devices_[index], currentPath_);
    if (current) CloseLocked();
    devices_.erase(devices_.begin() + index);
    return current;
}

int HidLink::Add(const std::string& path)
{
    if (!SupportedPath(path)) return -1;
    std::lock_guard lock(mutex_);
    devices_.push_back(path);
    return static_cast<int>(devices_.size()) - 1;
}

bool HidLink::IsConnected() const
{
    std::lock_guard lock(mutex_);
    return !currentPath_.empty();
}

std::string HidLink::CurrentPath() const
{
    std::lock_guard lock(mutex_);
    return currentPath_;
}

std::vector<std::string> HidLink::Devices() const
{
    std::lock_guard lock(mutex_);
    return devices_;
}

DeviceChange HidLink::DeviceArrived(const std::string& path)
{
    if (!SupportedPath(path) || FindIndex(path) >= 0) return DeviceChange::Ignored;
    const int index = Add(path);
    const bool opened = OpenWithRetry(path);
    if (!opened) return DeviceChange::Listed;
    return index == 0 ? DeviceChange::OpenedOnly : DeviceChange::OpenedNewest;
}

DeviceChange HidLink::DeviceRemoved(const std::string& path)
{
    const int index = FindIndex(path);
    if (index < 0) return DeviceChange::Ignored;
    if (!RemoveAt(index)) return DeviceChange::OtherRemoved;
    const auto remaining = Devices();
    if (!remaining.empty()) Open(remaining.front());
    return DeviceChange::CurrentRemoved;
}

}  // namespace lumitag
