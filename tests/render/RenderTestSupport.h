#pragma once
// Shared by the render tests: the application object fonts need, a private
// program folder, and small fixture pictures.

#include "render/BmpFile.h"
#include "render/SignColours.h"

#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace lumitag::test {

inline constexpr QRgb kBlack = kSignBlack;
inline constexpr QRgb kRed = kSignRed;
inline constexpr QRgb kGreen = kSignGreen;
inline constexpr QRgb kYellow = kSignYellow;

inline void EnsureGuiApplication()
{
    if (QGuiApplication::instance()) return;
    // Headless unless told otherwise: no display is needed to draw.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "render_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder()
    {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() /
                ("lumitag-render-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// A picture `width` x `height` filled with `colour`.
inline QImage Solid(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// Writes `image` as a 32-bit BMP at `path`, creating its folders.
inline void WriteFixture(const std::filesystem::path& path, const QImage& image)
{
    std::filesystem::create_directories(path.parent_path());
    ASSERT_TRUE(WriteBmp32(image, path)) << path;
}

// The distinct colours of the pixels of `image` in columns [x0, x1).
inline std::vector<QRgb> Colours(const QImage& image, int x0 = 0, int x1 = -1)
{
    if (x1 < 0) x1 = image.width();
    std::vector<QRgb> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = x0; x < x1; ++x) {
            const QRgb c = image.pixel(x, y);
            if (std::find(out.begin(), out.end(), c) == out.end()) out.push_back(c);
        }
    return out;
}

inline std::string Hex(const std::vector<std::uint8_t>& bytes)
{
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (auto b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

inline std::string Repeat(const std::string& text, int count)
{
    std::string out;
    for (int i = 0; i < count; ++i) out += text;
    return out;
}

}  // namespace lumitag::test
