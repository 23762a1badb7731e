#include "editors/CAutoRichEditCtrl.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>

namespace lumitag::editors {

CAutoRichEditCtrl::CAutoRichEditCtrl(QWidget* parent) : QTextEdit(parent)
{
    setAcceptRichText(false);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Text, Qt::yellow);
    setPalette(palette);
    setAutoFillBackground(true);
    setTabChangesFocus(true);
    connect(this, &QTextEdit::textChanged, this, &CAutoRichEditCtrl::OnTextChanged);
}

void CAutoRichEditCtrl::SetAsciiOnly(bool on)
{
    asciiOnly_ = on;
    setAttribute(Qt::WA_InputMethodEnabled, !on);
    if (on) DropNonAscii();
}

int CAutoRichEditCtrl::CharacterCount() const { return std::max(0, document()->characterCount() - 1); }

int CAutoRichEditCtrl::Room() const
{
    const QTextCursor cursor = textCursor();
    return limit_ - CharacterCount() + (cursor.selectionEnd() - cursor.selectionStart());
}

bool CAutoRichEditCtrl::canInsertFromMimeData(const QMimeData* source) const { return source && source->hasText(); }

void CAutoRichEditCtrl::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText()) return;
    QString text = source->text();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const int room = Room();
    if (room <= 0) return;
    if (text.size() > room) text.truncate(room);
    // Plain text only: it takes the format at the caret.
    textCursor().insertText(text);
    ensureCursorVisible();
}

void CAutoRichEditCtrl::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    const bool inserts = !text.isEmpty() && (text.at(0).isPrint() || event->key() == Qt::Key_Return ||
                                             event->key() == Qt::Key_Enter);
    const bool editsOnly = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (inserts && !editsOnly && Room() < 1) return;
    QTextEdit::keyPressEvent(event);
}

void CAutoRichEditCtrl::inputMethodEvent(QInputMethodEvent* event)
{
    // A committed string past the limit is cut to the room left; the
    // composition itself changes no text, so the owner hears of nothing until
    // the syllable is committed.
    if (!event->commitString().isEmpty() && event->commitString().size() > Room()) {
        QInputMethodEvent cut(event->preeditString(), event->attributes());
        cut.setCommitString(event->commitString().left(std::max(0, Room())), event->replacementStart(),
                            event->replacementLength());
        QTextEdit::inputMethodEvent(&cut);
        return;
    }
    QTextEdit::inputMethodEvent(event);
}

void CAutoRichEditCtrl::OnTextChanged()
{
    if (filtering_) return;
    if (asciiOnly_) DropNonAscii();
    emit ContentChanged();
}

void CAutoRichEditCtrl::DropNonAscii()
{
    // Characters are removed in place, so each remaining one keeps its format
    // and the caret keeps its place among them.
    filtering_ = true;
    QTextCursor cursor(document());
    QTextCursor caret = textCursor();
    int anchor = caret.anchor();
    int position = caret.position();
    bool changed = false;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        for (int i = text.size() - 1; i >= 0; --i) {
            if (text.at(i).unicode() < 127) continue;
            const int at = block.position() + i;
            cursor.setPosition(at);
            cursor.setPosition(at + 1, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
            if (anchor > at) --anchor;
            if (position > at) --position;
            changed = true;
        }
    }
    if (changed) {
        caret.setPosition(anchor);
        caret.setPosition(position, QTextCursor::KeepAnchor);
        setTextCursor(caret);
    }
    filtering_ = false;
}

QMenu* CAutoRichEditCtrl::BuildContextMenu()
{
    auto* menu = new QMenu(this);
    const bool hasText = CharacterCount() > 0;
    const bool hasSelection = textCursor().hasSelection();
    const QMimeData* clip = QApplication::clipboard()->mimeData();
    const bool canPaste = clip && !clip->formats().isEmpty();
    auto add = [&](const QString& label, Command command, bool enabled) {
        QAction* action = menu->addAction(label, this, [this, command] { RunCommand(command); });
        action->setData(int(command));
        action->setEnabled(enabled);
    };
    add(tr("Cut"), kCut, hasText && hasSelection);
    add(tr("Copy"), kCopy, hasText && hasSelection);
    add(tr("Paste"), kPaste, canPaste);
    menu->addSeparator();
    add(tr("Clear"), kClear, hasText);
    return menu;
}

void CAutoRichEditCtrl::RunCommand(Command command)
{
    switch (command) {
    case kCopy: copy(); break;
    case kCut: cut(); break;
    case kPaste: paste(); break;
    case kClear: {
        // Removing the text keeps the format at the caret for what is typed next.
        QTextCursor all(document());
        all.select(QTextCursor::Document);
        all.removeSelectedText();
        break;
    }
    }
}

void CAutoRichEditCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    QMenu* menu = BuildContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

}  // namespace lumitag::editors
