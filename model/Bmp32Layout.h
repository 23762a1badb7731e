#pragma once
// The one layout of the 32-bit BMP files the program writes (the slot images
// of Image/ and the bitmaps of the Data folder): BITMAPFILEHEADER and
// BITMAPINFOHEADER, BI_RGB, bottom-up rows of B G R A bytes. Header-only and
// without Qt, so the Data folder generators, which run at build time before
// any library is linked, lay out the same bytes as the renderer.

#include <array>
#include <cstdint>
#include <optional>

namespace lumitag {

inline constexpr std::uint32_t kBmp32HeaderBytes = 14 + 40;

// The pixel bytes of a width x height picture, or nothing when the file's
// 32-bit size field cannot hold them.
constexpr std::optional<std::uint32_t> Bmp32PixelBytes(std::uint32_t width, std::uint32_t height)
{
    const std::uint64_t bytes = std::uint64_t{width} * height * 4;
    if (bytes > 0xFFFFFFFFu - kBmp32HeaderBytes) return std::nullopt;
    return static_cast<std::uint32_t>(bytes);
}

// The 54 header bytes; `pixelBytes` from Bmp32PixelBytes.
constexpr std::array<std::uint8_t, kBmp32HeaderBytes> Bmp32Header(std::uint32_t width, std::uint32_t height,
                                                                  std::uint32_t pixelBytes)
{
    std::array<std::uint8_t, kBmp32HeaderBytes> out{};
    std::size_t at = 0;
    const auto put = [&](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out[at++] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
    };
    put('B', 1);
    put('M', 1);
    put(kBmp32HeaderBytes + pixelBytes, 4);
    put(0, 4);  // reserved
    put(kBmp32HeaderBytes, 4);
    put(40, 4);  // BITMAPINFOHEADER
    put(width, 4);
    put(height, 4);  // positive: bottom-up
    put(1, 2);       // planes
    put(32, 2);      // bits per pixel
    put(0, 4);       // BI_RGB
    put(pixelBytes, 4);
    put(2835, 4);  // 72 dpi
    put(2835, 4);
    put(0, 4);  // colours used
    put(0, 4);  // important colours
    return out;
}

}  // namespace lumitag
