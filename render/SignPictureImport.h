#pragma once
// Turning an arbitrary picture into one a sign can show as it is: exactly as
// high as the sign has rows, and made only of the colours its LEDs have, so
// that the slot image builder packs what the user saw. Pure functions of
// pictures; the picture editor (imagedit) is a thin window over them.

#include "render/SignColours.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

namespace lumitag {

// Which LED colours a model has. Single-colour signs light or do not light
// a pixel; the colour models mix a red and a green LED.
enum class SignColourKind { SingleColour, FourColour };

// The colour a lit pixel of a single-colour sign is drawn in. Its packer
// counts every non-black pixel as lit, so any sign colour would do.
inline constexpr QRgb kSignLit = kSignRed;

// Black first, then the lit colours: {black, red} for single-colour signs,
// {black, red, green, yellow} for the colour models.
std::span<const QRgb> SignPalette(SignColourKind kind);

// Pictures never grow wider than this: far more than any slot sends, and it
// keeps a 1-pixel-high panorama from turning into a huge canvas.
inline constexpr int kMaxSignPictureWidth = 4096;
inline constexpr int kMaxSignPictureRows = 16;

// What the pictures of a model look like.
struct SignPictureFormat {
    int rows = 12;
    SignColourKind colours = SignColourKind::SingleColour;
    bool operator==(const SignPictureFormat&) const = default;
};

// The format for the stored "LedType": rows as the send worker applies the
// name (letter case ignored, 12 for an unknown name), colours as the slot
// image builder packs it (exact name; an unknown name packs one colour).
SignPictureFormat PictureFormatOfModel(std::string_view ledType);

// `source` scaled to `rows` high keeping its aspect ratio, at least 1 and at
// most kMaxSignPictureWidth wide. Empty for an empty source or rows < 1.
QSize FittedSize(QSize source, int rows);

// The picture scaled to FittedSize, over black (transparent parts are
// unlit), as 32-bit ARGB. Shrinking averages the covered pixels; enlarging
// repeats pixels, so small pixel art keeps its hard edges.
QImage FitToRows(const QImage& source, int rows);

enum class ColourReduction { Threshold, Ordered };

// Every pixel mapped to SignPalette(kind). A colour sign lights its red LED
// where the red channel reaches `threshold` and its green LED where the
// green channel does (white gives yellow, blue gives nothing); a
// single-colour sign lights where the luminance does. Ordered reduction
// moves the threshold by a 4x4 Bayer matrix around its value, so mid-tones
// become patterns. Transparent pixels count as black. `threshold` 0..255.
QImage ReduceToSignColours(const QImage& picture, SignColourKind kind, ColourReduction mode, int threshold);

// FitToRows followed by ReduceToSignColours.
QImage ImportForSign(const QImage& source, SignPictureFormat format, ColourReduction mode, int threshold);

// Every pixel is one of SignPalette(kind).
bool HasOnlySignColours(const QImage& picture, SignColourKind kind);

// Why a picture file did not load.
enum class PictureLoadError { None, NotFound, NotAFile, UnsupportedFormat, TooLarge, Damaged };

struct LoadedPicture {
    QImage image;  // 32-bit ARGB; null unless error is None
    PictureLoadError error = PictureLoadError::None;
};

// The size the header at the start of a BMP, PNG, GIF or JPEG file claims
// (`head`: the file's first bytes, 64 KB suffice), before any decoding;
// nullopt for other formats or a header that names no size.
struct ClaimedPictureSize {
    std::int64_t width = 0;
    std::int64_t height = 0;
};
std::optional<ClaimedPictureSize> ClaimedSizeOf(const QByteArray& head);

// The picture through the renderer's own loader (LoadPicture: its
// allocation limit, regular files only, the first frame of an animation),
// with the reason when it fails. The reason is found from the header alone.
LoadedPicture LoadPictureWithReason(const std::filesystem::path& path);

}  // namespace lumitag
