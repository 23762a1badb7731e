#pragma once
// A session on a throw-away program folder, a scriptable HID backend and a
// virtual clock, for the service tests; and small helpers around it.

#include <gtest/gtest.h>

#include <QImage>

#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "link/FakeHidBackend.h"
#include "link/Sleeper.h"
#include "model/IniFile.h"
#include "model/Reporter.h"
#include "model/SettingsStore.h"
#include "model/SignProgram.h"
#include "model/WorkFiles.h"
#include "service/Session.h"
#include "tests/model/TempProgramFolder.h"
#include "tests/render/RenderTestSupport.h"

namespace lumitag::service::test {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// Saturday 2015-08-15 14:05:09.
inline LocalTime FixedTime() { return LocalTime{2015, 8, 15, 14, 5, 9, 6}; }

// A sleeper that holds every pause until opened, so a job can be caught
// while it runs.
class GateSleeper : public Sleeper {
public:
    void Pause(std::chrono::milliseconds) override
    {
        std::unique_lock lock(mutex_);
        opened_.wait(lock, [&] { return open_; });
    }
    void Open()
    {
        std::lock_guard lock(mutex_);
        open_ = true;
        opened_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = false;
};

class ServiceTest : public ::testing::Test {
protected:
    ServiceTest()
    {
        lumitag::test::EnsureGuiApplication();  // text is drawn with Qt's fonts
        fs::create_directories(folder_.Folder() / "Image");
    }

    // A session on the temporary folder with `model` stored as "LedType".
    service::Session& Open(const std::string& model, Sleeper* sleeper = nullptr)
    {
        {
            SettingsStore settings(folder_.WorkData() / "System.set");
            settings.SetLedType(model);
        }
        SessionOptions options;
        options.programFolder = folder_.Folder();
        options.backend = &backend_;
        options.sleeper = sleeper ? sleeper : &clock_;
        options.clock = FixedTime;
        session_ = std::make_unique<service::Session>(reporter_, options);
        EXPECT_TRUE(session_->LoadCurrentProgram().ok());
        return *session_;
    }

    // The INFO value of a work file, read from disk.
    std::string FileValue(const std::string& key, int id = 0)
    {
        CIniFile file(WorkFilePath(id));
        file.Load();
        return file.GetString(kProgramSection, key);
    }

    // A picture of `width` x `height` red pixels as a BMP file in the folder.
    fs::path Picture(const std::string& name, int width, int height)
    {
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(0xFFFF0000u);
        const fs::path path = folder_.Folder() / name;
        EXPECT_TRUE(image.save(QString::fromStdString(path.string()), "BMP"));
        return path;
    }

    // Payloads of the reports written so far (without the report ID).
    std::vector<Bytes> Payloads() const
    {
        std::vector<Bytes> out;
        for (const auto& report : backend_.Reports()) out.emplace_back(report.bytes.begin() + 1, report.bytes.end());
        return out;
    }

    testing::TempProgramFolder folder_;
    FakeHidBackend backend_;
    VirtualClock clock_;
    RecordingReporter reporter_;
    std::unique_ptr<service::Session> session_;
};

// "7E 04 CF" -> bytes.
inline Bytes HexBytes(std::string_view text)
{
    Bytes out;
    unsigned value = 0;
    int nibbles = 0;
    for (const char c : text) {
        int v = -1;
        if (c >= '0' && c <= '9') v = c - '0';
        else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
        if (v < 0) continue;
        value = value << 4 | static_cast<unsigned>(v);
        if (++nibbles % 2 == 0) out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    }
    return out;
}

// The first `frame.size()` bytes of a report payload equal `frame`, and the
// rest is zero.
inline bool ReportHolds(const Bytes& payload, const Bytes& frame)
{
    if (payload.size() < frame.size()) return false;
    for (std::size_t i = 0; i < payload.size(); ++i)
        if (payload[i] != (i < frame.size() ? frame[i] : 0)) return false;
    return true;
}

}  // namespace lumitag::service::test
