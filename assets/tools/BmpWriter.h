#pragma once
// Writes the 32-bit BMP files of the Data folder: uncompressed BI_RGB,
// bottom-up rows, one ARGB pixel per LED. Shared by the asset generators.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

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

inline void PutLE(std::ofstream& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Returns false when the file cannot be written.
inline bool WriteBmp(const std::filesystem::path& path, const Picture& picture)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const std::uint32_t imageBytes = static_cast<std::uint32_t>(picture.width) * picture.height * 4;
    const std::uint32_t headerBytes = 14 + 40;
    out.put('B');
    out.put('M');
    PutLE(out, headerBytes + imageBytes, 4);
    PutLE(out, 0, 4);
    PutLE(out, headerBytes, 4);
    PutLE(out, 40, 4);  // BITMAPINFOHEADER
    PutLE(out, static_cast<std::uint32_t>(picture.width), 4);
    PutLE(out, static_cast<std::uint32_t>(picture.height), 4);
    PutLE(out, 1, 2);   // planes
    PutLE(out, 32, 2);  // bits per pixel
    PutLE(out, 0, 4);   // BI_RGB
    PutLE(out, imageBytes, 4);
    PutLE(out, 2835, 4);  // 72 dpi
    PutLE(out, 2835, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    for (int y = picture.height - 1; y >= 0; --y)
        for (int x = 0; x < picture.width; ++x) PutLE(out, picture.at(x, y), 4);
    return static_cast<bool>(out.flush());
}

}  // namespace lumitag::assets
