#include "render/GifWriter.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <unordered_map>

namespace lumitag {
namespace {

constexpr int kMaxSide = 65535;  // the format's 16-bit sizes
constexpr int kMaxColours = 256;

int AppendBytes(GifFileType* gif, const GifByteType* data, int length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

GifByteType CubeIndex(QRgb pixel)
{
    auto level = [](int v) { return (v + 25) / 51; };
    return static_cast<GifByteType>(level(qRed(pixel)) * 36 + level(qGreen(pixel)) * 6 + level(qBlue(pixel)));
}

// A colour table: the exact colours of a picture, or the colour cube.
class ColourTable {
public:
    static ColourTable Cube()
    {
        ColourTable table;
        table.cube_ = true;
        return table;
    }

    // The exact colours of `rect` in `image`; nullopt when there are too many.
    static std::optional<ColourTable> Exact(const QImage& image, const QRect& rect)
    {
        ColourTable table;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            QRgb last = ~0u;
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const QRgb colour = line[x] & 0xFFFFFFu;
                if (colour == last) continue;  // LED pictures are long runs of one colour
                last = colour;
                if (table.indices_.contains(colour)) continue;
                if (table.indices_.size() == kMaxColours) return std::nullopt;
                table.indices_.emplace(colour, static_cast<GifByteType>(table.indices_.size()));
            }
        }
        return table;
    }

    // The index of every pixel of the row, false when a colour is missing.
    bool Map(const QRgb* pixels, int count, GifPixelType* out)
    {
        if (cube_) {
            for (int x = 0; x < count; ++x) out[x] = CubeIndex(pixels[x]);
            return true;
        }
        for (int x = 0; x < count; ++x) {
            // LED pictures alternate a few colours (LED, grid, LED...): a small
            // direct-mapped cache answers almost every pixel without hashing.
            const QRgb colour = pixels[x] & 0xFFFFFFu;
            CacheSlot& slot = cache_[(colour * 2654435761u) >> (32 - kCacheBits)];
            if (slot.colour != colour) {
                const auto found = indices_.find(colour);
                if (found == indices_.end()) return false;
                slot.colour = colour;
                slot.index = found->second;
            }
            out[x] = slot.index;
        }
        return true;
    }

    // giflib's colour map, padded to a power of two as the format wants.
    ColorMapObject* MakeMap() const
    {
        std::vector<GifColorType> colours;
        if (cube_) {
            for (int r = 0; r < 6; ++r)
                for (int g = 0; g < 6; ++g)
                    for (int b = 0; b < 6; ++b)
                        colours.push_back(GifColorType{static_cast<GifByteType>(r * 51),
                                                       static_cast<GifByteType>(g * 51),
                                                       static_cast<GifByteType>(b * 51)});
        } else {
            colours.resize(indices_.size());
            for (const auto& [colour, index] : indices_)
                colours[index] = GifColorType{static_cast<GifByteType>(qRed(colour)),
                                              static_cast<GifByteType>(qGreen(colour)),
                                              static_cast<GifByteType>(qBlue(colour))};
        }
        int size = 2;
        while (size < static_cast<int>(colours.size())) size *= 2;
        colours.resize(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
        return GifMakeMapObject(size, colours.data());
    }

private:
    static constexpr int kCacheBits = 6;
    struct CacheSlot {
        QRgb colour = ~0u;  // never a masked colour, so an empty slot never hits
        GifByteType index = 0;
    };

    std::unordered_map<QRgb, GifByteType> indices_;
    bool cube_ = false;
    std::array<CacheSlot, 1u << kCacheBits> cache_{};
};

// The smallest rectangle holding every pixel that differs; a 1 x 1 corner
// when nothing does, since every GIF frame needs an image.
QRect ChangedRect(const QImage& previous, const QImage& current)
{
    int top = -1;
    int bottom = -1;
    int left = current.width();
    int right = -1;
    const std::size_t lineBytes = static_cast<std::size_t>(current.width()) * 4;
    for (int y = 0; y < current.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(previous.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(current.constScanLine(y));
        if (std::memcmp(a, b, lineBytes) == 0) continue;
        if (top < 0) top = y;
        bottom = y;
        int x0 = 0;
        while (x0 < left && a[x0] == b[x0]) ++x0;
        left = std::min(left, x0);
        int x1 = current.width() - 1;
        while (x1 > right && a[x1] == b[x1]) --x1;
        right = std::max(right, x1);
    }
    if (top < 0) return QRect(0, 0, 1, 1);
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

std::string GifError(int code)
{
    const char* text = GifErrorString(code);
    return std::string("GIF encoding failed: ") + (text ? text : "unknown error");
}

}  // namespace

struct GifWriter::State {
    std::vector<std::uint8_t> bytes;
    GifFileType* gif = nullptr;
    std::optional<ColourTable> global;
    QImage previous;
    std::vector<GifPixelType> indices;  // the current rectangle, row by row
    std::string error;

    ~State()
    {
        int code = 0;
        if (gif) EGifCloseFile(gif, &code);
    }

    bool Check(int status)
    {
        if (status == GIF_OK) return true;
        if (error.empty()) error = GifError(gif ? gif->Error : D_GIF_ERR_NOT_ENOUGH_MEM);
        return false;
    }

    bool Open(const QImage& first)
    {
        int code = 0;
        gif = EGifOpen(&bytes, AppendBytes, &code);
        if (!gif) {
            error = GifError(code);
            return false;
        }
        EGifSetGifVersion(gif, true);
        // The first frame's colours are the global table; later frames bring
        // a table of their own only when they show a colour it lacks.
        global = ColourTable::Exact(first, first.rect());
        if (!global) global = ColourTable::Cube();
        ColorMapObject* map = global->MakeMap();
        const bool ok = Check(EGifPutScreenDesc(gif, first.width(), first.height(), 8, 0, map));
        GifFreeMapObject(map);
        if (!ok) return false;
        // Loop forever: the NETSCAPE2.0 application block every viewer reads.
        static const GifByteType kNetscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
        static const GifByteType kLoopForever[] = {1, 0, 0};
        return Check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE)) &&
               Check(EGifPutExtensionBlock(gif, sizeof kNetscape, kNetscape)) &&
               Check(EGifPutExtensionBlock(gif, sizeof kLoopForever, kLoopForever)) &&
               Check(EGifPutExtensionTrailer(gif));
    }

