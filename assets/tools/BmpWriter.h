#pragma once
// Writes the 32-bit BMP files of the Data folder: uncompressed BI_RGB,
// bottom-up rows, one ARGB pixel per LED. Shared by the asset generators.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

// Included by path: the generators build before any library, with no include
// path of the project.
#include "../../model/Bmp32Layout.h"

namespace lumitag::assets {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // ARGB, row-major, top row first

    Picture() = default;
    Picture(int w, int h, std::uint32_t fill = 0xFF000000u)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
    std::uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Returns false when the file cannot be written or the picture is too large
// for the format.
inline bool WriteBmp(const std::filesystem::path& path, const Picture& picture)
{
    const auto width = static_cast<std::uint32_t>(picture.width);
    const auto height = static_cast<std::uint32_t>(picture.height);
    const auto pixelBytes = Bmp32PixelBytes(width, height);
    if (!pixelBytes) return false;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const auto header = Bmp32Header(width, height, *pixelBytes);
    out.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
    std::vector<char> row(static_cast<std::size_t>(width) * 4);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x)
            for (int i = 0; i < 4; ++i) row[static_cast<std::size_t>(x) * 4 + i] = static_cast<char>((picture.at(x, y) >> (8 * i)) & 0xFF);
        out.write(row.data(), static_cast<std::streamsize>(row.size()));
    }
    return static_cast<bool>(out.flush());
}

}  // namespace lumitag::assets
