// The editors' text rules: characters counted and trimmed as the editors do.

#include <QTest>

#include "editors/EditorRules.h"

using namespace lumitag::editors;

class EditorRulesTest : public QObject {
    Q_OBJECT
private slots:
    void lineBreaksAndTrimming()
    {
        QCOMPARE(WithoutLineBreaks(U"a\r\nb\rc\nd"), std::u32string(U"ab\rc\nd"));
        QCOMPARE(TrimmedWithoutLineBreaks(U"  A\r\nB \t"), std::u32string(U"AB"));
        QCOMPARE(TrimmedWithoutLineBreaks(U" \r\n  "), std::u32string());
    }
};

QTEST_GUILESS_MAIN(EditorRulesTest)
#include "EditorRulesTest.moc"
