#include "link/HidapiBackend.h"

#include <hidapi.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

#include "model/Log.h"

namespace lumitag {
namespace {

// hid_init once per process; hid_exit is left to process exit because other
// backends may still hold devices.
bool InitialiseHidapi()
{
    static const bool ok = hid_init() == 0;
    return ok;
}

std::string Narrow(const wchar_t* text)
{
    if (!text) return {};
    std::string out;
    for (; *text; ++text) out.push_back(*text < 0x80 ? static_cast<char>(*text) : '?');
    return out;
}

class HidapiHandle : public HidHandle {
public:
    explicit HidapiHandle(hid_device* device) : device_(device) {}
    ~HidapiHandle() override { hid_close(device_); }

    int Write(std::span<const std::uint8_t> report) override
    {
        const int written = hid_write(device_, report.data(), report.size());
        if (written < 0) error_ = Narrow(hid_error(device_));
        return written;
    }
    std::string LastError() const override { return error_; }

private:
    hid_device* device_;
    std::string error_;
};

// hid_open_path hides errno; probing the node ourselves tells a missing node
// from one the user may not open, which is what the udev rule fixes.
OpenError ClassifyOpenFailure(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return OpenError::Other;
    }
    if (errno == EACCES || errno == EPERM) return OpenError::PermissionDenied;
    if (errno == ENOENT || errno == ENODEV || errno == ENXIO) return OpenError::NotFound;
    return OpenError::Other;
}

}  // namespace

HidapiBackend::HidapiBackend() : initialised_(InitialiseHidapi())
{
    if (!initialised_) Log(LogLevel::Error, "hidapi could not be initialised");
}

std::optional<std::vector<std::string>> HidapiBackend::Enumerate(std::uint16_t vendorId, std::uint16_t productId)
{
    if (!initialised_) return std::nullopt;
    std::vector<std::string> paths;
    hid_device_info* list = hid_enumerate(vendorId, productId);
    for (auto* info = list; info; info = info->next) {
        if (!info->path) continue;
        // One device may be listed once per usage.
        std::string path = info->path;
        if (std::find(paths.begin(), paths.end(), path) == paths.end()) paths.push_back(std::move(path));
    }
    hid_free_enumeration(list);
    return paths;
}

OpenResult HidapiBackend::Open(const std::string& path)
{
    if (!initialised_) return {nullptr, OpenError::Other, "hidapi could not be initialised"};
    hid_device* device = hid_open_path(path.c_str());
    if (device) return {std::make_unique<HidapiHandle>(device), OpenError::None, {}};
    const OpenError error = ClassifyOpenFailure(path);
    std::string message = error == OpenError::Other ? Narrow(hid_error(nullptr)) : OpenErrorText(error);
    return {nullptr, error, message};
}

}  // namespace lumitag
