#include "render/TextRasteriser.h"

#include "model/Log.h"
#include "render/ColourBands.h"
#include "render/PageRules.h"
#include "render/content/GlyphText.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QString>

#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace lumitag {
namespace {

// Run heights beyond this are hostile input, not text for a 16-row sign.
constexpr int kMaxRunHeight = 1024;
// Pen positions are kept within this so that widths stay plain ints.
constexpr double kMaxPen = 1 << 24;

QColor RunColour(std::uint32_t colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QFont BaseFont(const TextRun& run)
{
    QFont font(QString::fromStdString(run.face).left(TextRun::kFaceLimit));
    // A variable-pitch roman font when the face is missing, as the record asks.
    font.setStyleHint(QFont::Serif, QFont::NoAntialias);
    font.setWeight(run.bold == 1 ? QFont::Bold : QFont::Light);
    font.setItalic(run.italic != 0);
    font.setUnderline(run.underline != 0);
    font.setStrikeOut(false);
    font.setKerning(false);
    return font;
}

int CellHeight(QFont font, int pixelSize)
{
    font.setPixelSize(pixelSize);
    const QFontMetrics metrics(font);
    return metrics.ascent() + metrics.descent();
}

// The largest pixel size whose ascent + descent fits `height`: a font record's
// positive height is the cell height, while Qt's pixel size is the em size.
// The search starts from the proportional guess, so a tall run costs a few
// measurements instead of one per pixel size; and sizes are kept per resolved
// family, so content naming many missing faces measures the fallback once.
int CellPixelSize(const QFont& base, int height)
{
    using Key = std::tuple<QString, int, int, bool>;
    static std::mutex mutex;
    static std::map<Key, int> sizes;
    const Key key{QFontInfo(base).family(), height, base.weight(), base.italic()};
    std::lock_guard lock(mutex);
    if (auto it = sizes.find(key); it != sizes.end()) return it->second;

    const int full = CellHeight(base, height);
    int size = height;
    if (full > height) {
        size = std::clamp(static_cast<int>(static_cast<long long>(height) * height / std::max(full, 1)), 1, height);
        while (size > 1 && CellHeight(base, size) > height) --size;
        while (size + 1 < height && CellHeight(base, size + 1) <= height) ++size;
    }
    sizes.emplace(key, size);
    return size;
}

bool IsSymbolRun(const std::string& text)
{
    return text.size() >= 6 && text.compare(0, 5, "[GIF_") == 0 && text.back() == ']';
}

int SymbolNumber(const std::string& text)
{
    const std::uint32_t n = ReadDecimal(std::string_view(text).substr(5, 3));
    return n > 999 ? 999 : static_cast<int>(n);
}

// The characters of a run, a surrogate pair kept together.
std::vector<QString> Characters(const QString& text)
{
    std::vector<QString> out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        out.push_back(text.mid(i, pair ? 2 : 1));
        if (pair) ++i;
    }
    return out;
}

int Trunc(double x) { return static_cast<int>(std::trunc(std::clamp(x, -kMaxPen, kMaxPen))); }

thread_local bool glyphSprites = true;

// Cells taller than this are drawn by the renderer each time: a sign has at
// most 16 rows, and larger sprites would cost more than they save.
constexpr int kMaxSpritePixelSize = 48;
// Bounds on what a thread keeps, so that content naming endless faces or
// characters cannot grow the caches without end: at most 32 fonts, each with
// 4096 advances and 128 Ki remembered pixels (half a megabyte).
constexpr std::size_t kMaxCachedFonts = 32;
constexpr std::size_t kMaxCachedPerFont = 4096;
constexpr std::size_t kMaxSpritePixelsPerFont = std::size_t{1} << 17;

struct LitPixel {
    std::int16_t x, y;
};

// The lit pixels of one character, relative to the pen position on the
// baseline: what the renderer draws for it, found once.
struct GlyphSprite {
    bool usable = false;  // false: the renderer draws this character itself
    std::vector<LitPixel> lit;
};

// One run font with what the layout asks of it again and again. Resolving a
// font and shaping a single character cost far more than the few pixels of a
// sign's character, and a message repeats both hundreds of times.
class FontSlot {
public:
    explicit FontSlot(QFont font) : font_(std::move(font)), metrics_(font_), ascent_(QFontMetrics(font_).ascent()) {}

