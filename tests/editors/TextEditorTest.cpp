// The text editor driven through its controls: what each edit stores in the
// work file, and that Cancel stores nothing.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTextCursor>
#include <QToolButton>

#include "editors/CAutoRichEditCtrl.h"
#include "editors/CSmallIconComboBox.h"
#include "editors/CTxtDialog.h"
#include "editors/EditSlot.h"
#include "editors/OffsetControl.h"
#include "editors/PreviewView.h"
#include "editors/RichTextConversion.h"
#include "editors/TextFormatControls.h"
#include "render/CImageWnd.h"
#include "render/content/RtfReader.h"
#include "tests/editors/EditorFixture.h"

using namespace lumitag;
using namespace lumitag::editors;
using lumitag::testing::ClickControl;
using lumitag::testing::EditorFixture;

namespace {

std::string StoredPlainText(const std::string& rtf)
{
    const RtfReadResult read = ReadRtf(rtf);
    return read.text.PlainText();
}

void Choose(QComboBox* list, int index)
{
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void SelectAll(CAutoRichEditCtrl* edit)
{
    QTextCursor cursor = edit->textCursor();
    cursor.select(QTextCursor::Document);
    edit->setTextCursor(cursor);
}

}  // namespace

class TextEditorTest : public QObject {
    Q_OBJECT
private slots:
    void glyphTextOpensAndIsStoredByTheModel_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<bool>("rich");
        QTest::newRow("16 rows") << "Q30" << true;
        QTest::newRow("12 rows") << "Q06" << true;
        QTest::newRow("7 rows") << "Q01" << false;
    }
    void glyphTextOpensAndIsStoredByTheModel()
    {
        QFETCH(QString, model);
        QFETCH(bool, rich);
        EditorFixture fixture(model.toStdString());
        fixture.SetContent(0, "[ASCII]HELLO");
        CTxtDialog dialog(fixture.Access(), 0);
        QCOMPARE(dialog.Edit()->toPlainText(), QStringLiteral("HELLO"));
        QCOMPARE(dialog.Counter()->text(), QStringLiteral("5/255"));
        ClickControl(&dialog, 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const std::string stored = fixture.Stored(0);
        if (rich) {
            QVERIFY(stored.starts_with("{\\rtf"));
            QCOMPARE(StoredPlainText(stored), std::string("HELLO"));
        } else {
            QCOMPARE(stored, std::string("[ASCII]HELLO"));
        }
    }

    void sevenRowsKeepAsciiAndTrim()
    {
        EditorFixture fixture("Q01");
        CTxtDialog dialog(fixture.Access(), 2);
        QVERIFY(!dialog.Edit()->testAttribute(Qt::WA_InputMethodEnabled));
        QVERIFY(dialog.Formatting()->FontList()->isHidden());
        QTest::keyClicks(dialog.Edit(), QStringLiteral("  A"));
        QTest::sendKeyEvent(QTest::Click, dialog.Edit(), Qt::Key_Eacute, QString(QChar(0xE9)), Qt::NoModifier);
        QCOMPARE(dialog.Edit()->toPlainText(), QStringLiteral("  A"));  // é is dropped
        QTest::keyClick(dialog.Edit(), Qt::Key_Return);          // the line break is dropped on OK
        QTest::keyClicks(dialog.Edit(), QStringLiteral("B  "));
        QCOMPARE(dialog.Edit()->toPlainText(), QStringLiteral("  A\nB  "));
        ClickControl(&dialog, 1);
        QCOMPARE(fixture.Stored(2), std::string("[ASCII]AB"));
        QVERIFY(!dialog.ContentEmpty());
    }

    void asciiPasteDropsOtherCharactersAndKeepsTheCaret()
    {
        EditorFixture fixture("Q02");
        CTxtDialog dialog(fixture.Access(), 0);
        QTest::keyClicks(dialog.Edit(), QStringLiteral("XY"));
        QTextCursor caret = dialog.Edit()->textCursor();
        caret.setPosition(1);
        dialog.Edit()->setTextCursor(caret);
        QApplication::clipboard()->setText(QStringLiteral("a\u00E9 b"));
        QTest::keyClick(dialog.Edit(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(dialog.Edit()->toPlainText(), QStringLiteral("Xa bY"));
        QCOMPARE(dialog.Edit()->textCursor().position(), 4);
    }

    void pasteIsPlainTextInTheFormatAtTheCaret()
    {
        EditorFixture fixture("Q30");
        CTxtDialog dialog(fixture.Access(), 0);
        Choose(dialog.Formatting()->ColourList(), 1);  // green for what is typed next
        auto* mime = new QMimeData;
        mime->setHtml(QStringLiteral("<b style='color:red'>Hi</b>"));
        mime->setText(QStringLiteral("Hi"));
        QApplication::clipboard()->setMimeData(mime);
        dialog.Edit()->paste();
        ClickControl(&dialog, 1);
        const RtfReadResult read = ReadRtf(fixture.Stored(0));
        QCOMPARE(read.text.PlainText(), std::string("Hi"));
        QCOMPARE(read.text.FormatAt(0).colour, 0x0000FF00u);
        QVERIFY(!read.text.FormatAt(0).bold);
    }

    void onlyBlanksIsEmptyContent()
    {
        EditorFixture fixture("Q30");
        fixture.SetContent(4, "[ASCII]OLD");
        EditOutcome outcome = EditSlotContent(fixture.Access(), 4, kKindText, nullptr, [](QDialog& dialog) {
            auto& text = static_cast<CTxtDialog&>(dialog);
            text.Edit()->clear();
            QTest::keyClicks(text.Edit(), QStringLiteral("   "));
            ClickControl(&dialog, 1);
            return dialog.result();
        });
        QVERIFY(outcome.accepted);
        QVERIFY(outcome.empty);
        QCOMPARE(fixture.Stored(4), std::string());
        QCOMPARE(fixture.Program().Params().at(SlotField::kind, 4), 1);
        QCOMPARE(fixture.Program().Params().at(SlotField::send, 4), 1);
    }

    void formattingIsStored()
    {
        EditorFixture fixture("Q30");
        CTxtDialog dialog(fixture.Access(), 1);
        QTest::keyClicks(dialog.Edit(), QStringLiteral("AB"));
        SelectAll(dialog.Edit());
        ClickControl(&dialog, 1060);                   // bold
        ClickControl(&dialog, 1062);                   // underline
        Choose(dialog.Formatting()->ColourList(), 5);  // green / red / yellow bands
        Choose(dialog.Formatting()->SizeList(), dialog.Formatting()->SizeList()->findText("10"));
        ClickControl(&dialog, 1);
        const RtfReadResult read = ReadRtf(fixture.Stored(1));
        QCOMPARE(read.text.PlainText(), std::string("AB"));
        for (std::size_t i = 0; i < 2; ++i) {
            const CharFormat& format = read.text.FormatAt(i);
            QVERIFY(format.bold);
            QVERIFY(format.underline);
            QVERIFY(!format.italic);
            QCOMPARE(format.colour, 0x00FF9600u);
            QCOMPARE(format.twips, 200);
        }
    }

    void controlsFollowTheCaret()
    {
        EditorFixture fixture("Q30");
        CTxtDialog dialog(fixture.Access(), 0);
        QTest::keyClicks(dialog.Edit(), QStringLiteral("a"));
        ClickControl(&dialog, 1061);  // italic from here on
        Choose(dialog.Formatting()->ColourList(), 0);
        QTest::keyClicks(dialog.Edit(), QStringLiteral("b"));
        QTextCursor caret = dialog.Edit()->textCursor();
        caret.setPosition(1);
        dialog.Edit()->setTextCursor(caret);
        QVERIFY(!dialog.Formatting()->Italic()->isChecked());
        QCOMPARE(dialog.Formatting()->ColourList()->currentIndex(), 2);  // the default yellow
        caret.setPosition(2);
        dialog.Edit()->setTextCursor(caret);
        QVERIFY(dialog.Formatting()->Italic()->isChecked());
        QCOMPARE(dialog.Formatting()->ColourList()->currentIndex(), 0);
    }

    void symbolPicturesInsertTokensWhileThereIsRoom()
    {
        EditorFixture fixture("Q01");
        CTxtDialog dialog(fixture.Access(), 0);
        ClickControl(&dialog, 20110);
        ClickControl(&dialog, 1169);
        QCOMPARE(dialog.Edit()->toPlainText(), QStringLiteral("[GIF_000][GIF_097]"));

        dialog.Edit()->setPlainText(QString(247, QLatin1Char('x')));
        dialog.Edit()->moveCursor(QTextCursor::End);
        ClickControl(&dialog, 1104);
        QCOMPARE(dialog.Edit()->toPlainText().size(), 256);
        QVERIFY(dialog.Edit()->toPlainText().endsWith(QStringLiteral("[GIF_032]")));
        dialog.Edit()->setPlainText(QString(248, QLatin1Char('x')));
        ClickControl(&dialog, 1104);
        QCOMPARE(dialog.Edit()->toPlainText().size(), 248);
    }

    void symbolRowsFollowTheModel()
    {
        EditorFixture q05("Q05");
        CTxtDialog glyphCodes(q05.Access(), 0);
        QVERIFY(!FindControl(&glyphCodes, 20110)->isVisibleTo(&glyphCodes));
        QVERIFY(FindControl(&glyphCodes, 1104)->isVisibleTo(&glyphCodes));
        EditorFixture q30("Q30");
        CTxtDialog rich(q30.Access(), 0);
        QVERIFY(FindControl(&rich, 20110)->isVisibleTo(&rich));
        QVERIFY(!FindControl(&rich, 1104)->isVisibleTo(&rich));
    }

    void typingStopsAtTheLimit()
    {
        EditorFixture fixture("Q30");
        CTxtDialog dialog(fixture.Access(), 0);
        dialog.Edit()->setPlainText(QString(254, QLatin1Char('x')));
        dialog.Edit()->moveCursor(QTextCursor::End);
        QTest::keyClicks(dialog.Edit(), QStringLiteral("yz"));
        QCOMPARE(dialog.Edit()->toPlainText().size(), 255);
        QCOMPARE(dialog.Counter()->text(), QStringLiteral("255/255"));
    }

    void offsetArrowsStopAtTheEnds()
    {
        EditorFixture fixture("Q30");
        fixture.Program().Params().at(SlotField::offset, 3) = -8;
        const auto before = fixture.FileBytes();
        CTxtDialog dialog(fixture.Access(), 3);
        QCOMPARE(dialog.Offset()->List()->currentText(), QStringLiteral("-8"));
        QTest::mouseClick(dialog.Offset()->UpArrow(), Qt::LeftButton);
        QCOMPARE(dialog.Offset()->List()->currentText(), QStringLiteral("-8"));
        QTest::mouseClick(dialog.Offset()->DownArrow(), Qt::LeftButton);
        QCOMPARE(dialog.Offset()->List()->currentText(), QStringLiteral("-7"));
        QCOMPARE(fixture.Program().Params().at(SlotField::offset, 3), -7);
        QCOMPARE(dialog.Preview()->Window().Parse().form, ContentForm::RichText);
        QTest::mouseClick(dialog.Offset()->UpArrow(), Qt::LeftButton);
        QCOMPARE(dialog.Offset()->List()->currentText(), QStringLiteral("-8"));
        Choose(dialog.Offset()->List(), 15);
        QTest::mouseClick(dialog.Offset()->DownArrow(), Qt::LeftButton);
        QCOMPARE(dialog.Offset()->List()->currentText(), QStringLiteral("8"));
        QTest::mouseClick(dialog.Offset()->DownArrow(), Qt::LeftButton);
        QCOMPARE(dialog.Offset()->List()->currentText(), QStringLiteral("8"));
        QCOMPARE(fixture.Program().Params().at(SlotField::offset, 3), 8);
        ClickControl(&dialog, 1098);
        QCOMPARE(fixture.Program().Params().at(SlotField::arabic, 3), 1);
        ClickControl(&dialog, 2);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        // The table follows at once; the file is saved by the main window.
        QCOMPARE(fixture.FileBytes(), before);
    }

    void cancelLeavesTheFileAlone()
    {
        EditorFixture fixture("Q30");
        fixture.SetContent(0, "[ASCII]KEEP");
        const auto before = fixture.FileBytes();
        EditOutcome outcome = EditSlotContent(fixture.Access(), 0, kKindText, nullptr, [](QDialog& dialog) {
            QTest::keyClicks(static_cast<CTxtDialog&>(dialog).Edit(), QStringLiteral("more"));
            ClickControl(&dialog, 1060);
            ClickControl(&dialog, 2);
            return dialog.result();
        });
        QVERIFY(outcome.opened);
        QVERIFY(!outcome.accepted);
        QCOMPARE(fixture.FileBytes(), before);
    }

    void contextMenuGreysWhatCannotBeDone()
    {
        EditorFixture fixture("Q30");
        CTxtDialog dialog(fixture.Access(), 0);
        auto enabled = [&](int command) {
            std::unique_ptr<QMenu> menu(dialog.Edit()->BuildContextMenu());
            for (QAction* action : menu->actions())
                if (action->data().toInt() == command) return action->isEnabled();
            return false;
        };
        QApplication::clipboard()->clear();
        QVERIFY(!enabled(CAutoRichEditCtrl::kClear));
        QVERIFY(!enabled(CAutoRichEditCtrl::kPaste));
        QTest::keyClicks(dialog.Edit(), QStringLiteral("x"));
        QVERIFY(enabled(CAutoRichEditCtrl::kClear));
        QVERIFY(!enabled(CAutoRichEditCtrl::kCopy));
        QVERIFY(!enabled(CAutoRichEditCtrl::kCut));
        SelectAll(dialog.Edit());
        QVERIFY(enabled(CAutoRichEditCtrl::kCopy));
        dialog.Edit()->RunCommand(CAutoRichEditCtrl::kCopy);
        QVERIFY(enabled(CAutoRichEditCtrl::kPaste));
        dialog.Edit()->RunCommand(CAutoRichEditCtrl::kClear);
        QVERIFY(dialog.Edit()->toPlainText().isEmpty());
        QCOMPARE(dialog.Counter()->text(), QStringLiteral("0/255"));
    }

    // What the preview shows is what the slot image builder sends.
    void previewMatchesTheSentPicture_data()
    {
        QTest::addColumn<QString>("model");
        QTest::newRow("16 rows") << "Q30";
        QTest::newRow("12 rows") << "Q06";
        QTest::newRow("7 rows") << "Q01";
    }
    void previewMatchesTheSentPicture()
    {
        QFETCH(QString, model);
        EditorFixture fixture(model.toStdString());
        CTxtDialog dialog(fixture.Access(), 0);
        dialog.resize(900, 500);
        dialog.show();
        const bool rich = service::RulesFor(model.toStdString()).rows != 7;
        QTest::keyClicks(dialog.Edit(), QStringLiteral("Ab1"));
        if (rich) ClickControl(&dialog, 1060);
        ClickControl(&dialog, 20110);
        if (rich) Choose(dialog.Formatting()->ColourList(), 3);
        QTest::keyClicks(dialog.Edit(), QStringLiteral("Zy"));
        ClickControl(&dialog, 1);

        CImageWnd sent(20060);
        sent.SetGlyphCache(&fixture.Cache());
        sent.SetProgramFolder(LUMITAG_PROGRAM_DIR);
        sent.SetRows(dialog.Preview()->Window().Rows());
        ModelSettings m;
        ApplyModel(m, model.toStdString());
        sent.SetPaging(m.pageWidth, m.pagePitch);
        sent.SetClientSize(dialog.Preview()->size());
        sent.SetContent(fixture.Stored(0));
        const QImage frame = sent.RenderFrame(0);
        QVERIFY(!frame.isNull());

        CImageWnd& preview = dialog.Preview()->Window();
        QImage shown(frame.width(), frame.height(), QImage::Format_ARGB32);
        shown.fill(0xFF000000u);
        if (preview.Parse().form == ContentForm::RichText)
            preview.DrawRuns(shown, false, 0);
        else
            preview.DrawGlyphList(shown, false, 0);
        int lit = 0;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x) {
                QCOMPARE(shown.pixel(x, y), frame.pixel(x, y));
                lit += frame.pixel(x, y) != 0xFF000000u;
            }
        QVERIFY(lit > 20);
    }

    void hostileContentOpensAndCancelKeepsIt_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("deep groups") << (QByteArray("{\\rtf1 ") + QByteArray(100000, '{') + "x");
        QTest::newRow("unclosed font table") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1");
        QTest::newRow("huge numbers") << QByteArray("{\\rtf1\\fs999999999999 A\\cf4294967296 B\\u-99999999?}");
        QTest::newRow("long glyph text") << (QByteArray("[ASCII]") + QByteArray(100000, 'W'));
        QTest::newRow("date item") << QByteArray("[DATE_11]{\\rtf1 x}");
    }
    void hostileContentOpensAndCancelKeepsIt()
    {
        QFETCH(QByteArray, content);
        EditorFixture fixture("Q30");
        fixture.SetContent(0, content.toStdString());
        const auto before = fixture.FileBytes();
        CTxtDialog dialog(fixture.Access(), 0);
        dialog.show();
        QVERIFY(dialog.Edit()->CharacterCount() <= int(service::kTextLimit));
        ClickControl(&dialog, 2);
        QCOMPARE(fixture.FileBytes(), before);
    }
};

QTEST_MAIN(TextEditorTest)
#include "TextEditorTest.moc"
