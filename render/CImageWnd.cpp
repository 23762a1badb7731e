#include "render/CImageWnd.h"

#include "model/Log.h"
#include "model/ProgramFolder.h"
#include "render/BmpFile.h"
#include "render/ColourBands.h"
#include "render/DateText.h"
#include "render/LedPreview.h"
#include "render/PictureLoader.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <map>
#include <system_error>

namespace lumitag {
namespace {

constexpr int kDateTextPixels = 12;
constexpr int kMaxRows = 64;
constexpr int kMaxClientSide = 8192;
constexpr int kMaxOffset = 1024;
// A slot image wider than this is hostile content, not a message.
constexpr int kMaxSlotImageWidth = 1 << 16;
constexpr int kMaxPen = 1 << 24;

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n\v\f");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n\v\f");
    return text.substr(first, last - first + 1);
}

// The text part of a date item: what follows the first "]" at or after the
// flags, or all of it when there is none.
std::string_view DateTextPart(std::string_view content)
{
    const std::size_t close = content.size() > kDatePrefix.size() ? content.find(']', kDatePrefix.size())
                                                                    : std::string_view::npos;
    return close == std::string_view::npos ? content : content.substr(close + 1);
}

void BeginAliased(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

QImage BlackImage(int width, int height)
{
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32);
    image.fill(kSignBlack);
    return image;
}

// The width up to the last column with a lit pixel; unchanged when none is.
int TrimmedWidth(const QImage& image)
{
    for (int c = image.width() - 1; c >= 0; --c)
        for (int r = 0; r < image.height(); ++r)
            if (image.pixel(c, r) != kSignBlack) return c + 1;
    return image.width();
}

// The picture cut to its trimmed width without copying its pixels: the
// narrower picture reads the same rows in place (a write to it copies them
// first, as for any shared QImage).
QImage TrimmedView(QImage work)
{
    const int width = TrimmedWidth(work);
    if (width == work.width()) return work;
    auto* owner = new QImage(std::move(work));
    return QImage(owner->constBits(), width, owner->height(), owner->bytesPerLine(), owner->format(),
                  [](void* image) { delete static_cast<QImage*>(image); }, owner);
}

}  // namespace

CImageWnd::CImageWnd(int controlId) : controlId_(controlId)
{
    layout_.rows = rows_;
    layout_.pageWidth = 64;
    layout_.pagePitch = 0;
    layout_.layoutFlag = 1;
}

void CImageWnd::SetRows(int rows)
{
    rows_ = std::clamp(rows, 1, kMaxRows);
    layout_.rows = rows_;
    // Animation symbols of glyph text are files of the sign's row count.
    RebuildGlyphPaths();
    DiscardPicture();
}

void CImageWnd::SetHeightOverride(int rows)
{
    heightOverride_ = std::clamp(rows, 0, kMaxRows);
    DiscardPicture();
}

void CImageWnd::SetPaging(int pageWidth, int pagePitch)
{
    layout_.pageWidth = std::max(pageWidth, 0);
    layout_.pagePitch = std::max(pagePitch, 0);
    DiscardPicture();
}

void CImageWnd::SetLayoutFlag(int flag)
{
    layout_.layoutFlag = flag;
    DiscardPicture();
}

void CImageWnd::SetArabic(int arabic)
{
    layout_.arabic = arabic;
    DiscardPicture();
}

void CImageWnd::SetVerticalOffset(int offset)
{
    layout_.verticalOffset = std::clamp(offset, -kMaxOffset, kMaxOffset);
    DiscardPicture();
}

void CImageWnd::SetClientSize(QSize size)
{
    clientSize_ = QSize(std::clamp(size.width(), 0, kMaxClientSide), std::clamp(size.height(), 0, kMaxClientSide));
    layout_.clientWidth = clientSize_.width();
    DiscardPicture();
}

void CImageWnd::SetGlyphCache(const GlyphCache* cache)
{
    cache_ = cache;
    layout_.cache = cache;
    DiscardPicture();
}

void CImageWnd::SetProgramFolder(std::filesystem::path folder)
{
    programFolder_ = std::move(folder);
    RebuildGlyphPaths();
    DiscardPicture();
}

void CImageWnd::SetDataFolder(std::filesystem::path folder)
{
    dataFolder_ = std::move(folder);
    RebuildGlyphPaths();
    DiscardPicture();
}

void CImageWnd::SetContent(std::string_view content)
{
    ParseContent(content, parse_);
    if (parse_.form == ContentForm::DateItem) {
        const std::string_view text = DateTextPart(parse_.content);
        if (!text.starts_with(kRichTextPrefix) && !text.starts_with(kGlyphTextPrefix)) {
            // A date item without a text part has no text: what an earlier
            // content left in the results must not be shown or sent.
            parse_.runs.clear();
            parse_.payload.clear();
            parse_.glyphItems.clear();
            parse_.dateTextIsRich = 1;
        }
    }
    contentWidth_ = 0;
    RebuildGlyphPaths();
    clockRunning_ = parse_.form == ContentForm::DateItem;
    clockTime_.reset();
    DiscardPicture();
}

void CImageWnd::RebuildGlyphPaths()
{
    const bool glyphText = parse_.form == ContentForm::GlyphText ||
                           (parse_.form == ContentForm::DateItem && parse_.dateTextIsRich == 0);
    if (!glyphText) return;
    glyphPaths_ = BuildGlyphPaths(parse_.glyphItems, rows_,
                                  dataFolder_ ? *dataFolder_ : programFolder_ ? *programFolder_ : DataFolder());
    contentWidth_ = glyphPaths_.width;
}

void CImageWnd::Tick(std::optional<std::tm> now)
{
    clockTime_ = now;
    DiscardPicture();
}

