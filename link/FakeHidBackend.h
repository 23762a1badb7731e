#pragma once
// A scriptable HID backend: devices are plain paths, every report written is
// recorded with the virtual time it went out, chosen writes fail, a device
// can vanish after a number of reports, and opens can be made to fail.

#include <map>
#include <mutex>
#include <set>

#include "link/HidBackend.h"
#include "link/Sleeper.h"

namespace lumitag {

class FakeHidBackend : public HidBackend {
public:
    struct Report {
        std::string path;
        long long timeMs;  // virtual time of the write (0 without a clock)
        std::vector<std::uint8_t> bytes;
    };

    explicit FakeHidBackend(const VirtualClock* clock = nullptr) : clock_(clock) {}

    // Devices present (listed by Enumerate and openable).
    void Plug(const std::string& path);
    void Unplug(const std::string& path);
    // Enumerate fails as if the platform had no HID service.
    void SetListingFails(bool fails);
    // The next `count` opens of `path` fail with `error`.
    void FailOpens(const std::string& path, int count, OpenError error);
    // The write with this 0-based number (counted over all devices) fails.
    void FailWrite(int writeNumber);
    // After `reports` more successful writes the open device vanishes: it is
    // unplugged and every later write to it fails.
    void VanishAfter(int reports);
    // Writes report fewer bytes than asked (a short write).
    void SetShortWrites(bool shortWrites);
    // Records nothing, for benchmarks: writes succeed and are only counted.
    void SetRecording(bool recording);

    std::vector<Report> Reports() const;
    long long WriteCount() const;
    int OpenCount() const;
    void ClearReports();

    std::optional<std::vector<std::string>> Enumerate(std::uint16_t vendorId, std::uint16_t productId) override;
    OpenResult Open(const std::string& path) override;

private:
    class Handle;
    int WriteFrom(const std::string& path, std::span<const std::uint8_t> report);

    const VirtualClock* clock_;
    mutable std::mutex mutex_;
    std::vector<std::string> present_;
    std::map<std::string, std::pair<int, OpenError>> openFailures_;
    std::set<long long> failingWrites_;
    std::set<std::string> vanished_;
    int vanishAfter_ = -1;
    bool listingFails_ = false;
    bool shortWrites_ = false;
    bool recording_ = true;
    long long writes_ = 0;
    int opens_ = 0;
    std::vector<Report> reports_;
};

}  // namespace lumitag
