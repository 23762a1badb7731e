#include "render/ProgramPlayback.h"

#include "render/SignColours.h"

#include <algorithm>
#include <cstring>

namespace lumitag {
namespace {

// The preview's grid colour parts the LEDs and the rows.
constexpr QRgb kSheetGrid = 0xFF303030u;

}  // namespace

EffectTimeline SlotTimeline(CImageWnd& window, std::string_view model, const ModelSettings& settings,
                            const SlotParamTable& params, int slot)
{
    const EffectParams effect = EffectParamsOf(params, slot, settings.effectMenu);
    const SignArea area = SignAreaOf(model, settings);
    if (params.at(SlotField::kind, slot) == 0) return EffectTimeline({}, {}, effect, area);
    const QImage frame0 = window.RenderFrame(0);
    const QImage frame1 = PackingOf(model).planeMode == 1 ? QImage() : window.RenderFrame(1);
    return EffectTimeline(frame0, frame1, effect, area);
}

int ShownRows(const ModelSettings& settings) { return std::clamp(settings.slotCount, 1, kSlotCount); }

void StartProgram(RowPlayer& player, SlotWindows& windows, std::string_view model, const ModelSettings& settings,
                  const SlotParamTable& params, Millis now)
{
    const int rows = std::min(ShownRows(settings), player.RowCount());
    for (int slot = 0; slot < rows; ++slot)
        player.Start(slot, SlotTimeline(windows.Window(slot), model, settings, params, slot), now);
}

QSize SheetSize(int rowCount, SignArea area, int ledPitch)
{
    const int pitch = std::max(ledPitch, 1);
    const int count = std::max(rowCount, 1);
    return QSize(area.width * pitch, count * area.rows * pitch + (count - 1) * pitch);
}

void PaintSheet(const RowPlayer& player, SignArea area, int ledPitch, QImage& sheet)
{
    const int pitch = std::max(ledPitch, 1);
    const int led = pitch >= 3 ? pitch - 1 : pitch;
    const QSize size = SheetSize(player.RowCount(), area, pitch);
    if (sheet.size() != size || sheet.format() != QImage::Format_ARGB32)
        sheet = QImage(size, QImage::Format_ARGB32);
    sheet.fill(kSheetGrid);
    std::vector<QRgb> line(static_cast<std::size_t>(size.width()), kSheetGrid);
    for (int row = 0; row < player.RowCount(); ++row) {
        const QImage& picture = player.Picture(row);
        const int top = row * (area.rows * pitch + pitch);
        for (int y = 0; y < area.rows; ++y) {
            // One screen line of LEDs, then copied down the LED's height.
            const QRgb* source = !picture.isNull() && y < picture.height()
                                     ? reinterpret_cast<const QRgb*>(picture.constScanLine(y))
                                     : nullptr;
            const int columns = source ? std::min(area.width, picture.width()) : 0;
            for (int x = 0; x < area.width; ++x) {
                const QRgb colour = x < columns ? source[x] : kSignBlack;
                QRgb* out = line.data() + static_cast<std::ptrdiff_t>(x) * pitch;
                std::fill(out, out + led, colour);
            }
            for (int k = 0; k < led; ++k)
                std::memcpy(sheet.scanLine(top + y * pitch + k), line.data(), line.size() * sizeof(QRgb));
        }
    }
}

int AnimationFrameCount(Millis length)
{
    const std::int64_t frameMs = kAnimationFrameCentiseconds * 10;
    return static_cast<int>(std::max<std::int64_t>(1, (length.count() + frameMs - 1) / frameMs));
}

GifEncoding ProgramAnimationGif(SlotWindows& windows, std::string_view model, const ModelSettings& settings,
                                const SlotParamTable& params, const AnimationOptions& options)
{
    const SignArea area = SignAreaOf(model, settings);
    RowPlayer player(ShownRows(settings));
    StartProgram(player, windows, model, settings, params, Millis(0));
    GifWriter writer;
    QImage sheet;
    const int frames = AnimationFrameCount(options.length);
    for (int i = 0; i < frames; ++i) {
        player.Advance(Millis(static_cast<std::int64_t>(i) * kAnimationFrameCentiseconds * 10));
        PaintSheet(player, area, options.ledPitch, sheet);
        if (!writer.Add(sheet, kAnimationFrameCentiseconds)) break;
    }
    return writer.Finish();
}

}  // namespace lumitag
