#include "render/SignPictureImport.h"

#include "model/DeviceCatalogue.h"
#include "render/CaseInsensitivePath.h"
#include "render/PictureLoader.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <system_error>
#include <utility>

namespace lumitag {
namespace {

constexpr std::array<QRgb, 2> kSinglePalette{kSignBlack, kSignLit};
constexpr std::array<QRgb, 4> kFourPalette{kSignBlack, kSignRed, kSignGreen, kSignYellow};

// The classic 4x4 ordered-dither matrix: neighbouring cells are far apart in
// rank, so any fraction of lit cells is spread evenly.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// The threshold shift of a Bayer cell: evenly spaced from -120 to +120, so
// a value equal to the threshold lights half the cells.
int BayerOffset(int x, int y) { return (2 * kBayer[y & 3][x & 3] + 1) * 255 / 32 - 127; }

int Luminance(QRgb c) { return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000; }

std::uint32_t Le(const QByteArray& b, int at, int n)
{
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | std::uint8_t(b[at + i]);
    return v;
}

std::uint32_t Be(const QByteArray& b, int at)
{
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | std::uint8_t(b[at + i]);
    return v;
}

// A JPEG's size from its start-of-frame segment, found by walking the
// segments of `head` (every step moves forward, so the walk ends).
std::optional<ClaimedPictureSize> JpegSize(const QByteArray& head)
{
    const auto be16 = [&head](qsizetype i) { return std::int64_t{std::uint8_t(head[i])} << 8 | std::uint8_t(head[i + 1]); };
    qsizetype at = 2;
    while (at + 9 <= head.size() && std::uint8_t(head[at]) == 0xFF) {
        const std::uint8_t marker = std::uint8_t(head[at + 1]);
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) return ClaimedPictureSize{be16(at + 7), be16(at + 5)};
        const qsizetype length = be16(at + 2);
        if (length < 2) return std::nullopt;
        at += 2 + length;
    }
    return std::nullopt;
}

bool TooLargeToLoad(std::int64_t width, std::int64_t height)
{
    return width > kMaxPictureSide || height > kMaxPictureSide ||
           width * height * 4 > (std::int64_t{kPictureAllocationLimitMB} << 20);
}

// Drawn over opaque black, as the sign shows an unlit LED where the
// picture is transparent.
QImage OverBlack(const QImage& picture)
{
    QImage out(picture.size(), QImage::Format_ARGB32);
    out.fill(kSignBlack);
    QPainter painter(&out);
    painter.drawImage(0, 0, picture);
    return out;
}

}  // namespace

std::span<const QRgb> SignPalette(SignColourKind kind)
{
    if (kind == SignColourKind::FourColour) return kFourPalette;
    return kSinglePalette;
}

SignPictureFormat PictureFormatOfModel(std::string_view ledType)
{
    ModelSettings settings;
    ApplyModel(settings, ledType);
    const PackingParams packing = PackingOf(ledType);
    const bool colour = packing.bitsPerPixel == 2 || packing.planeMode == 1;
    return {settings.rows, colour ? SignColourKind::FourColour : SignColourKind::SingleColour};
}

QSize FittedSize(QSize source, int rows)
{
    if (source.isEmpty() || rows < 1) return {};
    // 64 bits: a 32768-wide source times 16 rows is fine, but hostile sizes
    // must not wrap; rounded to the nearest column.
    const std::int64_t width = (std::int64_t{source.width()} * rows * 2 + source.height()) / (2 * std::int64_t{source.height()});
    return {static_cast<int>(std::clamp<std::int64_t>(width, 1, kMaxSignPictureWidth)), rows};
}

QImage FitToRows(const QImage& source, int rows)
{
    const QSize size = FittedSize(source.size(), rows);
    if (size.isEmpty()) return {};
    const QImage flat = OverBlack(source);
    if (size == flat.size()) return flat;
    const bool shrinking = rows < source.height();
    return flat
        .scaled(size, Qt::IgnoreAspectRatio, shrinking ? Qt::SmoothTransformation : Qt::FastTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

QImage ReduceToSignColours(const QImage& picture, SignColourKind kind, ColourReduction mode, int threshold)
{
    if (picture.isNull()) return {};
    threshold = std::clamp(threshold, 0, 255);
    QImage out = OverBlack(picture);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int level = threshold + (mode == ColourReduction::Ordered ? BayerOffset(x, y) : 0);
            const QRgb c = line[x];
            if (kind == SignColourKind::SingleColour) {
                line[x] = Luminance(c) >= level && Luminance(c) > 0 ? kSignLit : kSignBlack;
                continue;
            }
            // A zero channel never lights, even at threshold 0: black stays black.
            const bool red = qRed(c) >= level && qRed(c) > 0;
            const bool green = qGreen(c) >= level && qGreen(c) > 0;
            line[x] = red ? (green ? kSignYellow : kSignRed) : (green ? kSignGreen : kSignBlack);
        }
    }
    return out;
}

QImage ImportForSign(const QImage& source, SignPictureFormat format, ColourReduction mode, int threshold)
{
    return ReduceToSignColours(FitToRows(source, format.rows), format.colours, mode, threshold);
}

bool HasOnlySignColours(const QImage& picture, SignColourKind kind)
{
    const auto palette = SignPalette(kind);
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (std::find(palette.begin(), palette.end(), line[x]) == palette.end()) return false;
    }
    return true;
}

std::optional<ClaimedPictureSize> ClaimedSizeOf(const QByteArray& head)
{
    if (head.startsWith("\xFF\xD8")) return JpegSize(head);
    if (head.size() >= 26 && head.startsWith("BM")) {
        const auto height = static_cast<std::int32_t>(Le(head, 22, 4));
        return ClaimedPictureSize{static_cast<std::int32_t>(Le(head, 18, 4)),
                                  height < 0 ? -std::int64_t{height} : std::int64_t{height}};
    }
    if (head.size() >= 24 && head.startsWith("\x89PNG\r\n\x1a\n") && head.mid(12, 4) == "IHDR")
        return ClaimedPictureSize{Be(head, 16), Be(head, 20)};
    if (head.size() >= 10 && head.startsWith("GIF8")) return ClaimedPictureSize{Le(head, 6, 2), Le(head, 8, 2)};
    return std::nullopt;
}

LoadedPicture LoadPictureWithReason(const std::filesystem::path& path)
{
    QImage image = LoadPicture(path);
    if (!image.isNull()) return {std::move(image), PictureLoadError::None};

    const auto resolved = ResolveIgnoringCase(path);
    std::error_code ec;
    if (!resolved) return {{}, PictureLoadError::NotFound};
    // A folder, a FIFO or a device is never read: it could block or never end.
    if (!std::filesystem::is_regular_file(std::filesystem::status(*resolved, ec))) return {{}, PictureLoadError::NotAFile};
    // Qt's readers refuse to report a size they will not decode, and "too
    // large" tells the user more than "damaged".
    QFile file(QString::fromStdString(resolved->string()));
    const QByteArray head = file.open(QIODevice::ReadOnly) ? file.read(64 * 1024) : QByteArray();
    if (const auto claimed = ClaimedSizeOf(head); claimed && TooLargeToLoad(claimed->width, claimed->height))
        return {{}, PictureLoadError::TooLarge};
    QImageReader reader(QString::fromStdString(resolved->string()));
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) return {{}, PictureLoadError::UnsupportedFormat};
    if (const QSize size = reader.size(); size.isValid() && TooLargeToLoad(size.width(), size.height()))
        return {{}, PictureLoadError::TooLarge};
    return {{}, PictureLoadError::Damaged};
}

}  // namespace lumitag
