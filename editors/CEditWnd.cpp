#include "editors/CEditWnd.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>

#include "render/GlyphCache.h"
#include "render/content/ContentString.h"

namespace lumitag::editors {
namespace {

constexpr int kFirstLineHeight = 18;
constexpr QSize kCaret{3, 16};

const QImage* GlyphOf(const GlyphCache* cache, std::uint32_t code)
{
    const auto index = GlyphCache::GlyphCodeIndex(code);
    return cache && index ? cache->Entry(*index) : nullptr;
}

}  // namespace

GlyphEditLayout LayOutGlyphCodes(const std::vector<std::uint32_t>& codes, const GlyphCache* cache, int clientWidth)
{
    GlyphEditLayout layout;
    layout.cells.reserve(codes.size());
    int x = 0;
    int y = 0;
    int lineHeight = kFirstLineHeight;
    for (const std::uint32_t code : codes) {
        const QImage* glyph = GlyphOf(cache, code);
        if (!glyph) {
            layout.cells.push_back({QPoint(x, y), QSize()});
            continue;
        }
        const int w = glyph->width();
        const int g = glyph->height();
        // The line height only grows, across lines too.
        lineHeight = std::max(lineHeight, 2 * g);
        if (clientWidth < x + 2 * w + 2) {
            x = 0;
            y += lineHeight;
        }
        layout.cells.push_back({QPoint(x, y), QSize(2 * w, 2 * g)});
        x += 2 * w;
    }
    layout.end = QPoint(x, y);
    return layout;
}

int GlyphCaretAt(const GlyphEditLayout& layout, QPoint point)
{
    for (std::size_t i = 0; i < layout.cells.size(); ++i) {
        const GlyphCell& cell = layout.cells[i];
        if (cell.size.isEmpty()) continue;
        if (point.x() < cell.position.x() + cell.size.width() / 2 &&
            point.y() < cell.position.y() + cell.size.height())
            return static_cast<int>(i);
    }
    return static_cast<int>(layout.cells.size());
}

CEditWnd::CEditWnd(QWidget* parent) : QWidget(parent), logFolder_(QDir::currentPath())
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setLayoutDirection(Qt::LeftToRight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CEditWnd::SetGlyphCache(const GlyphCache* cache)
{
    cache_ = cache;
    Touch(false);
}

void CEditWnd::Insert(std::uint32_t code)
{
    codes_.insert(codes_.begin() + caret_, code);
    ++caret_;
}

void CEditWnd::InsertChar(std::uint32_t character)
{
    const auto font = static_cast<std::uint32_t>(font_);
    const auto colour = static_cast<std::uint32_t>(colour_);
    Insert(character + (font * 4 + colour) * 2048);
    Touch(true);
}

void CEditWnd::InsertCodes(const std::vector<std::uint32_t>& codes)
{
    for (const std::uint32_t code : codes) Insert(code);
    Touch(true);
}

void CEditWnd::Paste()
{
    const QString text = QApplication::clipboard()->text();
    const auto font = static_cast<std::uint32_t>(font_);
    const auto colour = static_cast<std::uint32_t>(colour_);
    // Paste passes the typing limit, but never the most a text may hold.
    for (const char32_t ch : text.toUcs4()) {
        if (codes_.size() >= static_cast<std::size_t>(kMaxCodes)) break;
        Insert(ch + (font * 4 + colour) * 2048);
    }
    Touch(true);
}

void CEditWnd::Clear()
{
    codes_.clear();
    caret_ = 0;
    Touch(true);
}

void CEditWnd::Touch(bool changed)
{
    picture_.reset();
    if (changed) emit Changed();
    update();
}

const QImage& CEditWnd::Picture()
{
    if (picture_) return *picture_;
    QImage image(std::max(1, width()), std::max(1, height()), QImage::Format_ARGB32);
    image.fill(0xFF000000u);
    QPainter painter(&image);
    const GlyphEditLayout layout = LayOutGlyphCodes(codes_, cache_, width());
    QString missing;
    for (std::size_t i = 0; i < codes_.size(); ++i) {
        const QImage* glyph = GlyphOf(cache_, codes_[i]);
        if (glyph) {
            painter.drawImage(QRect(layout.cells[i].position, layout.cells[i].size), *glyph);
            continue;
        }
        const std::uint32_t code = codes_[i];
        missing += QStringLiteral("FontType:%1, FontColor:%2, nChar:%3\r\n")
                       .arg(GlyphFont(code))
                       .arg(GlyphColour(code))
                       .arg(QChar(static_cast<char16_t>(GlyphCharacter(code))));
    }
    if (!missing.isEmpty()) WriteMissingLog(missing);
    picture_ = image;
    return *picture_;
}

void CEditWnd::WriteMissingLog(const QString& lines) const
{
    QSaveFile file(QDir(logFolder_).filePath(QStringLiteral("DebugLog.log")));
    if (!file.open(QIODevice::WriteOnly)) return;
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar ch : lines) {
        bytes.append(static_cast<char>(ch.unicode() & 0xFF));
        bytes.append(static_cast<char>(ch.unicode() >> 8));
    }
    file.write(bytes);
    file.commit();
}

void CEditWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, Picture());
    if (!hasFocus()) return;
    const GlyphEditLayout layout = LayOutGlyphCodes(codes_, cache_, width());
    const QPoint at = caret_ < static_cast<int>(layout.cells.size()) ? layout.cells[caret_].position : layout.end;
    painter.fillRect(QRect(at, kCaret), QColor(0xE0, 0xE0, 0xE0));
}

