#pragma once
// The text editors' QTextDocument and the core's formatted text, both ways.
// RTF itself is read and written only by the core (render/content); the
// editors convert their document to formatted text and back.

#include <QColor>
#include <QString>
#include <QTextCharFormat>

#include "render/content/FormattedText.h"

class QTextDocument;

namespace lumitag::editors {

QColor ColourOfCode(std::uint32_t code);
std::uint32_t CodeOfColour(const QColor& colour);

QTextCharFormat ToQtFormat(const CharFormat& format);
// `fallback` fills what the Qt format leaves unset.
CharFormat FromQtFormat(const QTextCharFormat& format, const CharFormat& fallback);

// Replaces the document's content with `text`, each character in its format.
void LoadFormattedText(QTextDocument& document, const FormattedText& text);
// The document's characters and formats; paragraphs end with the paragraph
// mark (none after the last), soft line breaks become line breaks.
FormattedText SaveFormattedText(const QTextDocument& document, const CharFormat& fallback);

// The document's plain text with each paragraph end written as CR LF.
std::u32string PlainTextCrLf(const QTextDocument& document);

// Content strings: the document as RTF ("{\rtf..."), and an RTF content
// string loaded into the document, at most `maxChars` characters of it (an
// editor never holds more than its limit); false, leaving it empty, when
// nothing could be read.
std::string DocumentToRtf(const QTextDocument& document, const CharFormat& fallback);
bool LoadRtf(QTextDocument& document, std::string_view rtf, std::size_t maxChars);

// The first `maxChars` characters of `text`.
FormattedText Truncated(const FormattedText& text, std::size_t maxChars);

}  // namespace lumitag::editors
