// Pictures from image lists and the Data folder are untrusted bytes: decode
// them within the limits and pack what comes out in every packing mode.

#include "render/ImagePacker.h"
#include "render/PictureLoader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace lumitag;
    const QImage image =
        LoadPictureData(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (image.isNull()) return 0;
    if (image.format() != QImage::Format_ARGB32) __builtin_trap();
    PackPixels(image, {.bitsPerPixel = 1, .plane = Plane::Red});
    PackPixels(image, {.protocol = LinkProtocol::Paged273, .bitsPerPixel = 2, .pageWidth = 48, .dateFlag = true});
    PackPixels(image, {.protocol = LinkProtocol::Bus276, .bitsPerPixel = 2, .pageWidth = 64});
    return 0;
}
