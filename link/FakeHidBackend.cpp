#include "link/FakeHidBackend.h"

#include <algorithm>

namespace lumitag {

class FakeHidBackend::Handle : public HidHandle {
public:
    Handle(FakeHidBackend& owner, std::string path) : owner_(owner), path_(std::move(path)) {}
    int Write(std::span<const std::uint8_t> report) override { return owner_.WriteFrom(path_, report); }
    std::string LastError() const override { return "fake write failure"; }

private:
    FakeHidBackend& owner_;
    std::string path_;
};

void FakeHidBackend::Plug(const std::string& path)
{
    std::lock_guard lock(mutex_);
    vanished_.erase(path);
    if (std::find(present_.begin(), present_.end(), path) == present_.end()) present_.push_back(path);
}

void FakeHidBackend::Unplug(const std::string& path)
{
    std::lock_guard lock(mutex_);
    std::erase(present_, path);
    vanished_.insert(path);
}

void FakeHidBackend::SetListingFails(bool fails)
{
    std::lock_guard lock(mutex_);
    listingFails_ = fails;
}

void FakeHidBackend::FailOpens(const std::string& path, int count, OpenError error)
{
    std::lock_guard lock(mutex_);
    openFailures_[path] = {count, error};
}

void FakeHidBackend::FailWrite(int writeNumber)
{
    std::lock_guard lock(mutex_);
    failingWrites_.insert(writeNumber);
}

void FakeHidBackend::VanishAfter(int reports)
{
    std::lock_guard lock(mutex_);
    vanishAfter_ = reports;
}

void FakeHidBackend::SetShortWrites(bool shortWrites)
{
    std::lock_guard lock(mutex_);
    shortWrites_ = shortWrites;
}

void FakeHidBackend::SetRecording(bool recording)
{
    std::lock_guard lock(mutex_);
    recording_ = recording;
}

std::vector<FakeHidBackend::Report> FakeHidBackend::Reports() const
{
    std::lock_guard lock(mutex_);
    return reports_;
}

long long FakeHidBackend::WriteCount() const
{
    std::lock_guard lock(mutex_);
    return writes_;
}

int FakeHidBackend::OpenCount() const
{
    std::lock_guard lock(mutex_);
    return opens_;
}

void FakeHidBackend::ClearReports()
{
    std::lock_guard lock(mutex_);
    reports_.clear();
}

std::optional<std::vector<std::string>> FakeHidBackend::Enumerate(std::uint16_t, std::uint16_t)
{
    std::lock_guard lock(mutex_);
    if (listingFails_) return std::nullopt;
    return present_;
}

OpenResult FakeHidBackend::Open(const std::string& path)
{
    std::lock_guard lock(mutex_);
    ++opens_;
    if (auto it = openFailures_.find(path); it != openFailures_.end() && it->second.first > 0) {
        --it->second.first;
        return {nullptr, it->second.second, "scripted open failure"};
    }
    if (std::find(present_.begin(), present_.end(), path) == present_.end())
        return {nullptr, OpenError::NotFound, "No such device"};
    return {std::make_unique<Handle>(*this, path), OpenError::None, {}};
}

int FakeHidBackend::WriteFrom(const std::string& path, std::span<const std::uint8_t> report)
{
    std::lock_guard lock(mutex_);
    const long long number = writes_++;
    if (vanished_.contains(path)) return -1;
    if (failingWrites_.contains(number)) return -1;
    if (vanishAfter_ == 0) {
        vanishAfter_ = -1;
        std::erase(present_, path);
        vanished_.insert(path);
        return -1;
    }
    if (vanishAfter_ > 0) --vanishAfter_;
    if (recording_) reports_.push_back({path, clock_ ? clock_->NowMs() : 0, {report.begin(), report.end()}});
    const int size = static_cast<int>(report.size());
    return shortWrites_ ? size - 1 : size;
}

}  // namespace lumitag
