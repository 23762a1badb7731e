// The per-model choices of the editors and their text rules.

#include <QTest>

#include "editors/EditorRules.h"

using namespace lumitag;
using namespace lumitag::editors;

class EditorRulesTest : public QObject {
    Q_OBJECT
private slots:
    void modelChoices_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<bool>("ascii");
        QTest::addColumn<bool>("rowA");
        QTest::addColumn<bool>("rowsB");
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("textTwips");
        QTest::addColumn<int>("dateTwips");
        QTest::newRow("Q01 glyph text") << "Q01" << true << true << true << "Arial" << 140 << 140;
        QTest::newRow("Q03 glyph codes") << "Q03" << true << false << true << "Arial" << 240 << 240;
        QTest::newRow("Q05 glyph codes") << "Q05" << true << false << true << "Arial" << 240 << 240;
        QTest::newRow("Q06 12 rows") << "Q06" << false << true << false << "Arial" << 240 << 240;
        QTest::newRow("Q14 Chinese badge") << "Q14" << false << true << false << "MingLiU" << 240 << 240;
        QTest::newRow("Q15 Chinese badge") << "Q15" << false << true << false << "MingLiU" << 240 << 240;
        QTest::newRow("Q30 16 rows") << "Q30" << false << true << false << "Arial" << 320 << 320;
    }
    void modelChoices()
    {
        QFETCH(QString, model);
        const EditorModel m = EditorModelOf(model.toStdString());
        QTEST(m.asciiOnly, "ascii");
        QTEST(m.symbolRowA, "rowA");
        QTEST(m.symbolRowsB, "rowsB");
        const CharFormat text = TextEditorDefaultFormat(model.toStdString());
        QTEST(QString::fromStdString(text.face), "face");
        QTEST(text.twips, "textTwips");
        QCOMPARE(text.colour, 0x0000FFFFu);
        QTEST(DateEditorDefaultFormat(model.toStdString()).twips, "dateTwips");
    }

    void symbolTokens()
    {
        QCOMPARE(SymbolToken(0), std::string("[GIF_000]"));
        QCOMPARE(SymbolToken(97), std::string("[GIF_097]"));
    }

    void lineBreaksAndTrimming()
    {
        QCOMPARE(WithoutLineBreaks(U"a\r\nb\rc\nd"), std::u32string(U"ab\rc\nd"));
        QCOMPARE(TrimmedWithoutLineBreaks(U"  A\r\nB \t"), std::u32string(U"AB"));
        QCOMPARE(TrimmedWithoutLineBreaks(U" \r\n  "), std::u32string());
    }

    void colourListIsTheSignColours()
    {
        QCOMPARE(kTextColours.size(), std::size_t(9));
        QCOMPARE(kTextColours[0], 0x000000FFu);
        QCOMPARE(kTextColours[8], 0x0000E9A0u);
    }
};

QTEST_GUILESS_MAIN(EditorRulesTest)
#include "EditorRulesTest.moc"
