#pragma once
// Packing of a slot image into the bytes a sign takes: rows of 1-bit pixels
// (one plane, or the red or green plane of a two-colour sign), or pages of
// 2-bit colour codes. Pure functions of the pixels and the settings.

#include "link/PackedImage.h"
#include "model/DeviceCatalogue.h"

#include <QImage>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace lumitag {

// Which pixels a 1-bit image lights.
enum class Plane : int {
    Any = 0,    // every pixel that is not opaque black and not transparent
    Red = 1,    // red and yellow pixels
    Green = 2,  // green and yellow pixels
};

struct PackSettings {
    LinkProtocol protocol = LinkProtocol::Hello;  // Paged273 inverts 2-bit codes, Bus276 fills with 0x00
    int bitsPerPixel = 1;                         // 1 or 2
    int pageWidth = 16;                           // P, columns per page; used with 2 bits only
    Plane plane = Plane::Any;
    bool dateFlag = false;  // date slot: one extra all-zero page follows the image pages
    int rows = 16;          // the sign's rows, sizing the page of a date slot without picture
};

// The packed bytes of `image`. A null image is a picture that could not be
// loaded: no bytes, except for a 2-bit date slot, which gets one zero page.
std::vector<std::uint8_t> PackPixels(const QImage& image, const PackSettings& settings);

// Loads the picture at `path` and packs it into `record` (replacing what it
// held; an unloadable picture leaves it empty as above).
void PackImageFile(const std::filesystem::path& path, PackedImage& record, const PackSettings& settings);

}  // namespace lumitag
