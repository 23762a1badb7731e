#pragma once
// The rich edit of the text and date editors: black, limited to 255
// characters, pasting plain text only (pasted text takes the format at the
// caret), with a Cut/Copy/Paste/Clear menu, and an ASCII-only mode for the
// 7-row signs that have no glyphs beyond ASCII.

#include <QTextEdit>

namespace lumitag::editors {

class CAutoRichEditCtrl : public QTextEdit {
    Q_OBJECT
public:
    // Context menu commands.
    enum Command { kCopy = 2001, kCut = 2002, kPaste = 2003, kClear = 2004 };

    explicit CAutoRichEditCtrl(QWidget* parent = nullptr);

    // Drops every character from code 127 up, now and after each change, and
    // keeps input methods away from the control.
    void SetAsciiOnly(bool on);
    bool AsciiOnly() const { return asciiOnly_; }

    void SetTextLimit(int limit) { limit_ = limit; }
    int TextLimit() const { return limit_; }
    // Characters the limit counts: every character, a paragraph end as one.
    int CharacterCount() const;

    // The context menu as it would open now (tests look at its items).
    QMenu* BuildContextMenu();
    void RunCommand(Command command);

signals:
    // The text changed (after the ASCII-only filter has run).
    void ContentChanged();

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void OnTextChanged();
    void DropNonAscii();
    int Room() const;

    bool asciiOnly_ = false;
    bool filtering_ = false;
    int limit_ = 255;
};

}  // namespace lumitag::editors
