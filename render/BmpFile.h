#pragma once
// Slot images are kept on disk as 32-bit BMP files (one ARGB pixel per LED).
// Qt's own BMP writer (Qt 6.4) stores 24 bits even for ARGB32 pictures, so
// the file is laid out here. The Data folder generators write the same
// layout without Qt, as they run at build time before any of the program is
// linked.

#include <QByteArray>
#include <QImage>

#include <filesystem>

namespace lumitag {

// The BMP file of `image`: BITMAPFILEHEADER, BITMAPINFOHEADER, 32 bits per
// pixel, BI_RGB, bottom-up rows of B G R A bytes; empty for a null picture
// or one too large for the format's 32-bit sizes.
QByteArray EncodeBmp32(const QImage& image);

// Writes EncodeBmp32(image) to `path`; false when it cannot be written.
// The file is replaced atomically (a reader sees the old file or the new one,
// never a part), but not flushed to disk: slot images are a record of what
// was sent, rewritten at every send and never read back to build one, so
// waiting for the disk at each of twenty files buys nothing. A symbolic link
// is followed; an existing file keeps its permission bits. A file that
// already holds these bytes is left as it is, with a new modification time.
bool WriteBmp32(const QImage& image, const std::filesystem::path& path);

}  // namespace lumitag
