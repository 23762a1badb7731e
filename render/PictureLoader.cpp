#include "render/PictureLoader.h"

#include "model/Log.h"
#include "render/CaseInsensitivePath.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QString>

#include <cstdint>
#include <mutex>
#include <optional>
#include <system_error>

namespace lumitag {
namespace {

namespace fs = std::filesystem;

// The resolved `path` when it names a regular file (a FIFO would block the
// reader, a device node never ends), else nullopt.
std::optional<fs::path> RegularFile(const fs::path& path)
{
    auto resolved = ResolveIgnoringCase(path);
    if (!resolved) return std::nullopt;
    std::error_code ec;
    if (!fs::is_regular_file(fs::status(*resolved, ec))) return std::nullopt;
    return resolved;
}

void SetAllocationLimitOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { QImageReader::setAllocationLimit(kPictureAllocationLimitMB); });
}

// Every picture ends up as 32-bit ARGB, so that is the size the limit is
// held against: a 1-bit or run-length file decodes small within the reader's
// own limit and would only grow on conversion.
bool SizeAcceptable(const QSize& size)
{
    constexpr std::int64_t kLimitBytes = std::int64_t{kPictureAllocationLimitMB} << 20;
    return size.width() > 0 && size.height() > 0 && size.width() <= kMaxPictureSide &&
           size.height() <= kMaxPictureSide &&
           std::int64_t{size.width()} * size.height() * 4 <= kLimitBytes;
}

std::uint32_t LittleEndian(const QByteArray& bytes, int at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

// True for an uncompressed BMP whose header claims more rows of pixels than
// the file holds. The reader would allocate and decode the whole claimed
// picture (a 57-byte file can claim eight million pixels) only to fill it
// from nothing. The last row may lack its padding, as some writers leave it
// out. Run-length files can legitimately be far smaller than their pixels,
// so they are left to the allocation limit.
bool BmpClaimsMoreThanItHolds(const QByteArray& head, std::int64_t fileSize)
{
    constexpr int kCoreHeader = 12;
    constexpr int kInfoHeader = 40;
    if (head.size() < 14 + kCoreHeader || !head.startsWith("BM")) return false;
    const std::int64_t pixelOffset = LittleEndian(head, 10, 4);
    const std::uint32_t dibSize = LittleEndian(head, 14, 4);
    std::int64_t width = 0, height = 0, bpp = 0;
    std::uint32_t compression = 0;
    if (dibSize == kCoreHeader) {
        width = static_cast<std::int16_t>(LittleEndian(head, 18, 2));
        height = static_cast<std::int16_t>(LittleEndian(head, 20, 2));
        bpp = LittleEndian(head, 24, 2);
    } else if (dibSize >= kInfoHeader && head.size() >= 14 + kInfoHeader) {
        width = static_cast<std::int32_t>(LittleEndian(head, 18, 4));
        height = static_cast<std::int32_t>(LittleEndian(head, 22, 4));
        bpp = LittleEndian(head, 28, 2);
        compression = LittleEndian(head, 30, 4);
    } else {
        return false;  // the reader refuses it on its own
    }
    constexpr std::uint32_t kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;
    if (compression != kRgb && compression != kBitFields && compression != kAlphaBitFields) return false;
    if (width <= 0 || height == 0 || bpp <= 0 || bpp > 32) return false;
    const std::int64_t rows = height < 0 ? -height : height;
    const std::int64_t rowBytes = (width * bpp + 7) / 8;
    const std::int64_t stride = (width * bpp + 31) / 32 * 4;
    return pixelOffset + stride * (rows - 1) + rowBytes > fileSize;
}

// Decodes what `reader` reads, within the limits; null when it cannot.
QImage Decode(QImageReader& reader)
{
    SetAllocationLimitOnce();
    if (QIODevice* device = reader.device()) {
        constexpr int kHeaderBytes = 14 + 40;
        if (BmpClaimsMoreThanItHolds(device->peek(kHeaderBytes), device->size())) return {};
    }
    reader.setDecideFormatFromContent(true);
    // The header's size is checked before any pixel is decoded.
    if (reader.canRead() && reader.size().isValid() && !SizeAcceptable(reader.size())) return {};
    QImage image = reader.read();
    if (image.isNull() || !SizeAcceptable(image.size())) return {};
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

QImage LoadPicture(const fs::path& path)
{
    const auto file = RegularFile(path);
    if (!file) return {};
    QFile device(QString::fromStdString(file->string()));
    if (!device.open(QIODevice::ReadOnly)) return {};
    QImageReader reader(&device);
    QImage image = Decode(reader);
    if (image.isNull()) Log(LogLevel::Debug, "picture not loaded: " + file->string());
    return image;
}

QImage LoadPictureData(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return Decode(reader);
}

int PictureWidth(const fs::path& path)
{
    // Decoded rather than read from the header, so that a picture whose
    // header is fine but whose pixels are broken counts as 0 here too.
    return LoadPicture(path).width();
}

}  // namespace lumitag