    const QFont& Font() const { return font_; }
    const QFontMetricsF& Metrics() const { return metrics_; }
    int Ascent() const { return ascent_; }

    double Advance(const QString& character)
    {
        const std::uint32_t key = CodeOf(character);
        if (auto it = advances_.find(key); it != advances_.end()) return it->second;
        if (advances_.size() >= kMaxCachedPerFont) advances_.clear();
        const double width = metrics_.horizontalAdvance(character);
        advances_.emplace(key, width);
        return width;
    }

    const GlyphSprite& Sprite(const QString& character)
    {
        const std::uint32_t key = CodeOf(character);
        if (auto it = sprites_.find(key); it != sprites_.end()) return it->second;
        if (sprites_.size() >= kMaxCachedPerFont || spritePixels_ >= kMaxSpritePixelsPerFont) {
            sprites_.clear();
            spritePixels_ = 0;
        }
        GlyphSprite sprite = DrawSprite(character);
        spritePixels_ += sprite.lit.size();
        return sprites_.emplace(key, std::move(sprite)).first->second;
    }

private:
    static std::uint32_t CodeOf(const QString& character)
    {
        return character.size() == 2 ? QChar::surrogateToUcs4(character[0], character[1])
                                     : character.isEmpty() ? 0u : character[0].unicode();
    }

    // Draws the character in white inside a margin and keeps its lit pixels.
    // Only a character drawn as whole pixels of exactly the pen colour (never
    // blended), and clear of the margin's edge, becomes a sprite: then setting
    // those pixels to a run's colour is what drawing it in that colour on the
    // sign's black gives.
    GlyphSprite DrawSprite(const QString& character) const
    {
        constexpr QRgb kPen = 0xFFFFFFFFu;
        constexpr int kMargin = 3;
        GlyphSprite sprite;
        if (font_.pixelSize() > kMaxSpritePixelSize) return sprite;
        const QFontMetrics metrics(font_);
        const QRect bounds = metrics.boundingRect(character);
        const int advance = static_cast<int>(std::ceil(metrics_.horizontalAdvance(character)));
        const int left = std::min(bounds.left(), 0) - kMargin;
        const int top = std::min(bounds.top(), -ascent_) - kMargin;
        const int right = std::max(bounds.right(), advance) + kMargin;
        const int bottom = std::max(bounds.bottom(), metrics.descent()) + kMargin;
        const int width = right - left + 1;
        const int height = bottom - top + 1;
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(0);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setRenderHint(QPainter::TextAntialiasing, false);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
            painter.setFont(font_);
            painter.setPen(QColor::fromRgba(kPen));
            painter.drawText(QPointF(-left, -top), character);
        }
        for (int y = 0; y < height; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < width; ++x) {
                if (line[x] == 0) continue;
                const bool edge = x == 0 || y == 0 || x == width - 1 || y == height - 1;
                if (line[x] != kPen || edge) return GlyphSprite{};
                sprite.lit.push_back({static_cast<std::int16_t>(x + left), static_cast<std::int16_t>(y + top)});
            }
        }
        sprite.usable = true;
        return sprite;
    }

    QFont font_;
    QFontMetricsF metrics_;
    int ascent_;
    std::unordered_map<std::uint32_t, double> advances_;
    std::unordered_map<std::uint32_t, GlyphSprite> sprites_;
    std::size_t spritePixels_ = 0;
};

