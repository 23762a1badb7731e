// The text editors' document and the core's formatted text: what goes in
// comes back character for character and format for format, through RTF too.

#include <QTest>
#include <QTextDocument>

#include "editors/RichTextConversion.h"
#include "editors/TextFormatControls.h"
#include "render/content/RtfReader.h"
#include "render/content/RtfWriter.h"

using namespace lumitag;
using namespace lumitag::editors;

namespace {

FormattedText Sample()
{
    const CharFormat plain{"Liberation Sans", 240, 0x0000FFFF};
    CharFormat bold = plain;
    bold.bold = true;
    bold.colour = 0x00FF9600;
    CharFormat other{"DejaVu Serif", 320, 0x000000FF, false, true, true};
    FormattedText text;
    text.Append("Ab ", plain);
    text.Append("中文é", bold);
    text.Append(FormattedText::kLineBreak, bold);
    text.Append("x", other);
    text.AppendParagraphMark(other);
    text.Append("[GIF_004]", plain);
    text.AppendParagraphMark(plain);
    text.AppendParagraphMark(bold);
    text.Append(U'\U0001F600', other);  // outside the BMP
    return text;
}

}  // namespace

class RichTextConversionTest : public QObject {
    Q_OBJECT
private slots:
    void documentRoundTrip()
    {
        QTextDocument document;
        const FormattedText text = Sample();
        LoadFormattedText(document, text);
        QVERIFY(SaveFormattedText(document, CharFormat{}) == text);
        QCOMPARE(PlainTextCrLf(document), std::u32string(U"Ab 中文é\vx\r\n[GIF_004]\r\n\r\n\U0001F600"));
    }

    void rtfRoundTrip()
    {
        QTextDocument document;
        QVERIFY(LoadRtf(document, WriteRtf(Sample()), 255));
        QVERIFY(SaveFormattedText(document, CharFormat{}) == Sample());
        QVERIFY(ReadRtf(DocumentToRtf(document, CharFormat{})).text == Sample());
    }

    void loadingStopsAtTheLimitAndRefusesOtherText()
    {
        QTextDocument document;
        QVERIFY(LoadRtf(document, WriteRtf(Sample()), 4));
        QCOMPARE(document.toPlainText(), QStringLiteral("Ab 中"));
        QVERIFY(!LoadRtf(document, "[ASCII]x", 255));
        QVERIFY(document.isEmpty());
    }

    void colourCodesAreBlueGreenRed()
    {
        QCOMPARE(ColourOfCode(0x00FF9600), QColor(0x00, 0x96, 0xFF));
        QCOMPARE(CodeOfColour(QColor(0xA0, 0xE9, 0x00)), 0x0000E9A0u);
    }

    void fontListNamesEachFamilyOnce()
    {
        const QStringList families = InstalledFamilies();
        QVERIFY(!families.isEmpty());
        QCOMPARE(QSet<QString>(families.begin(), families.end()).size(), families.size());
        for (const QString& family : families) QVERIFY2(!family.contains(QLatin1String(" [")), qPrintable(family));
    }
};

QTEST_MAIN(RichTextConversionTest)
#include "RichTextConversionTest.moc"
