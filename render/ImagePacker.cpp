#include "render/ImagePacker.h"

#include "model/Log.h"
#include "render/PictureLoader.h"
#include "render/SignColours.h"

#include <algorithm>

namespace lumitag {
namespace {

constexpr std::int64_t kMinPageBytes = 256;
// No packed image may exceed this; slot images are a few kilobytes.
constexpr std::int64_t kMaxPackedBytes = 64ll << 20;

bool Lit(QRgb pixel, Plane plane)
{
    switch (plane) {
    case Plane::Red: return pixel == kSignYellow || pixel == kSignRed;
    case Plane::Green: return pixel == kSignYellow || pixel == kSignGreen;
    case Plane::Any: break;
    }
    return pixel != kSignBlack && qAlpha(pixel) != 0;
}

// The two bits of a pixel's colour code, first bit in bit 0.
unsigned ColourCode(QRgb pixel)
{
    // Without branches: lit and dark pixels alternate too often to predict.
    const unsigned red = pixel == kSignRed;
    const unsigned green = pixel == kSignGreen;
    const unsigned lit = pixel != kSignBlack;
    return (0b11u - red - 2u * green) & (0u - lit);
}

std::vector<std::uint8_t> PackOneBit(const QImage& image, Plane plane)
{
    const std::int64_t rowBytes = (image.width() + 7) / 8;
    const std::int64_t size = rowBytes * image.height();
    if (size > kMaxPackedBytes) return {};
    std::vector<std::uint8_t> out(static_cast<std::size_t>(size), 0x00);
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::uint8_t* row = out.data() + y * rowBytes;
        for (int x = 0; x < image.width(); ++x)
            if (Lit(line[x], plane)) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    return out;
}

// Packs the columns [first, first + columns) of `image` as one page of
// `pageBytes` bytes at `page`; row y starts at byte y * 2P / 8. A page width
// that is not a multiple of 4 would let a row's last byte reach past the page
// (and past the buffer on the last page): such bits are dropped.
void PackTwoBitPage(const QImage& image, int first, int columns, int pageWidth, bool invert, std::uint8_t* page,
                    std::int64_t pageBytes)
{
    const std::int64_t coveredBytes = (2 * static_cast<std::int64_t>(columns) + 7) / 8;
    for (int y = 0; y < image.height(); ++y) {
        const std::int64_t rowStart = static_cast<std::int64_t>(y) * pageWidth * 2 / 8;
        if (rowStart >= pageBytes) break;
        const std::int64_t rowBytes = std::min(coveredBytes, pageBytes - rowStart);
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const QRgb* pixels = line + first;
        std::uint8_t* row = page + rowStart;
        const unsigned flip = invert ? 0b11 : 0b00;
        // Four pixels to a byte; bits of the last byte that no pixel covers stay 1.
        for (std::int64_t b = 0; b < rowBytes; ++b) {
            const int x0 = static_cast<int>(b * 4);
            const int count = std::min(4, columns - x0);
            unsigned byte = 0xFF;
            for (int k = 0; k < count; ++k) {
                const unsigned code = ColourCode(pixels[x0 + k]) ^ flip;
                byte = (byte & ~(0b11u << (2 * k))) | (code << (2 * k));
            }
            row[b] = static_cast<std::uint8_t>(byte);
        }
    }
}

std::vector<std::uint8_t> PackTwoBits(const QImage& image, const PackSettings& settings)
{
    const std::uint8_t fill = settings.protocol == LinkProtocol::Bus276 ? 0x00 : 0xFF;
    const bool invert = settings.protocol == LinkProtocol::Paged273;
    const std::int64_t width = image.isNull() ? 0 : image.width();
    const std::int64_t height = image.isNull() ? 0 : image.height();
    // Every catalogue model with 2 bits has a page width; without one the
    // image is a single page as wide as the picture.
    const int pageWidth = settings.pageWidth > 0 ? settings.pageWidth : static_cast<int>(std::max<std::int64_t>(4, (width + 3) / 4 * 4));

    if (width == 0) {
        if (!settings.dateFlag) return {};
        const std::int64_t pageBytes = std::max(kMinPageBytes, std::int64_t{pageWidth} * settings.rows * 2 / 8);
        if (pageBytes > kMaxPackedBytes) return {};
        return std::vector<std::uint8_t>(static_cast<std::size_t>(pageBytes), 0x00);
    }

    const std::int64_t imagePages = (width + pageWidth - 1) / pageWidth;
    const std::int64_t pages = imagePages + (settings.dateFlag ? 1 : 0);
    const std::int64_t pageBytes = std::max(kMinPageBytes, height * pageWidth * 2 / 8);
    if (pages * pageBytes > kMaxPackedBytes) return {};
    std::vector<std::uint8_t> out(static_cast<std::size_t>(pages * pageBytes), fill);
    if (settings.dateFlag) std::fill(out.end() - pageBytes, out.end(), std::uint8_t{0x00});
    for (std::int64_t p = 0; p < imagePages; ++p) {
        const int first = static_cast<int>(p * pageWidth);
        const int columns = static_cast<int>(std::min<std::int64_t>(pageWidth, width - first));
        PackTwoBitPage(image, first, columns, pageWidth, invert, out.data() + p * pageBytes, pageBytes);
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> PackPixels(const QImage& source, const PackSettings& settings)
{
    const QImage image = source.isNull() ? source : source.convertToFormat(QImage::Format_ARGB32);
    switch (settings.bitsPerPixel) {
    case 1: return image.isNull() ? std::vector<std::uint8_t>{} : PackOneBit(image, settings.plane);
    case 2: return PackTwoBits(image, settings);
    default:
        Log(LogLevel::Warning, "unsupported bits per pixel: " + std::to_string(settings.bitsPerPixel));
        return {};
    }
}

void PackImageFile(const std::filesystem::path& path, PackedImage& record, const PackSettings& settings)
{
    record.Clear();
    const QImage image = path.empty() ? QImage() : LoadPicture(path);
    record.data = PackPixels(image, settings);
    record.size = static_cast<int>(record.data.size());
}

}  // namespace lumitag