// The slot of a run's font, resolved once per thread (fonts belong to the
// thread that resolves them).
FontSlot& SlotOf(const TextRun& run)
{
    using Key = std::tuple<QString, int, bool, bool, bool>;
    thread_local std::map<Key, std::unique_ptr<FontSlot>> fonts;
    Key key{QString::fromStdString(run.face).left(TextRun::kFaceLimit), std::clamp(run.height, 1, kMaxRunHeight),
            run.bold == 1, run.italic != 0, run.underline != 0};
    if (auto it = fonts.find(key); it != fonts.end()) return *it->second;
    if (fonts.size() >= kMaxCachedFonts) fonts.clear();
    return *fonts.emplace(std::move(key), std::make_unique<FontSlot>(RunFont(run))).first->second;
}

class RunPainter {
public:
    RunPainter(const RunLayout& layout, QImage& target, bool drawEverything, int frame)
        : layout_(layout),
          target_(target),
          drawEverything_(drawEverything),
          frame_(frame),
          direct_(glyphSprites && target.format() == QImage::Format_ARGB32)
    {
        if (!direct_) {
            Painter().fillRect(QRect(0, 0, 1024, layout.rows), QColor::fromRgba(kSignBlack));
            return;
        }
        const int width = std::min(1024, target_.width());
        for (int y = 0; y < std::min(layout.rows, target_.height()); ++y) {
            auto* line = reinterpret_cast<QRgb*>(target_.scanLine(y));
            std::fill(line, line + width, kSignBlack);
        }
    }

    // Returns whether the run was an animation symbol.
    bool Draw(const TextRun& run)
    {
        if (IsSymbolRun(run.text)) {
            DrawSymbol(SymbolNumber(run.text));
            return true;
        }
        if (run.text.empty()) return false;
        const bool perCharacter = VariantOf(layout_.rows, layout_.pageWidth) != RunVariant::C &&
                                  layout_.arabic != 1 && layout_.layoutFlag != 0;
        slot_ = &SlotOf(run);
        colour_ = RunColour(run.colour);
        baseline_ = layout_.verticalOffset + slot_->Ascent();
        const QString text = QString::fromStdString(run.text);
        if (perCharacter)
            DrawCharacters(text, run.colour);
        else
            DrawWhole(text, run.colour);
        return false;
    }

    double pen() const { return pen_; }

private:
    // The painter is ended while the bands recolour pixels directly.
    QPainter& Painter()
    {
        if (!painter_.isActive()) {
            painter_.begin(&target_);
            painter_.setRenderHint(QPainter::Antialiasing, false);
            painter_.setRenderHint(QPainter::TextAntialiasing, false);
            painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
        }
        return painter_;
    }

    bool Visible() const { return drawEverything_ || pen_ < layout_.clientWidth; }

    void DrawText(const QString& text)
    {
        QPainter& painter = Painter();
        painter.setFont(slot_->Font());
        painter.setPen(colour_);
        painter.drawText(QPointF(Trunc(pen_), baseline_), text);
    }

    // One character: its sprite's pixels set directly where it has one.
    void DrawCharacter(const QString& character)
    {
        if (!direct_) return DrawText(character);
        const GlyphSprite& sprite = slot_->Sprite(character);
        if (!sprite.usable) return DrawText(character);
        if (painter_.isActive()) painter_.end();
        const QRgb colour = colour_.rgb();
        const int x0 = Trunc(pen_);
        const int width = target_.width();
        const int height = target_.height();
        const qsizetype stride = target_.bytesPerLine();
        uchar* bits = target_.bits();
        for (const LitPixel& p : sprite.lit) {
            const int x = x0 + p.x;
            const int y = baseline_ + p.y;
            if (x >= 0 && x < width && y >= 0 && y < height) reinterpret_cast<QRgb*>(bits + y * stride)[x] = colour;
        }
    }

    void DrawSymbol(int number)
    {
        const auto index = GlyphCache::AnimationIndex(layout_.rows, number, frame_);
        const QImage* picture = (layout_.cache && index) ? layout_.cache->Entry(*index) : nullptr;
        if (!picture) return;
        if (Visible()) Painter().drawImage(QPoint(Trunc(pen_), layout_.verticalOffset), *picture);
        Advance(picture->width());
    }

