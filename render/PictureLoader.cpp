#include "render/PictureLoader.h"

#include "model/Log.h"
#include "render/CaseInsensitivePath.h"

#include <QBuffer>
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

// Decodes what `reader` reads, within the limits; null when it cannot.
QImage Decode(QImageReader& reader)
{
    SetAllocationLimitOnce();
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
    QImageReader reader(QString::fromStdString(file->string()));
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
