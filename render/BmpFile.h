#pragma once
// Slot images are kept on disk as 32-bit BMP files (one ARGB pixel per LED).
// Qt's own BMP writer stores 24 bits, so the file is laid out here and written
// atomically through QSaveFile.

#include <QByteArray>
#include <QImage>

#include <filesystem>

namespace lumitag {

// The BMP file of `image`: BITMAPFILEHEADER, BITMAPINFOHEADER, 32 bits per
// pixel, BI_RGB, bottom-up rows of B G R A bytes.
QByteArray EncodeBmp32(const QImage& image);

// Writes EncodeBmp32(image) to `path`; false when it cannot be written.
bool WriteBmp32(const QImage& image, const std::filesystem::path& path);

}  // namespace lumitag
