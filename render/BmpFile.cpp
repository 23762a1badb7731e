#include "render/BmpFile.h"

#include <QSaveFile>
#include <QString>

#include <cstdint>

namespace lumitag {
namespace {

void PutLE(QByteArray& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

QByteArray EncodeBmp32(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const std::uint32_t width = static_cast<std::uint32_t>(image.width());
    const std::uint32_t height = static_cast<std::uint32_t>(image.height());
    const std::uint32_t headerBytes = 14 + 40;
    // The file size field has 32 bits: a larger picture has no BMP form.
    const std::uint64_t pixelBytes64 = std::uint64_t{width} * height * 4;
    if (image.isNull() || pixelBytes64 > 0xFFFFFFFFu - headerBytes) return {};
    const auto pixelBytes = static_cast<std::uint32_t>(pixelBytes64);

    QByteArray out;
    out.reserve(static_cast<qsizetype>(headerBytes + pixelBytes));
    out.append("BM", 2);
    PutLE(out, headerBytes + pixelBytes, 4);
    PutLE(out, 0, 4);  // reserved
    PutLE(out, headerBytes, 4);
    PutLE(out, 40, 4);  // BITMAPINFOHEADER
    PutLE(out, width, 4);
    PutLE(out, height, 4);  // positive: bottom-up
    PutLE(out, 1, 2);       // planes
    PutLE(out, 32, 2);      // bits per pixel
    PutLE(out, 0, 4);       // BI_RGB
    PutLE(out, pixelBytes, 4);
    PutLE(out, 2835, 4);  // 72 dpi
    PutLE(out, 2835, 4);
    PutLE(out, 0, 4);  // colours used
    PutLE(out, 0, 4);  // important colours
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) PutLE(out, line[x], 4);
    }
    return out;
}

bool WriteBmp32(const QImage& image, const std::filesystem::path& path)
{
    const QByteArray bytes = EncodeBmp32(image);
    if (bytes.isEmpty()) return false;
    QSaveFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace lumitag
