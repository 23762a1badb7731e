#pragma once
// What the HID link needs from the platform: list the matching devices, open
// one by path, write 65-byte output reports. The product uses hidapi; tests
// use FakeHidBackend.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lumitag {

inline constexpr std::uint16_t kSignVendorId = 0x1668;
inline constexpr std::uint16_t kSignProductId = 0x5886;
inline constexpr int kReportBytes = 65;   // report ID 0x00 and 64 payload bytes
inline constexpr int kReportPayload = 64;
// Device paths of this many characters or more are not supported.
inline constexpr std::size_t kMaxDevicePath = 260;

enum class OpenError {
    None,
    NotFound,
    PermissionDenied,  // the udev rule is missing or not yet applied
    Other,
};

// An open device.
class HidHandle {
public:
    virtual ~HidHandle() = default;
    // Writes one whole report; returns the bytes written or -1.
    virtual int Write(std::span<const std::uint8_t> report) = 0;
    // The reason of the last failure, for diagnostics.
    virtual std::string LastError() const = 0;
};

// A short English reason, for logs and the command line.
constexpr const char* OpenErrorText(OpenError error)
{
    switch (error) {
    case OpenError::None: return "no error";
    case OpenError::NotFound: return "No such device";
    case OpenError::PermissionDenied: return "Permission denied";
    case OpenError::Other: return "cannot open the device";
    }
    return "cannot open the device";
}

struct OpenResult {
    std::unique_ptr<HidHandle> handle;  // null on failure
    OpenError error = OpenError::None;
    std::string message;
};

class HidBackend {
public:
    virtual ~HidBackend() = default;
    // Paths of the present devices with these IDs, each once, in the order
    // found; nullopt when the platform cannot list devices at all.
    virtual std::optional<std::vector<std::string>> Enumerate(std::uint16_t vendorId, std::uint16_t productId) = 0;
    virtual OpenResult Open(const std::string& path) = 0;
};

}  // namespace lumitag
