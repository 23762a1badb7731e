#pragma once
// HID access through hidapi's hidraw backend.

#include "link/HidBackend.h"

namespace lumitag {

class HidapiBackend : public HidBackend {
public:
    HidapiBackend();
    std::optional<std::vector<std::string>> Enumerate(std::uint16_t vendorId, std::uint16_t productId) override;
    OpenResult Open(const std::string& path) override;

private:
    bool initialised_;
};

}  // namespace lumitag
