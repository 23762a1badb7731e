#pragma once
// The single USB link to the signs: the list of attached signs' device paths,
// the current device, and the report writes, serialised by one lock. It only
// writes; nothing is ever read from a sign.

#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "link/HidBackend.h"
#include "link/Sleeper.h"
#include "model/Reporter.h"

namespace lumitag {

// What an arrival or removal did, so the window can refresh its selector.
enum class DeviceChange {
    Ignored,         // already listed, or not listed: nothing changed
    Listed,          // appended; opening it failed
    OpenedOnly,      // it is the only entry and is now current
    OpenedNewest,    // appended and made current in place of the previous one
    CurrentRemoved,  // the current device went away; entry 0 is current if any
    OtherRemoved,    // a device that was not current went away
};

class HidLink {
public:
    // `reporter` shows "usb write error!" (may be null); `sleeper` paces the
    // short retry of an open right after an arrival (may be null: no retry).
    HidLink(HidBackend& backend, Reporter* reporter, Sleeper* sleeper);
    ~HidLink();
    HidLink(const HidLink&) = delete;
    HidLink& operator=(const HidLink&) = delete;

    // Adds every attached sign not yet listed. False when the platform cannot
    // list devices; the list is then left as it was.
    bool Enumerate();
    // Makes `path` the current device. On failure no device is current and
    // LastOpenError says why.
    bool Open(const std::string& path);
    void Close();
    OpenError LastOpenError() const;
    std::string LastOpenMessage() const;

    // Writes `payload` (1..64 bytes) as one 65-byte report: 0x00, the bytes,
    // zeros. Returns 65 on success, 0 when no device is open (silently) or the
    // write failed or was short (after the "usb write error!" box).
    int WriteReport(std::span<const std::uint8_t> payload);

    // Index of `path` in the list (letter case ignored), or -1.
    int FindIndex(const std::string& path) const;
    // Removes an entry; true when it was the current device, which is closed.
    bool RemoveAt(int index);
    // Appends `path`; its index, or -1 for an empty or over-long path.
    int Add(const std::string& path);

    // A sign counts as connected exactly when a current path is set.
    bool IsConnected() const;
    std::string CurrentPath() const;
    std::vector<std::string> Devices() const;

    // A device appeared: list it and make it current (retrying the open a few
    // times, as its node may not be accessible yet).
    DeviceChange DeviceArrived(const std::string& path);
    // A device went away: unlist it; if it was current, open entry 0.
    DeviceChange DeviceRemoved(const std::string& path);

private:
    bool OpenLocked(const std::string& path);
    bool OpenWithRetry(const std::string& path);
    void CloseLocked();

    HidBackend& backend_;
    Reporter* reporter_;
    Sleeper* sleeper_;
    mutable std::mutex mutex_;
    std::vector<std::string> devices_;
    std::string currentPath_;
    std::unique_ptr<HidHandle> device_;
    OpenError lastOpenError_ = OpenError::None;
    std::string lastOpenMessage_;
};

}  // namespace lumitag
