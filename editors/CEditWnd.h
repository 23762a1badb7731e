#pragma once
// A text box whose characters are glyph codes (character + 2048 x colour +
// 8192 x font), drawn from the glyph cache at double size, with a caret.
// The bitmap-font editor types into it; the symbol picker inserts into it.

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

#include "service/SlotEditing.h"

namespace lumitag {
class GlyphCache;
}

namespace lumitag::editors {

// Where each code of a glyph edit is drawn: x, y of its top-left corner and
// its drawn size (empty for codes without a glyph, which take no space).
struct GlyphCell {
    QPoint position;
    QSize size;
};
struct GlyphEditLayout {
    std::vector<GlyphCell> cells;  // one per code
    QPoint end;                    // where a glyph after the last would start
};
GlyphEditLayout LayOutGlyphCodes(const std::vector<std::uint32_t>& codes, const GlyphCache* cache, int clientWidth);
// The caret index a click at `point` gives.
int GlyphCaretAt(const GlyphEditLayout& layout, QPoint point);

class CEditWnd : public QWidget {
    Q_OBJECT
public:
    // Typing stops once the text holds more codes than this.
    static constexpr int kCodeLimit = 255;
    // No text ever holds more codes than this (loading and pasting stop there).
    static constexpr int kMaxCodes = static_cast<int>(service::kMaxEditorGlyphCodes);
    enum Command { kPaste = 2003, kClear = 2004 };

    explicit CEditWnd(QWidget* parent = nullptr);

    void SetGlyphCache(const GlyphCache* cache);
    void SetFontIndex(int font) { font_ = font; }
    void SetColourIndex(int colour) { colour_ = colour; }
    int FontIndex() const { return font_; }
    int ColourIndex() const { return colour_; }
    // Where "DebugLog.log" is written; the working folder by default.
    void SetLogFolder(const QString& folder) { logFolder_ = folder; }

    const std::vector<std::uint32_t>& Codes() const { return codes_; }
    int CaretIndex() const { return caret_; }

    // Inserts `character` in the current font and colour at the caret.
    void InsertChar(std::uint32_t character);
    // Inserts complete codes at the caret, in order.
    void InsertCodes(const std::vector<std::uint32_t>& codes);
    void Paste();
    void Clear();
    QMenu* BuildContextMenu();

    // The picture as painted (client-sized), drawn when the text changed.
    const QImage& Picture();

    QSize sizeHint() const override { return {360, 80}; }

signals:
    // The codes changed.
    void Changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void Insert(std::uint32_t code);
    void Touch(bool changed);
    void WriteMissingLog(const QString& lines) const;

    std::vector<std::uint32_t> codes_;
    const GlyphCache* cache_ = nullptr;
    int font_ = 0;
    int colour_ = 0;
    int caret_ = 0;
    QString logFolder_;
    std::optional<QImage> picture_;
};

}  // namespace lumitag::editors
