// The bitmap-font editor, its glyph edit window and the symbol picker.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "editors/CDialogFace.h"
#include "editors/CEditWnd.h"
#include "editors/CFaceWnd.h"
#include "editors/CPicWnd.h"
#include "editors/CSmallIconComboBox.h"
#include "editors/CWtxtDialog.h"
#include "editors/EditSlot.h"
#include "editors/PreviewView.h"
#include "render/content/ContentString.h"
#include "tests/editors/EditorFixture.h"

using namespace lumitag;
using namespace lumitag::editors;
using lumitag::testing::ClickControl;
using lumitag::testing::EditorFixture;

namespace {

void Choose(QComboBox* list, int index)
{
    list->setCurrentIndex(index);
    emit list->activated(index);
}

std::string Codes(std::initializer_list<std::uint32_t> codes)
{
    std::string content(kGlyphCodesPrefix);
    for (auto code : codes) content += std::to_string(code) + ",";
    return content;
}

}  // namespace

class GlyphEditorTest : public QObject {
    Q_OBJECT
    QTemporaryDir logs_;

private slots:
    void init() { QDir::setCurrent(logs_.path()); }

    void lastCodeChoosesFontAndColour_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<int>("codes");
        QTest::addColumn<int>("font");
        QTest::addColumn<int>("colour");
        QTest::addColumn<bool>("picker");
        QTest::newRow("7x9 red") << "[DASCII]65,2113,8257," << 3 << 1 << 0 << true;
        QTest::newRow("5x11") << "[DASCII]65,2113,49217," << 3 << 6 << 0 << false;
        QTest::newRow("font 7 selects none") << "[DASCII]57409," << 1 << -1 << 0 << false;
        QTest::newRow("empty pieces") << "[DASCII],,65,,66" << 2 << 0 << 0 << true;
        QTest::newRow("not glyph codes") << "[ASCII]65,66," << 0 << 0 << 0 << true;
        QTest::newRow("hostile numbers") << "[DASCII]99999999999999,-5,abc," << 3 << 0 << 0 << true;
    }
    void lastCodeChoosesFontAndColour()
    {
        QFETCH(QString, content);
        EditorFixture fixture("Q08");
        fixture.SetContent(0, content.toStdString());
        CWtxtDialog dialog(fixture.Access(), 0);
        QTEST(int(dialog.Edit()->Codes().size()), "codes");
        QTEST(dialog.FontList()->currentIndex(), "font");
        QTEST(dialog.ColourList()->currentIndex(), "colour");
        QTEST(dialog.PickerButton()->isEnabled(), "picker");
    }

    void unchangedOkStoresTheSameCodes()
    {
        EditorFixture fixture("Q08");
        fixture.SetContent(0, "[DASCII]65,2113,8257,");
        CWtxtDialog dialog(fixture.Access(), 0);
        ClickControl(&dialog, 1);
        QCOMPARE(fixture.Stored(0), std::string("[DASCII]65,2113,8257,"));
    }

    void typingTakesTheChosenFontAndColour()
    {
        EditorFixture fixture("Q08");
        CWtxtDialog dialog(fixture.Access(), 0);
        Choose(dialog.FontList(), 4);  // Small
        Choose(dialog.ColourList(), 1);  // green
        QVERIFY(!dialog.PickerButton()->isEnabled());
        QTest::keyClicks(dialog.Edit(), QStringLiteral("A"));
        Choose(dialog.FontList(), 2);
        QVERIFY(dialog.PickerButton()->isEnabled());
        QTest::keyClicks(dialog.Edit(), QStringLiteral("A"));
        ClickControl(&dialog, 1104);  // character 128
        ClickControl(&dialog, 1169);  // character 193
        QCOMPARE(dialog.Preview()->Window().Parse().glyphCodes,
                 (std::vector<std::uint32_t>{34881, 18497, 128 + 9 * 2048, 193 + 9 * 2048}));
        ClickControl(&dialog, 1);
        QCOMPARE(fixture.Stored(0), Codes({34881, 18497, 18560, 18625}));
    }

    void caretKeysBackspaceAndDelete()
    {
        EditorFixture fixture("Q08");
        CWtxtDialog dialog(fixture.Access(), 0);
        CEditWnd* edit = dialog.Edit();
        QTest::keyClick(edit, Qt::Key_Backspace);  // at 0: nothing
        QVERIFY(edit->Codes().empty());
        QTest::keyClicks(edit, QStringLiteral("ABC"));
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->Codes().size(), std::size_t(3));
        QTest::keyClick(edit, Qt::Key_Right);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(edit->Codes(), (std::vector<std::uint32_t>{67}));
        QTest::keyClick(edit, Qt::Key_Left);
        QTest::keyClick(edit, Qt::Key_Left);
        QCOMPARE(edit->CaretIndex(), 0);
        QTest::keyClick(edit, Qt::Key_End);
        QCOMPARE(edit->CaretIndex(), 1);
        QTest::keyClick(edit, Qt::Key_Down);
        QCOMPARE(edit->CaretIndex(), 1);
        // Enter and Escape neither type nor close.
        dialog.show();
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QCOMPARE(edit->Codes().size(), std::size_t(1));
    }

    void codesWithoutABitmapFontCharacterAreRefused()
    {
        EditorFixture fixture("Q08");
        fixture.SetContent(0, "[DASCII]65,");
        const auto before = fixture.FileBytes();
        CWtxtDialog dialog(fixture.Access(), 0);
        dialog.Edit()->InsertChar(300);  // past the 194 characters of the bitmap fonts
        ClickControl(&dialog, 1);
        QVERIFY(dialog.isVisible());
        QCOMPARE(fixture.Reporter().texts().size(), std::size_t(1));
        QCOMPARE(fixture.FileBytes(), before);
        QTest::keyClick(dialog.Edit(), Qt::Key_Backspace);
        ClickControl(&dialog, 1);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(fixture.Stored(0), std::string("[DASCII]65,"));
    }

    void typingStopsAt256ButPasteGoesOn()
    {
        EditorFixture fixture("Q08");
        CWtxtDialog dialog(fixture.Access(), 0);
        CEditWnd* edit = dialog.Edit();
        edit->InsertCodes(std::vector<std::uint32_t>(255, 65));
        QTest::keyClicks(edit, QStringLiteral("B"));
        QCOMPARE(edit->Codes().size(), std::size_t(256));
        QTest::keyClicks(edit, QStringLiteral("C"));
        QCOMPARE(edit->Codes().size(), std::size_t(256));
        QApplication::clipboard()->setText(QStringLiteral("xy"));
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->Codes().size(), std::size_t(258));
        QCOMPARE(edit->Codes().back(), 121u);
    }

    void loadingKeepsTheFirst8000Codes()
    {
        EditorFixture fixture("Q08");
        std::string content(kGlyphCodesPrefix);
        for (int i = 0; i < 100000; ++i) content += "65,";
        fixture.SetContent(0, content);
        const auto before = fixture.FileBytes();
        CWtxtDialog dialog(fixture.Access(), 0);
        dialog.show();
        QCOMPARE(dialog.Edit()->Codes().size(), std::size_t(8000));
        ClickControl(&dialog, 2);
        QCOMPARE(fixture.FileBytes(), before);
    }

    void emptyTextStoresThePrefixAndReportsEmpty()
    {
        EditorFixture fixture("Q08");
        fixture.SetContent(2, "[DASCII]65,");
        CWtxtDialog dialog(fixture.Access(), 2);
        QTest::keyClick(dialog.Edit(), Qt::Key_End);
        QTest::keyClick(dialog.Edit(), Qt::Key_Backspace);
        ClickControl(&dialog, 1);
        QVERIFY(dialog.ContentEmpty());
        QCOMPARE(fixture.Stored(2), std::string());

        EditOutcome outcome = EditSlotContent(fixture.Access(), 2, kKindText, nullptr, [](QDialog& d) {
            if (!qobject_cast<CWtxtDialog*>(&d)) return -1;  // not the bitmap-font editor
            ClickControl(&d, 1);
            return d.result();
        });
        QVERIFY(outcome.empty);
        QCOMPARE(fixture.Stored(2), std::string());
    }

    void pickerInsertsEachPickInTheEditorsFontAndColour()
    {
        EditorFixture fixture("Q08");
        CWtxtDialog dialog(fixture.Access(), 0);
        Choose(dialog.FontList(), 1);    // 7x9
        Choose(dialog.ColourList(), 1);  // green
        int count = 0;
        dialog.SetPickerRunner([&](CDialogFace& picker) {
            count = picker.Faces()->Count();
            picker.show();
            picker.resize(400, 240);
            const auto& numbers = picker.Faces()->Numbers();
            const int index130 = int(std::find(numbers.begin(), numbers.end(), 130) - numbers.begin());
            QVERIFY(index130 < 80);
            const double cw = picker.Faces()->width() / 10.0;
            const double ch = picker.Faces()->height() / 8.0;
            auto cell = [&](int i) { return QPoint(int((i % 10 + 0.5) * cw), int((i / 10 + 0.5) * ch)); };
            QTest::mouseClick(picker.Faces(), Qt::LeftButton, {}, cell(index130));
            QTest::mouseClick(picker.Faces(), Qt::LeftButton, {}, cell(0));
            QTest::mouseClick(picker.Faces(), Qt::LeftButton, {}, cell(79));  // past the count: nothing
            QCOMPARE(picker.LastPicked(), numbers[0]);
            ClickControl(&picker, 2);
        });
        ClickControl(&dialog, 1065);
        QCOMPARE(count, 66);
        QCOMPARE(dialog.Edit()->Codes().size(), std::size_t(2));
        QCOMPARE(dialog.Edit()->Codes()[0], 130u + 2048 + 8192);
    }

    void faceWindowNumbersAndMissingFolder()
    {
        QTemporaryDir dir;
        QImage picture(5, 7, QImage::Format_ARGB32);
        picture.fill(0xFFFF0000u);
        picture.save(dir.filePath("128.bmp"));
        picture.save(dir.filePath("x.BMP"));
        picture.save(dir.filePath("skip.png"));
        CFaceWnd faces;
        QCOMPARE(faces.LoadSymbols(dir.path()), 2);
        QCOMPARE(faces.Numbers(), (std::vector<int>{128, 0}));
        QCOMPARE(faces.LoadSymbols(dir.filePath("nowhere")), 0);
    }

    void layoutWrapsWhereTheGlyphNoLongerFits()
    {
        EditorFixture fixture("Q08");
        // Font 5 ("5x6") glyphs of the built Data folder are 6 pixels wide.
        const std::uint32_t code = MakeGlyphCode(65, 0, 5);
        const QImage* glyph = fixture.Cache().Entry(*GlyphCache::GlyphCodeIndex(code));
        QVERIFY(glyph);
        const int w = glyph->width();
        const int perLine = (100 - 2) / (2 * w);
        const GlyphEditLayout layout = LayOutGlyphCodes(std::vector<std::uint32_t>(perLine + 1, code), &fixture.Cache(), 100);
        QCOMPARE(layout.cells[perLine - 1].position, QPoint((perLine - 1) * 2 * w, 0));
        QCOMPARE(layout.cells[perLine].position, QPoint(0, std::max(18, 2 * glyph->height())));
        // A click left of a glyph's middle puts the caret before it.
        QCOMPARE(GlyphCaretAt(layout, QPoint(2 * w + w - 1, 1)), 1);
        QCOMPARE(GlyphCaretAt(layout, QPoint(2 * w + w, 1)), 2);
        QCOMPARE(GlyphCaretAt(layout, QPoint(99, 99)), perLine + 1);
    }

    void codesWithoutAGlyphAreLogged()
    {
        EditorFixture fixture("Q08");
        CEditWnd edit;
        edit.SetGlyphCache(&fixture.Cache());
        edit.SetLogFolder(logs_.path());
        edit.resize(200, 60);
        edit.InsertCodes({65, MakeGlyphCode(300, 1, 2), MakeGlyphCode(66, 3, 0)});
        edit.Picture();
        QFile log(logs_.filePath("DebugLog.log"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray bytes = log.readAll();
        QVERIFY(bytes.startsWith("\xFF\xFE"));
        const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                                                (bytes.size() - 2) / 2);
        QCOMPARE(text, QStringLiteral("FontType:2, FontColor:1, nChar:") + QChar(300) +
                           QStringLiteral("\r\nFontType:0, FontColor:3, nChar:B\r\n"));
    }

    void contextMenuClearIsGreyedWhenEmpty()
    {
        CEditWnd edit;
        auto enabled = [&](int command) {
            std::unique_ptr<QMenu> menu(edit.BuildContextMenu());
            for (QAction* action : menu->actions())
                if (action->data().toInt() == command) return action->isEnabled();
            return false;
        };
        QVERIFY(!enabled(CEditWnd::kClear));
        QVERIFY(enabled(CEditWnd::kPaste));
        edit.InsertChar(65);
        QVERIFY(enabled(CEditWnd::kClear));
        edit.Clear();
        QVERIFY(edit.Codes().empty());
    }

    void pictureWindowStretchesIntoTheFrame()
    {
        QTemporaryDir dir;
        QImage picture(320, 240, QImage::Format_ARGB32);
        picture.fill(0xFF00FF00u);
        picture.save(dir.filePath("p.png"));
        CPicWnd window;
        window.resize(101, 51);
        window.SetPath(dir.filePath("p.png"));
        const QImage shown = window.grab().toImage();
        QCOMPARE(shown.pixel(0, 0), 0xFFAD20F0u);
        QCOMPARE(shown.pixel(1, 1), 0xFF00FF00u);
        QCOMPARE(shown.pixel(100, 50), 0xFF00FF00u);
        window.SetPath(dir.path());  // a folder shows only the frame
        QVERIFY(window.Picture().isNull());
    }
};

QTEST_MAIN(GlyphEditorTest)
#include "GlyphEditorTest.moc"
