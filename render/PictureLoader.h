#pragma once
// Loading of every picture the renderer reads: glyph and animation bitmaps of
// the Data folder and the user's image lists. Any of them may be damaged or
// hostile, so only regular files are read, names are matched ignoring case,
// and decoding runs under an allocation limit.

#include <QByteArray>
#include <QImage>

#include <filesystem>

namespace lumitag {

// Decoding larger than this (in megabytes) is refused, counted both as the
// reader decodes and as the 32-bit ARGB picture the renderer keeps.
inline constexpr int kPictureAllocationLimitMB = 64;
// Neither side of a loaded picture may exceed this many pixels.
inline constexpr int kMaxPictureSide = 32768;

// The picture at `path` as 32-bit ARGB, or a null image when it cannot be
// loaded (missing, not a regular file, undecodable, or too large).
QImage LoadPicture(const std::filesystem::path& path);

// The same for a picture held in memory.
QImage LoadPictureData(const QByteArray& bytes);

// The width LoadPicture would give, 0 when the picture cannot be loaded.
int PictureWidth(const std::filesystem::path& path);

}  // namespace lumitag
