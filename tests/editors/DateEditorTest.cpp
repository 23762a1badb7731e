// The date editor: the token it reads and writes, its switches, sample and
// preview, and Cancel.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "editors/CAutoRichEditCtrl.h"
#include "editors/CDialogDate.h"
#include "editors/EditSlot.h"
#include "editors/OffsetControl.h"
#include "editors/PreviewView.h"
#include "render/content/RtfReader.h"
#include "render/content/RtfWriter.h"
#include "tests/editors/EditorFixture.h"

using namespace lumitag;
using namespace lumitag::editors;
using lumitag::testing::ClickControl;
using lumitag::testing::EditorFixture;

namespace {

QString SwitchStates(const CDialogDate& dialog)
{
    QString states;
    for (int part = 0; part < 6; ++part) states += dialog.Switch(part)->isChecked() ? '1' : '0';
    return states;
}

std::tm Tuesday()
{
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 5;
    t.tm_wday = 2;
    t.tm_hour = 14;
    t.tm_min = 7;
    t.tm_sec = 9;
    return t;
}

}  // namespace

class DateEditorTest : public QObject {
    Q_OBJECT
private slots:
    void tokenOpensTheSwitches_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("switches");
        QTest::addColumn<QString>("text");
        QTest::newRow("all on, rich text") << "[DATE_111111]" + QString::fromStdString(WriteRtf([] {
            FormattedText t;
            t.Append("Now", CharFormat{"Arial", 320, 0x0000FF00});
            return t;
        }())) << "111111" << "Now";
        QTest::newRow("two digits") << "[DATE_10]" << "100000" << "";
        QTest::newRow("no bracket") << "[DATE_111111" << "000000" << "";
        QTest::newRow("bare prefix") << "[DATE_" << "000000" << "";
        QTest::newRow("not a digit") << "[DATE_1x1]" << "101000" << "";
        QTest::newRow("glyph text") << "[DATE_000011][ASCII]AB" << "000011" << "AB";
        QTest::newRow("new item") << "" << "000011" << "";
        QTest::newRow("other content") << "[ASCII]HELLO" << "000011" << "";
    }
    void tokenOpensTheSwitches()
    {
        QFETCH(QString, content);
        EditorFixture fixture("Q30");
        fixture.SetContent(0, content.toStdString());
        CDialogDate dialog(fixture.Access(), 0);
        QTEST(SwitchStates(dialog), "switches");
        QTEST(dialog.Edit()->toPlainText(), "text");
    }

    void unchangedOkStoresTheSameToken()
    {
        EditorFixture fixture("Q30");
        FormattedText text;
        text.Append("Now", CharFormat{"Arial", 320, 0x0000FF00});
        fixture.SetContent(0, "[DATE_111111]" + WriteRtf(text));
        CDialogDate dialog(fixture.Access(), 0);
        ClickControl(&dialog, 1);
        const std::string stored = fixture.Stored(0);
        QVERIFY(stored.starts_with("[DATE_111111]{\\rtf"));
        const RtfReadResult read = ReadRtf(std::string_view(stored).substr(13));
        QVERIFY(read.text == text);
    }

    void newItemOnSevenRowsIsTrimmedGlyphText()
    {
        EditorFixture fixture("Q03");
        CDialogDate dialog(fixture.Access(), 5);
        QTest::keyClicks(dialog.Edit(), QStringLiteral("  AB "));
        ClickControl(&dialog, 1);
        QCOMPARE(fixture.Stored(5), std::string("[DATE_000011][ASCII]AB"));
        QVERIFY(!dialog.ContentEmpty());
    }

    void emptyTextIsAllowed()
    {
        EditorFixture seven("Q03");
        EditOutcome outcome = EditSlotContent(seven.Access(), 0, kKindDate, nullptr, [](QDialog& dialog) {
            ClickControl(&dialog, 1);
            return dialog.result();
        });
        QVERIFY(outcome.accepted && !outcome.empty);
        QCOMPARE(seven.Stored(0), std::string("[DATE_000011][ASCII]"));

        EditorFixture rich("Q30");
        CDialogDate dialog(rich.Access(), 0);
        ClickControl(&dialog, 1);
        const std::string stored = rich.Stored(0);
        QVERIFY(stored.starts_with("[DATE_000011]{\\rtf"));
        QVERIFY(ReadRtf(std::string_view(stored).substr(13)).text.empty());
    }

    void switchesDriveSampleContentAndPreview()
    {
        EditorFixture fixture("Q30");
        CDialogDate dialog(fixture.Access(), 0);
        const std::tm t = Tuesday();
        dialog.RefreshSample(&t);
        QCOMPARE(dialog.Sample()->text(), QStringLiteral("14:07:09"));
        ClickControl(&dialog, 20030);  // Y
        ClickControl(&dialog, 20032);  // D
        ClickControl(&dialog, 20034);  // T off
        dialog.RefreshSample(&t);
        QCOMPARE(dialog.Sample()->text(), QStringLiteral("2024-05"));
        QCOMPARE(dialog.Preview()->Window().Parse().dateFlags, std::string("101001"));
        ClickControl(&dialog, 20031);
        ClickControl(&dialog, 20033);
        ClickControl(&dialog, 20034);
        dialog.RefreshSample(&t);
        QCOMPARE(dialog.Sample()->text(), QStringLiteral("2024-03-05 星期二 14:07:09"));
        QVERIFY(dialog.Preview()->Window().ClockRunning());
        ClickControl(&dialog, 1);
        QVERIFY(fixture.Stored(0).starts_with("[DATE_111111]"));
    }

    void sevenRowArrowsWorkOnTheHiddenList()
    {
        EditorFixture fixture("Q01");
        fixture.Program().Params().at(SlotField::offset, 0) = 2;
        CDialogDate dialog(fixture.Access(), 0);
        QVERIFY(!dialog.Offset()->List()->isVisibleTo(&dialog));
        QVERIFY(dialog.Offset()->UpArrow()->isVisibleTo(&dialog));
        QTest::mouseClick(dialog.Offset()->UpArrow(), Qt::LeftButton);
        QCOMPARE(fixture.Program().Params().at(SlotField::offset, 0), 1);
    }

    void refusedResultKeepsTheEditorOpen()
    {
        // Q01 has no clock: the service refuses a date item, the user is
        // told why, and nothing typed is lost.
        EditorFixture fixture("Q01");
        const auto before = fixture.FileBytes();
        CDialogDate dialog(fixture.Access(), 0);
        QTest::keyClicks(dialog.Edit(), QStringLiteral("AB"));
        ClickControl(&dialog, 1);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(fixture.Reporter().texts().size(), std::size_t(1));
        QVERIFY(fixture.Reporter().texts()[0].find("clock") != std::string::npos);
        QCOMPARE(dialog.Edit()->toPlainText(), QStringLiteral("AB"));
        QCOMPARE(fixture.FileBytes(), before);
    }

    void cancelLeavesTheFileAlone()
    {
        EditorFixture fixture("Q30");
        fixture.SetContent(0, "[DATE_10");  // damaged: no bracket
        const auto before = fixture.FileBytes();
        CDialogDate dialog(fixture.Access(), 0);
        ClickControl(&dialog, 20035);
        QTest::keyClicks(dialog.Edit(), QStringLiteral("x"));
        ClickControl(&dialog, 2);
        QCOMPARE(fixture.FileBytes(), before);
    }
};

QTEST_MAIN(DateEditorTest)
#include "DateEditorTest.moc"
