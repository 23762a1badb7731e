#include "render/EffectTimeline.h"

#include "render/EffectTiming.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <random>

namespace lumitag {
namespace {

// Bounds that keep a hostile area small and the snow order in 16 bits.
constexpr int kMaxWidth = 2048;
constexpr int kMaxRows = 32;

constexpr int kBlinkPeriodMs = timing::kBlinkLitMs + timing::kBlinkDarkMs;

// Keys of the effect menus' labels (IDS_DZ_MENU_ITEMn) and what they mean.
Effect EffectOfLabel(int labelKey)
{
    switch (labelKey) {
    case 1: return Effect::Left;
    case 2: return Effect::Right;
    case 3: return Effect::Up;
    case 4: return Effect::Down;
    case 6: return Effect::Animation;
    case 7: return Effect::Snow;
    case 8: return Effect::Middle;
    case 9: return Effect::Blink;
    default: return Effect::Fix;
    }
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return (a + b - 1) / b; }

// The frame as `rows` rows of ARGB32 LEDs, `width` columns, black beyond it.
QImage MakeStrip(const QImage& frame, int width, int rows)
{
    QImage strip(std::max(width, 1), rows, QImage::Format_ARGB32);
    strip.fill(0xFF000000u);
    if (frame.isNull()) return strip;
    const QImage source = frame.convertToFormat(QImage::Format_ARGB32);
    const int copyRows = std::min(rows, source.height());
    const int copyColumns = std::min(strip.width(), source.width());
    for (int y = 0; y < copyRows; ++y)
        std::memcpy(strip.scanLine(y), source.constScanLine(y), static_cast<std::size_t>(copyColumns) * 4);
    return strip;
}

bool IsSideways(Effect effect) { return effect == Effect::Left || effect == Effect::Right; }

}  // namespace

Effect EffectOf(int effectMenu, int code)
{
    const auto items = EffectMenuItems(effectMenu);
    if (code < 0 || code >= static_cast<int>(items.size())) return Effect::Fix;
    return EffectOfLabel(items[static_cast<std::size_t>(code)].labelKey);
}

EffectParams EffectParamsOf(const SlotParamTable& params, int slot, int effectMenu)
{
    EffectParams result;
    result.effect = EffectOf(effectMenu, params.at(SlotField::effect, slot));
    result.speed = params.at(SlotField::speed, slot);
    result.time = params.at(SlotField::time, slot);
    result.blink = params.at(SlotField::blink, slot) != 0;
    result.marquee = params.at(SlotField::marquee, slot) != 0;
    return result;
}

SignArea SignAreaOf(std::string_view model, const ModelSettings& settings)
{
    SignArea area;
    area.rows = std::clamp(settings.rows, 1, kMaxRows);
    const PackingParams packing = PackingOf(model);
    if (settings.pageWidth > 0)
        area.width = settings.pageWidth;
    else if (packing.bitsPerPixel == 2 || packing.planeMode == 1)
        area.width = packing.width;  // the colour signs are packed exactly as wide as they are
    else
        area.width = timing::kUnknownVisibleWidth;
    area.width = std::clamp(area.width, 1, kMaxWidth);
    return area;
}

// Where the current page sits on the LEDs and how much of it shows. Screen
// column x shows strip column x - originX, row y strip row y - originY.
struct EffectTimeline::Placement {
    enum class Mask { None, SnowIn, SnowOut, Middle };
    int originX = 0;
    int originY = 0;
    bool dark = false;
    Mask mask = Mask::None;
    int amount = 0;  // LEDs snowed in or still lit, or columns open each side of the middle
};

EffectTimeline::EffectTimeline(const QImage& frame0, const QImage& frame1, const EffectParams& params,
                               SignArea area)
    : area_{std::clamp(area.width, 1, kMaxWidth), std::clamp(area.rows, 1, kMaxRows)}, params_(params)
{
    params_.speed = std::clamp(params_.speed, 0, static_cast<int>(timing::kColumnsPerSecond.size()) - 1);
    params_.time = std::clamp(params_.time, 0, timing::kLongestDwell);
    empty_ = frame0.isNull() || frame0.width() <= 0;
    if (empty_) return;
    hasFrame1_ = !frame1.isNull() && frame1.width() > 0;
    contentWidth_ = std::max(frame0.width(), hasFrame1_ ? frame1.width() : 0);

    const int width = area_.width;
    const int rows = area_.rows;
    // A sideways scroll without dwell runs as one line; every other effect
    // shows the message a sign's width at a time, as the layout flag lays it out.
    const bool continuous = IsSideways(params_.effect) && params_.time == 0;
    pages_ = continuous ? 1 : std::max(1, static_cast<int>(CeilDiv(contentWidth_, width)));
    const int stripWidth = continuous ? contentWidth_ : pages_ * width;
    strips_[0] = MakeStrip(frame0, stripWidth, rows);
    if (hasFrame1_) strips_[1] = MakeStrip(frame1, stripWidth, rows);

    const std::int64_t n = pages_;
    const std::int64_t dwell = params_.time * timing::kDwellUnitMs;
    const std::int64_t still = params_.time > 0 ? dwell : timing::kStillWhenNoDwellMs;
    const int columnsPerSecond = timing::kColumnsPerSecond[params_.speed];
    const int rowsPerSecond = timing::kRowsPerSecond[params_.speed];
    std::int64_t cycle = 0;
    switch (params_.effect) {
    case Effect::Left:
    case Effect::Right:
        if (continuous)
            cycle = MoveMs(width + contentWidth_, columnsPerSecond).count();
        else
            cycle = n * (MoveMs(width, columnsPerSecond).count() + dwell) + MoveMs(width, columnsPerSecond).count();
        break;
    case Effect::Up:
    case Effect::Down: cycle = n * (2 * MoveMs(rows, rowsPerSecond).count() + dwell); break;
    case Effect::Fix: cycle = n * still; break;
    case Effect::Blink: cycle = n * std::max<std::int64_t>(1, CeilDiv(still, kBlinkPeriodMs)) * kBlinkPeriodMs; break;
    case Effect::Animation: cycle = n * timing::kAnimationPageMs[params_.speed] + dwell; break;
    case Effect::Snow: cycle = n * (2 * MoveMs(width, columnsPerSecond).count() + still); break;
    case Effect::Middle: cycle = n * (2 * MoveMs((width + 1) / 2, columnsPerSecond).count() + still); break;
    }
    cycle_ = Millis(cycle);

    if (params_.effect == Effect::Snow) {
        // Our own shuffle over a standard engine: std::shuffle may differ
        // between libraries, and the order must not.
        std::vector<std::uint16_t> order(static_cast<std::size_t>(width * rows));
        std::iota(order.begin(), order.end(), std::uint16_t{0});
        std::minstd_rand engine(timing::kSnowSeed);
        for (std::size_t i = order.size(); i > 1; --i) std::swap(order[i - 1], order[engine() % i]);
        snowRank_.resize(order.size());
        for (std::size_t k = 0; k < order.size(); ++k) snowRank_[order[k]] = static_cast<std::uint16_t>(k);
    }
}

Millis EffectTimeline::MoveMs(int steps, int perSecond) const
{
    return Millis(CeilDiv(static_cast<std::int64_t>(steps) * 1000, perSecond));
}

EffectTimeline::Placement EffectTimeline::PlaceAt(Millis time) const
{
    using Mask = Placement::Mask;
    const std::int64_t t = time.count();
    const int width = area_.width;
    const int rows = area_.rows;
    const std::int64_t n = pages_;
    const std::int64_t dwell = params_.time * timing::kDwellUnitMs;
    const std::int64_t still = params_.time > 0 ? dwell : timing::kStillWhenNoDwellMs;
    const int columnsPerSecond = timing::kColumnsPerSecond[params_.speed];
    const int rowsPerSecond = timing::kRowsPerSecond[params_.speed];
    const int stripWidth = strips_[0].width();
    auto steps = [](std::int64_t ms, int perSecond) { return static_cast<int>(ms * perSecond / 1000); };
    auto pageOrigin = [&](std::int64_t page) { return static_cast<int>(-std::min(page, n - 1) * width); };

    Placement place;
    switch (params_.effect) {
    case Effect::Left:
    case Effect::Right: {
        int step = 0;
        if (params_.time == 0) {
            step = steps(t, columnsPerSecond);
        } else {
            const std::int64_t move = MoveMs(width, columnsPerSecond).count();
            const std::int64_t segment = move + dwell;
            const std::int64_t page = t / segment;
            const std::int64_t within = t - page * segment;
            if (page < n)
                step = static_cast<int>(page * width) + (within < move ? steps(within, columnsPerSecond) : width);
            else
                step = static_cast<int>(n * width) + std::min(width, steps(within, columnsPerSecond));
        }
        // Left: the message enters at the right edge and leaves at the left;
        // Right: the mirror image, its end entering first at the left edge.
        place.originX = params_.effect == Effect::Left ? width - step : step - stripWidth;
        break;
    }
    case Effect::Up:
    case Effect::Down: {
        const std::int64_t move = MoveMs(rows, rowsPerSecond).count();
        const std::int64_t segment = 2 * move + dwell;
        const std::int64_t page = t / segment;
        const std::int64_t within = t - page * segment;
        place.originX = pageOrigin(page);
        int y = 0;  // how far the page is from its resting place, up positive
        if (within < move)
            y = -(rows - steps(within, rowsPerSecond));
        else if (within >= move + dwell)
            y = steps(within - move - dwell, rowsPerSecond);
        place.originY = params_.effect == Effect::Up ? -y : y;
        break;
    }
    case Effect::Fix: place.originX = pageOrigin(t / still); break;
    case Effect::Blink: {
        const std::int64_t pageMs = std::max<std::int64_t>(1, CeilDiv(still, kBlinkPeriodMs)) * kBlinkPeriodMs;
        place.originX = pageOrigin(t / pageMs);
        place.dark = (t % pageMs) % kBlinkPeriodMs >= timing::kBlinkLitMs;
        break;
    }
    case Effect::Animation: place.originX = pageOrigin(t / timing::kAnimationPageMs[params_.speed]); break;
    case Effect::Snow: {
        const std::int64_t fill = MoveMs(width, columnsPerSecond).count();
        const std::int64_t segment = 2 * fill + still;
        const std::int64_t page = t / segment;
        const std::int64_t within = t - page * segment;
        const std::int64_t leds = static_cast<std::int64_t>(width) * rows;
        place.originX = pageOrigin(page);
        if (within < fill) {
            place.mask = Mask::SnowIn;
            place.amount = static_cast<int>(within * leds / fill);
        } else if (within >= fill + still) {
            place.mask = Mask::SnowOut;
            place.amount = static_cast<int>((within - fill - still) * leds / fill);
        }
        break;
    }
    case Effect::Middle: {
        const int half = (width + 1) / 2;
        const std::int64_t open = MoveMs(half, columnsPerSecond).count();
        const std::int64_t segment = 2 * open + still;
        const std::int64_t page = t / segment;
        const std::int64_t within = t - page * segment;
        place.originX = pageOrigin(page);
        if (within < open) {
            place.mask = Mask::Middle;
            place.amount = steps(within, columnsPerSecond);
        } else if (within >= open + still) {
            place.mask = Mask::Middle;
            place.amount = half - steps(within - open - still, columnsPerSecond);
        }
        break;
    }
    }
    return place;
}

void EffectTimeline::PaintPage(QImage& target, const QImage& strip, const Placement& place) const
{
    using Mask = Placement::Mask;
    const int width = area_.width;
    const int first = std::max(0, place.originX);
    const int last = std::min(width, place.originX + strip.width());
    if (first < last) {
        for (int y = 0; y < area_.rows; ++y) {
            const int stripRow = y - place.originY;
            if (stripRow < 0 || stripRow >= strip.height()) continue;
            const auto* source = reinterpret_cast<const QRgb*>(strip.constScanLine(stripRow));
            auto* line = reinterpret_cast<QRgb*>(target.scanLine(y));
            std::memcpy(line + first, source + (first - place.originX), static_cast<std::size_t>(last - first) * 4);
        }
    }
    if (place.mask == Mask::None) return;
    for (int y = 0; y < area_.rows; ++y) {
        auto* line = reinterpret_cast<QRgb*>(target.scanLine(y));
        for (int x = 0; x < width; ++x) {
            bool lit = true;
            switch (place.mask) {
            case Mask::SnowIn: lit = snowRank_[static_cast<std::size_t>(y * width + x)] < place.amount; break;
            case Mask::SnowOut: lit = snowRank_[static_cast<std::size_t>(y * width + x)] >= place.amount; break;
            case Mask::Middle: lit = std::abs(2 * x + 1 - width) < 2 * place.amount; break;
            case Mask::None: break;
            }
            if (!lit) line[x] = kSignBlack;
        }
    }
}

void EffectTimeline::PaintMarquee(QImage& target, Millis t) const
{
    const int width = area_.width;
    const int rows = area_.rows;
    const std::int64_t step = t.count() / timing::kMarqueeStepMs;
    const int period = timing::kMarqueeDash + timing::kMarqueeGap;
    int index = 0;
    uchar* bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    // Clockwise from the top left corner; the dashes move forward one LED a step.
    auto put = [&](int x, int y) {
        const std::int64_t phase = ((index - step) % period + period) % period;
        reinterpret_cast<QRgb*>(bits + y * stride)[x] = phase < timing::kMarqueeDash ? timing::kMarqueeColour : kSignBlack;
        ++index;
    };
    for (int x = 0; x < width; ++x) put(x, 0);
    if (rows > 1)
        for (int y = 1; y < rows; ++y) put(width - 1, y);
    if (rows > 1 && width > 1)
        for (int x = width - 2; x >= 0; --x) put(x, rows - 1);
    if (width > 1)
        for (int y = rows - 2; y >= 1; --y) put(0, y);
}

void EffectTimeline::PaintAt(Millis time, QImage& target) const
{
    if (target.size() != QSize(area_.width, area_.rows) || target.format() != QImage::Format_ARGB32)
        target = QImage(area_.width, area_.rows, QImage::Format_ARGB32);
    target.fill(kSignBlack);
    if (empty_ || cycle_.count() <= 0) return;
    const Millis t = std::max(time, Millis(0));
    const bool secondFrame = hasFrame1_ && (t.count() / timing::kFrameAlternationMs) % 2 == 1;
    const bool blinkDark = params_.blink && t.count() % kBlinkPeriodMs >= timing::kBlinkLitMs;
    const Placement place = PlaceAt(Millis(t.count() % cycle_.count()));
    if (!place.dark && !blinkDark) PaintPage(target, strips_[secondFrame ? 1 : 0], place);
    if (params_.marquee) PaintMarquee(target, t);
}

QImage EffectTimeline::PictureAt(Millis t) const
{
    QImage picture;
    PaintAt(t, picture);
    return picture;
}

QImage EffectPictureAt(const QImage& frame0, const QImage& frame1, const EffectParams& params, SignArea area,
                       Millis t)
{
    return EffectTimeline(frame0, frame1, params, area).PictureAt(t);
}

}  // namespace lumitag