const QImage& CImageWnd::Picture()
{
    if (!picture_) Paint();
    return *picture_;
}

void CImageWnd::Paint()
{
    const int iw = clientSize_.width() - 2;

    // The content pass runs even without a visible interior: it records the
    // content width that sending relies on.
    QImage led = BlackImage(iw, rows_);
    DrawContent(led, false, 0);
    if (parse_.form == ContentForm::DateItem) DrawDateText(led, contentWidth_);

    picture_ = PaintLedPreview(led, clientSize_, rows_);
}

void CImageWnd::DrawContent(QImage& target, bool drawEverything, int frame)
{
    switch (parse_.form) {
    case ContentForm::RichText: DrawRuns(target, drawEverything, frame); break;
    case ContentForm::DateItem:
        if (parse_.dateTextIsRich != 0)
            DrawRuns(target, drawEverything, frame);
        else if (!drawEverything)  // sending renders a date item through its rich text only
            DrawGlyphList(target, drawEverything, frame);
        break;
    case ContentForm::GlyphText: DrawGlyphList(target, drawEverything, frame); break;
    case ContentForm::GlyphCodes: DrawGlyphCodes(target, drawEverything); break;
    case ContentForm::ImageList:
        if (!Trim(parse_.content).empty()) DrawImageList(target, drawEverything);
        break;
    }
}

void CImageWnd::DrawDateText(QImage& target, int x)
{
    if (!QGuiApplication::instance()) return;
    std::optional<std::tm> now;
    if (clockTime_) {
        now = *clockTime_;
    } else {
        const std::time_t seconds = std::time(nullptr);
        std::tm local{};
        if (localtime_r(&seconds, &local)) now = local;
    }
    const std::string text = FormatDateText(parse_.dateFlags, now ? &*now : nullptr);
    if (text.empty()) return;
    QFont font(QStringLiteral("Arial"));
    font.setStyleStrategy(QFont::NoAntialias);
    font.setPixelSize(kDateTextPixels);
    font.setWeight(QFont::Normal);
    QPainter painter(&target);
    BeginAliased(painter);
    painter.setFont(font);
    painter.setPen(QColor::fromRgba(kSignRed));
    painter.drawText(QPointF(x, QFontMetrics(font).ascent()), QString::fromStdString(text));
}

int CImageWnd::DrawRuns(QImage& target, bool drawEverything, int frame)
{
    contentWidth_ = lumitag::DrawRuns(parse_.runs, layout_, target, drawEverything, frame, parse_.hasSecondFrame);
    return contentWidth_;
}

int CImageWnd::DrawPictures(QImage& target, bool drawEverything, const std::vector<std::string>& paths)
{
    QPainter painter(&target);
    BeginAliased(painter);
    // Loaded once per pass and name: a glyph text repeats its letters.
    std::map<std::string_view, QImage> loaded;
    int x = 0;
    for (const std::string& path : paths) {
        auto [it, inserted] = loaded.try_emplace(path);
        if (inserted) it->second = LoadPicture(path);
        const QImage& picture = it->second;
        if (picture.isNull()) continue;
        if (drawEverything || x < layout_.clientWidth) painter.drawImage(QPoint(x, 0), picture);
        x = std::min(x + picture.width(), kMaxPen);
    }
    contentWidth_ = x;
    return x;
}

int CImageWnd::DrawGlyphList(QImage& target, bool drawEverything, int frame)
{
    return DrawPictures(target, drawEverything, frame == 1 ? glyphPaths_.frame1 : glyphPaths_.frame0);
}

int CImageWnd::DrawImageList(QImage& target, bool drawEverything)
{
    return DrawPictures(target, drawEverything, parse_.imagePaths);
}

int CImageWnd::DrawGlyphCodes(QImage& target, bool drawEverything)
{
    QPainter painter(&target);
    BeginAliased(painter);
    int x = 0;
    for (const std::uint32_t code : parse_.glyphCodes) {
        const auto index = GlyphCache::GlyphCodeIndex(code);
        const QImage* picture = (cache_ && index) ? cache_->Entry(*index) : nullptr;
        if (!picture) continue;
        if (drawEverything || x < layout_.clientWidth) painter.drawImage(QPoint(x, 0), *picture);
        x = std::min(x + picture->width(), kMaxPen);
    }
    contentWidth_ = x;
    return x;
}

QImage CImageWnd::RenderFrame(int frame)
{
    if (!picture_) Paint();  // the preview's pass records the content width
    if (frame == 1 && parse_.hasSecondFrame == 0) return {};
    parse_.content = std::string(Trim(parse_.content));
    if (parse_.content.empty()) return {};
    if (parse_.form == ContentForm::DateItem && (parse_.dateTextIsRich == 0 || parse_.runs.empty())) return {};

    const int width = std::min(contentWidth_, kMaxSlotImageWidth);
    const int height = heightOverride_ != 0 ? heightOverride_ : rows_;
    if (width <= 0) return {};
    QImage work = BlackImage(width, height);
    const int recorded = contentWidth_;
    DrawContent(work, true, frame);
    contentWidth_ = recorded;
    return TrimmedView(std::move(work));
}

std::string CImageWnd::SaveFrameImage(int frame, QImage* rendered)
{
    QImage image = RenderFrame(frame);
    if (rendered) *rendered = image;
    if (image.isNull()) return {};
    const std::filesystem::path folder = (programFolder_ ? *programFolder_ : ProgramFolder()) / "Image";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::filesystem::path path = folder / (std::to_string(controlId_) + "_" + std::to_string(frame) + ".bmp");
    if (!WriteBmp32(image, path)) {
        // An older file of the same name must not be sent in its place.
        Log(LogLevel::Warning, "slot image not written: " + path.string());
        return {};
    }
    return path.string();
}

}  // namespace lumitag
