// The image editor: the list read from and written to the content string,
// Add, Del, Up and Down, the picture view, hostile entries, Cancel.

#include <QImage>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include "editors/CDialogImg.h"
#include "editors/CPicWnd.h"
#include "editors/EditSlot.h"
#include "editors/PreviewView.h"
#include "tests/editors/EditorFixture.h"

using namespace lumitag;
using namespace lumitag::editors;
using lumitag::testing::ClickControl;
using lumitag::testing::EditorFixture;

namespace {

QStringList Entries(const CDialogImg& dialog)
{
    QStringList entries;
    for (int i = 0; i < dialog.List()->count(); ++i) entries << dialog.List()->item(i)->text();
    return entries;
}

QString SavePicture(const QTemporaryDir& dir, const QString& name, int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    const QString path = dir.filePath(name);
    image.save(path);
    return path;
}

}  // namespace

class ImageEditorTest : public QObject {
    Q_OBJECT
private slots:
    void listIsReadFromTheContent_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("two files") << "/p/a.bmp;/p/b.png;" << QStringList{"/p/a.bmp", "/p/b.png"};
        QTest::newRow("no semicolon") << "/p/a.bmp" << QStringList{};
        QTest::newRow("tail ignored") << "/p/a.bmp;/p/b" << QStringList{"/p/a.bmp"};
        QTest::newRow("empty piece") << "/p/a.bmp;;" << QStringList{"/p/a.bmp", ""};
        QTest::newRow("rich text") << "{\\rtf1 a;b;}" << QStringList{};
        QTest::newRow("glyph text") << "[ASCII]a;b;" << QStringList{};
    }
    void listIsReadFromTheContent()
    {
        QFETCH(QString, content);
        EditorFixture fixture("Q30");
        fixture.SetContent(0, content.toStdString());
        CDialogImg dialog(fixture.Access(), 0);
        QTEST(Entries(dialog), "entries");
    }

    void unchangedOkStoresTheSameString()
    {
        EditorFixture fixture("Q30");
        fixture.SetContent(0, "/p/a.bmp;/p/b.png;");
        CDialogImg dialog(fixture.Access(), 0);
        ClickControl(&dialog, 1);
        QCOMPARE(fixture.Stored(0), std::string("/p/a.bmp;/p/b.png;"));
    }

    void addDeleteAndReorder()
    {
        QTemporaryDir dir;
        const QString red = SavePicture(dir, "red.png", 8, 16, 0xFFFF0000u);
        const QString green = SavePicture(dir, "green.bmp", 4, 16, 0xFF00FF00u);
        EditorFixture fixture("Q30");
        CDialogImg dialog(fixture.Access(), 0);
        QStringList chosen{red, green, red, QString(), dir.filePath("semi;colon.png")};
        dialog.SetFileChooser([&](QWidget*) { return chosen.takeFirst(); });
        for (int i = 0; i < 5; ++i) ClickControl(&dialog, 1054);
        QCOMPARE(Entries(dialog), (QStringList{red, green, red}));
        // The same file twice is drawn twice side by side.
        QCOMPARE(dialog.Preview()->Window().Parse().imagePaths.size(), std::size_t(3));

        ClickControl(&dialog, 1067);  // no selection: nothing
        ClickControl(&dialog, 1068);
        QCOMPARE(Entries(dialog), (QStringList{red, green, red}));
        dialog.List()->setCurrentRow(1);
        QCOMPARE(dialog.Picture()->Picture().size(), QSize(4, 16));
        ClickControl(&dialog, 1067);
        QCOMPARE(Entries(dialog), (QStringList{green, red, red}));
        ClickControl(&dialog, 1067);  // first entry: nothing
        QCOMPARE(Entries(dialog), (QStringList{green, red, red}));
        ClickControl(&dialog, 1068);
        ClickControl(&dialog, 1068);
        QCOMPARE(Entries(dialog), (QStringList{red, red, green}));
        ClickControl(&dialog, 1068);  // last entry: nothing
        QCOMPARE(Entries(dialog), (QStringList{red, red, green}));

        dialog.List()->setCurrentRow(0);
        ClickControl(&dialog, 1066);
        QCOMPARE(Entries(dialog), (QStringList{red, green}));
        QCOMPARE(dialog.List()->currentRow(), 1);  // the last entry is selected
        ClickControl(&dialog, 1);
        QCOMPARE(QString::fromStdString(fixture.Stored(0)), red + ";" + green + ";");
        QVERIFY(!dialog.ContentEmpty());

        // What the preview shows is what the core renders for sending.
        CImageWnd sent;
        sent.SetRows(16);
        sent.SetContent(fixture.Stored(0));
        const QImage frame = sent.RenderFrame(0);
        QCOMPARE(frame.size(), QSize(12, 16));
        QCOMPARE(frame.pixel(0, 0), 0xFFFF0000u);
        QCOMPARE(frame.pixel(11, 15), 0xFF00FF00u);
    }

    void deletingTheLastEntryIsEmptyContent()
    {
        EditorFixture fixture("Q30");
        fixture.SetContent(3, "/p/a.bmp;");
        EditOutcome outcome = EditSlotContent(fixture.Access(), 3, kKindImage, nullptr, [](QDialog& dialog) {
            static_cast<CDialogImg&>(dialog).List()->setCurrentRow(0);
            ClickControl(&dialog, 1066);
            ClickControl(&dialog, 1);
            return dialog.result();
        });
        QVERIFY(outcome.accepted);
        QVERIFY(outcome.empty);
        QCOMPARE(fixture.Stored(3), std::string());
    }

    void hostileEntriesShowNothingAndCancelKeepsTheFile()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath("fifo.bmp");
        QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
        const QString folder = dir.filePath("folder.png");
        QVERIFY(QDir().mkpath(folder));
        const QString missing = dir.filePath("missing.gif");
        QString content = fifo + ";" + folder + ";" + missing + ";";
        for (int i = 0; i < 2000; ++i) content += missing + ";";

        EditorFixture fixture("Q30");
        fixture.SetContent(0, content.toStdString());
        const auto before = fixture.FileBytes();
        CDialogImg dialog(fixture.Access(), 0);
        dialog.show();
        QCOMPARE(dialog.List()->count(), 2003);
        for (int row = 0; row < 3; ++row) {
            dialog.List()->setCurrentRow(row);
            QVERIFY(dialog.Picture()->Picture().isNull());
            dialog.Picture()->repaint();
        }
        dialog.Preview()->repaint();
        ClickControl(&dialog, 1066);
        ClickControl(&dialog, 2);
        QCOMPARE(fixture.FileBytes(), before);
    }
};

QTEST_MAIN(ImageEditorTest)
#include "ImageEditorTest.moc"