void CEditWnd::resizeEvent(QResizeEvent*) { Touch(false); }

void CEditWnd::keyPressEvent(QKeyEvent* event)
{
    const int count = static_cast<int>(codes_.size());
    if (event->matches(QKeySequence::Paste)) {
        Paste();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Backspace:
        if (caret_ > 0) {
            codes_.erase(codes_.begin() + caret_ - 1);
            --caret_;
            Touch(true);
        }
        return;
    case Qt::Key_Delete:
        if (caret_ < count) {
            codes_.erase(codes_.begin() + caret_);
            Touch(true);
        }
        return;
    case Qt::Key_Home: caret_ = 0; update(); return;
    case Qt::Key_End: caret_ = count; update(); return;
    case Qt::Key_Left:
    case Qt::Key_Up: caret_ = std::max(0, caret_ - 1); update(); return;
    case Qt::Key_Right:
    case Qt::Key_Down: caret_ = std::min(count, caret_ + 1); update(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        // Neither closes the editor nor types anything.
        event->accept();
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
        QWidget::keyPressEvent(event);
        return;
    }
    for (const char32_t ch : text.toUcs4()) {
        if (ch < 0x20 && ch != U'\t') continue;
        // Up to the limit a character goes in, so typing reaches 256 codes.
        if (static_cast<int>(codes_.size()) > kCodeLimit) break;
        InsertChar(ch);
    }
}

void CEditWnd::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton) {
        caret_ = GlyphCaretAt(LayOutGlyphCodes(codes_, cache_, width()), event->position().toPoint());
        update();
    }
}

QMenu* CEditWnd::BuildContextMenu()
{
    auto* menu = new QMenu(this);
    QAction* paste = menu->addAction(tr("Paste"), this, &CEditWnd::Paste);
    paste->setData(int(kPaste));
    QAction* clear = menu->addAction(tr("Clear"), this, &CEditWnd::Clear);
    clear->setData(int(kClear));
    clear->setEnabled(!codes_.empty());
    return menu;
}

void CEditWnd::contextMenuEvent(QContextMenuEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    QMenu* menu = BuildContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void CEditWnd::focusInEvent(QFocusEvent*) { update(); }
void CEditWnd::focusOutEvent(QFocusEvent*) { update(); }

// Tab is a character of the text, not a way out of it.
bool CEditWnd::focusNextPrevChild(bool) { return false; }

}  // namespace lumitag::editors
