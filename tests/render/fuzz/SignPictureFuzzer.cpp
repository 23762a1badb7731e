// Pictures the picture editor opens are untrusted bytes: the header peek
// that words the error must stay inside the bytes, and whatever decodes must
// import into a picture of the sign's rows and colours only.

#include "render/PictureLoader.h"
#include "render/SignPictureImport.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace lumitag;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const auto claimed = ClaimedSizeOf(bytes); claimed && (claimed->width < -(std::int64_t{1} << 31) ||
                                                             claimed->width > 0xFFFFFFFFll || claimed->height < 0))
        __builtin_trap();
    const QImage image = LoadPictureData(bytes);
    if (image.isNull()) return 0;
    for (const SignPictureFormat format : {SignPictureFormat{7, SignColourKind::SingleColour},
                                           SignPictureFormat{16, SignColourKind::FourColour}}) {
        const QImage picture = ImportForSign(image, format, ColourReduction::Ordered, 100);
        if (picture.height() != format.rows || picture.width() < 1 || picture.width() > kMaxSignPictureWidth ||
            !HasOnlySignColours(picture, format.colours))
            __builtin_trap();
    }
    return 0;
}
