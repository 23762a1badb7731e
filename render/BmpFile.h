#pragma once
// Slot images are kept on disk as 32-bit BMP files (one ARGB pixel per LED).
// Qt's own BMP writer (Qt 6.4) stores 24 bits even for ARGB32 pictures, so
// the file is laid out here and written atomically through QSaveFile. The
// Data folder generators write the same layout without Qt, as they run at
// build time before any of the program is linked.

#include <QByteArray>
#include <QImage>

#include <filesystem>

namespace lumitag {

// The BMP file of `image`: BITMAPFILEHEADER, BITMAPINFOHEADER, 32 bits per
// pixel, BI_RGB, bottom-up rows of B G R A bytes; empty for a null picture
// or one too large for the format's 32-bit sizes.
QByteArray EncodeBmp32(const QImage& image);

// Writes EncodeBmp32(image) to `path`; false when it cannot be written.
bool WriteBmp32(const QImage& image, const std::filesystem::path& path);

}  // namespace lumitag