    bool MapRect(const QImage& image, const QRect& rect, ColourTable& table)
    {
        indices.resize(static_cast<std::size_t>(rect.width()) * static_cast<std::size_t>(rect.height()));
        const std::size_t width = static_cast<std::size_t>(rect.width());
        const QRgb* above = nullptr;
        for (int y = 0; y < rect.height(); ++y) {
            const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(rect.top() + y)) + rect.left();
            GifPixelType* out = indices.data() + static_cast<std::size_t>(y) * width;
            // An LED is several lines high: most lines repeat the one above.
            if (above && std::memcmp(above, pixels, width * sizeof(QRgb)) == 0)
                std::memcpy(out, out - width, width);
            else if (!table.Map(pixels, rect.width(), out))
                return false;
            above = pixels;
        }
        return true;
    }

    bool Write(const QImage& image, int delay)
    {
        // Frames are laid over the previous one, so only the change is stored.
        const QRect rect = previous.isNull() ? image.rect() : ChangedRect(previous, image);
        std::optional<ColourTable> local;
        if (!MapRect(image, rect, *global)) {
            local = ColourTable::Exact(image, rect);
            if (!local) local = ColourTable::Cube();
            MapRect(image, rect, *local);
        }
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSE_DO_NOT;
        control.UserInputFlag = false;
        control.DelayTime = std::clamp(delay, 1, 65535);
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        if (!Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, sizeof extension, extension))) return false;
        ColorMapObject* map = local ? local->MakeMap() : nullptr;
        const bool described = Check(EGifPutImageDesc(gif, rect.x(), rect.y(), rect.width(), rect.height(), false, map));
        if (map) GifFreeMapObject(map);
        if (!described) return false;
        for (int y = 0; y < rect.height(); ++y)
            if (!Check(EGifPutLine(gif, indices.data() + static_cast<std::size_t>(y) * rect.width(), rect.width())))
                return false;
        // A copy of our own: the caller may paint its next frame into the
        // same picture, and sharing it would make every frame detach anew.
        if (previous.size() != image.size() || previous.format() != image.format())
            previous = QImage(image.size(), image.format());
        for (int y = 0; y < image.height(); ++y)
            std::memcpy(previous.scanLine(y), image.constScanLine(y), static_cast<std::size_t>(image.width()) * 4);
        return true;
    }
};

GifWriter::GifWriter() : state_(std::make_unique<State>()) {}
GifWriter::~GifWriter() = default;

bool GifWriter::Add(const QImage& frame, int delayCentiseconds)
{
    State& s = *state_;
    if (!s.error.empty()) return false;
    if (frame.isNull() || frame.width() > kMaxSide || frame.height() > kMaxSide) {
        s.error = "frame size out of range for GIF";
        return false;
    }
    if (!s.previous.isNull() && frame.size() != s.previous.size()) {
        s.error = "frames differ in size";
        return false;
    }
    const QImage image = frame.format() == QImage::Format_ARGB32 || frame.format() == QImage::Format_RGB32
                             ? frame
                             : frame.convertToFormat(QImage::Format_ARGB32);
    if (!s.gif && !s.Open(image)) return false;
    return s.Write(image, delayCentiseconds);
}

GifEncoding GifWriter::Finish()
{
    State& s = *state_;
    GifEncoding result;
    if (s.error.empty() && !s.gif) s.error = "no frames to encode";
    if (s.error.empty()) {
        int code = 0;
        const int status = EGifCloseFile(s.gif, &code);
        s.gif = nullptr;  // closed (and freed) whatever the outcome
        if (status != GIF_OK) s.error = GifError(code);
    }
    result.error = s.error;
    if (result.error.empty()) result.bytes = std::move(s.bytes);
    state_ = std::make_unique<State>();
    state_->error = "the GIF was already finished";
    return result;
}

GifEncoding EncodeAnimatedGif(std::span<const GifFrame> frames)
{
    GifWriter writer;
    for (const GifFrame& frame : frames)
        if (!writer.Add(frame.image, frame.delayCentiseconds)) break;
    return writer.Finish();
}

}  // namespace lumitag