    void DrawWhole(const QString& text, std::uint32_t colour)
    {
        const double width = slot_->Metrics().horizontalAdvance(text);
        if (Visible()) {
            DrawText(text);
            Bands(colour, width);
        }
        Advance(width);
    }

    void DrawCharacters(const QString& text, std::uint32_t colour)
    {
        const RunVariant variant = VariantOf(layout_.rows, layout_.pageWidth);
        for (const QString& character : Characters(text)) {
            double width = glyphSprites ? slot_->Advance(character) : slot_->Metrics().horizontalAdvance(character);
            if (variant == RunVariant::A) {
                pen_ = PageRuleA(pen_, width, layout_.pageWidth);
            } else {
                const PlacedCharacter placed = PageRuleB(pen_, width, layout_.pageWidth, layout_.pagePitch);
                pen_ = placed.penX;
                width = placed.width;
            }
            if (Visible()) DrawCharacter(character);
            Bands(colour, width);
            Advance(width);
        }
    }

    void Bands(std::uint32_t colour, double width)
    {
        if (!HasDistinctBands(colour)) return;
        if (painter_.isActive()) painter_.end();
        ApplyBands(target_, colour, Trunc(pen_), Trunc(pen_ + width), layout_.rows);
    }

    void Advance(double width) { pen_ = std::clamp(pen_ + width, -kMaxPen, kMaxPen); }

    const RunLayout& layout_;
    QImage& target_;
    QPainter painter_;
    FontSlot* slot_ = nullptr;
    QColor colour_;
    int baseline_ = 0;
    bool drawEverything_;
    int frame_;
    bool direct_;  // characters are set as sprites, not drawn by the renderer
    double pen_ = 0.0;
};

}  // namespace

void UseGlyphSprites(bool use) { glyphSprites = use; }

RunVariant VariantOf(int rows, int pageWidth)
{
    if (rows == 16) return RunVariant::A;
    if (rows == 12 && pageWidth != 0) return RunVariant::B;
    return RunVariant::C;
}

QFont RunFont(const TextRun& run)
{
    QFont font = BaseFont(run);
    font.setPixelSize(CellPixelSize(font, std::clamp(run.height, 1, kMaxRunHeight)));
    return font;
}

void ApplyBands(QImage& target, std::uint32_t runColour, int first, int last, int rows)
{
    const auto bands = ColourBands(runColour);
    if (!bands || !HasDistinctBands(runColour)) return;
    // Pixels are read and written as 32-bit words.
    if (target.format() != QImage::Format_ARGB32) target.convertTo(QImage::Format_ARGB32);
    const int third = rows / 3;
    first = std::max(first, 0);
    last = std::min(last, target.width());
    rows = std::min(rows, target.height());
    for (int r = 0; r < rows; ++r) {
        auto* line = reinterpret_cast<QRgb*>(target.scanLine(r));
        const QRgb band = r < third ? (*bands)[0] : r < 2 * third ? (*bands)[1] : (*bands)[2];
        for (int c = first; c < last; ++c)
            if (qRgb(qRed(line[c]), qGreen(line[c]), qBlue(line[c])) != kSignBlack) line[c] = band;
    }
}

int DrawRuns(const std::vector<TextRun>& runs, const RunLayout& layout, QImage& target, bool drawEverything,
             int frame, int& hasSecondFrame)
{
    if (target.isNull()) return 0;
    if (!QGuiApplication::instance()) {
        // Fonts need the platform's font database, which lives with the
        // application object.
        Log(LogLevel::Error, "DrawRuns needs a QGuiApplication");
        return 0;
    }
    RunPainter painter(layout, target, drawEverything, frame);
    for (const TextRun& run : runs)
        if (painter.Draw(run)) hasSecondFrame = 1;
    return Trunc(painter.pen());
}

}  // namespace lumitag
