#include "editors/RichTextConversion.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include "render/content/RtfReader.h"
#include "render/content/RtfWriter.h"

namespace lumitag::editors {
namespace {

QString FromUtf32(char32_t ch)
{
    if (ch == FormattedText::kLineBreak) return QString(QChar::LineSeparator);
    const char32_t safe = (ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) ? U'\uFFFD' : ch;
    return QString::fromUcs4(&safe, 1);
}

void AppendQString(FormattedText& out, const QString& text, const CharFormat& format)
{
    for (char32_t ch : text.toUcs4()) {
        if (ch == QChar::LineSeparator) ch = FormattedText::kLineBreak;
        else if (ch == QChar::ObjectReplacementCharacter) continue;
        out.Append(ch, format);
    }
}

}  // namespace

QColor ColourOfCode(std::uint32_t code) { return QColor(code & 0xFF, (code >> 8) & 0xFF, (code >> 16) & 0xFF); }

std::uint32_t CodeOfColour(const QColor& colour)
{
    return static_cast<std::uint32_t>(colour.red()) | static_cast<std::uint32_t>(colour.green()) << 8 |
           static_cast<std::uint32_t>(colour.blue()) << 16;
}

QTextCharFormat ToQtFormat(const CharFormat& format)
{
    QTextCharFormat qt;
    qt.setFontFamilies({QString::fromStdString(format.face)});
    qt.setFontPointSize(format.twips / 20.0);
    qt.setForeground(ColourOfCode(format.colour));
    qt.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    qt.setFontItalic(format.italic);
    qt.setFontUnderline(format.underline);
    return qt;
}

CharFormat FromQtFormat(const QTextCharFormat& qt, const CharFormat& fallback)
{
    CharFormat format = fallback;
    const QStringList families = qt.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.front().isEmpty()) format.face = families.front().toStdString();
    if (qt.hasProperty(QTextFormat::FontPointSize) && qt.fontPointSize() > 0)
        format.twips = static_cast<int>(qt.fontPointSize() * 20.0 + 0.5);
    if (qt.hasProperty(QTextFormat::ForegroundBrush)) format.colour = CodeOfColour(qt.foreground().color());
    if (qt.hasProperty(QTextFormat::FontWeight)) format.bold = qt.fontWeight() >= QFont::DemiBold;
    if (qt.hasProperty(QTextFormat::FontItalic)) format.italic = qt.fontItalic();
    if (qt.hasProperty(QTextFormat::TextUnderlineStyle) || qt.hasProperty(QTextFormat::FontUnderline))
        format.underline = qt.fontUnderline();
    return format;
}

void LoadFormattedText(QTextDocument& document, const FormattedText& text)
{
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    QString pending;
    const CharFormat* pendingFormat = nullptr;
    auto flush = [&] {
        if (!pending.isEmpty() && pendingFormat) cursor.insertText(pending, ToQtFormat(*pendingFormat));
        pending.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const CharFormat& format = text.FormatAt(i);
        if (pendingFormat && !(format == *pendingFormat)) flush();
        pendingFormat = &format;
        if (text.CharAt(i) == FormattedText::kParagraphMark) {
            flush();
            cursor.insertBlock(QTextBlockFormat(), ToQtFormat(format));
            continue;
        }
        pending += FromUtf32(text.CharAt(i));
    }
    flush();
    cursor.endEditBlock();
}

FormattedText SaveFormattedText(const QTextDocument& document, const CharFormat& fallback)
{
    FormattedText out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin()) out.AppendParagraphMark(FromQtFormat(block.charFormat(), fallback));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid()) AppendQString(out, fragment.text(), FromQtFormat(fragment.charFormat(), fallback));
        }
    }
    return out;
}

std::u32string PlainTextCrLf(const QTextDocument& document)
{
    std::u32string out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin()) out += U"\r\n";
        for (char32_t ch : block.text().toUcs4()) out.push_back(ch == QChar::LineSeparator ? U'\v' : ch);
    }
    return out;
}

std::string DocumentToRtf(const QTextDocument& document, const CharFormat& fallback)
{
    return WriteRtf(SaveFormattedText(document, fallback));
}

FormattedText Truncated(const FormattedText& text, std::size_t maxChars)
{
    if (text.size() <= maxChars) return text;
    FormattedText out;
    for (std::size_t i = 0; i < maxChars; ++i) out.Append(text.CharAt(i), text.FormatAt(i));
    return out;
}

bool LoadRtf(QTextDocument& document, std::string_view rtf, std::size_t maxChars)
{
    const RtfReadResult result = ReadRtf(rtf);
    if (result.status == RtfStatus::NotRtf) {
        document.clear();
        return false;
    }
    LoadFormattedText(document, Truncated(result.text, maxChars));
    return true;
}

}  // namespace lumitag::editors
