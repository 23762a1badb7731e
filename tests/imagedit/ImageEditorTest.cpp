// imagedit driven as a user drives it, on the offscreen platform: the tools
// on the LED grid, undo and redo, import, saving a BMP the renderer's loader
// reads back, files that will not load, unsaved changes, the command line.

#include "imagedit/ImageEditorWindow.h"
#include "imagedit/ImportDialog.h"
#include "imagedit/SamplePicture.h"
#include "imagedit/Startup.h"
#include "model/Reporter.h"
#include "model/SettingsStore.h"
#include "render/BmpFile.h"
#include "render/PictureLoader.h"
#include "render/SignColours.h"
#include "ui/Layout.h"
#include "ui/ScreenShot.h"

#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace lumitag;
using namespace lumitag::imagedit;

namespace {

constexpr SignPictureFormat kColourSign{12, SignColourKind::FourColour};

// '.' black, 'R' red, 'G' green, 'Y' yellow, '?' anything else.
QStringList Map(const QImage& image)
{
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            row += c == kSignBlack ? '.' : c == kSignRed ? 'R' : c == kSignGreen ? 'G' : c == kSignYellow ? 'Y' : '?';
        }
        rows << row;
    }
    return rows;
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

class ImageEditorTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ImageEditorWindow> window_;
    RecordingReporter reporter_;
    QTemporaryDir folder_;

    LedCanvas* canvas() { return window_->canvas(); }
    QImage picture() { return window_->document().picture(); }
    void Use(Tool tool) { window_->toolAction(tool)->trigger(); }
    void UseColour(int paletteIndex) { window_->colourActions()[paletteIndex]->trigger(); }
    void Click(QPoint pixel) { QTest::mouseClick(canvas(), Qt::LeftButton, {}, canvas()->PointOf(pixel)); }
    void Drag(QPoint from, QPoint to)
    {
        QTest::mousePress(canvas(), Qt::LeftButton, {}, canvas()->PointOf(from));
        QTest::mouseMove(canvas(), canvas()->PointOf((from + to) / 2));
        QTest::mouseMove(canvas(), canvas()->PointOf(to));
        QTest::mouseRelease(canvas(), Qt::LeftButton, {}, canvas()->PointOf(to));
    }
    QString Path(const QString& name) const { return folder_.filePath(name); }

private slots:
    void init()
    {
        window_ = std::make_unique<ImageEditorWindow>(kColourSign, reporter_);
        window_->NewPicture(10, 6);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup()
    {
        window_->SetSaveQuestion([](QWidget*, const QString&) { return QMessageBox::Discard; });
        window_.reset();
    }

    void pencilEraserAndUndoTakeBackWholeStrokes()
    {
        Use(Tool::Pencil);
        UseColour(2);  // green
        Drag({0, 0}, {4, 0});
        Click({9, 5});
        QCOMPARE(Map(picture())[0], QString("GGGGG....."));
        QCOMPARE(Map(picture())[5], QString(".........G"));
        QCOMPARE(window_->document().history().count(), 2);

        Use(Tool::Eraser);
        Drag({1, 0}, {2, 0});
        QCOMPARE(Map(picture())[0], QString("G..GG....."));

        window_->undoAction()->trigger();
        QCOMPARE(Map(picture())[0], QString("GGGGG....."));
        window_->undoAction()->trigger();
        QCOMPARE(Map(picture())[5], QString(".........."));
        window_->undoAction()->trigger();
        QCOMPARE(Map(picture()), Map(NewSignPicture(10, 6)));
        QVERIFY(!window_->undoAction()->isEnabled());
        window_->redoAction()->trigger();
        window_->redoAction()->trigger();
        QCOMPARE(Map(picture())[0], QString("GGGGG....."));
        QCOMPARE(Map(picture())[5], QString(".........G"));
    }

    void lineRectangleAndFill()
    {
        UseColour(1);  // red
        Use(Tool::Rectangle);
        Drag({1, 1}, {5, 4});
        Use(Tool::Line);
        Drag({9, 0}, {9, 5});
        UseColour(3);  // yellow
        Use(Tool::Fill);
        Click({3, 2});
        QCOMPARE(Map(picture()), QStringList({".........R", ".RRRRR...R", ".RYYYR...R", ".RYYYR...R",
                                              ".RRRRR...R", ".........R"}));
        // One step per shape, the live drawing of the drag included.
        QCOMPARE(window_->document().history().count(), 3);
        window_->undoAction()->trigger();
        QCOMPARE(Map(picture())[2], QString(".R...R...R"));
    }

    void selectAndMove()
    {
        UseColour(2);
        Use(Tool::Pencil);
        Click({1, 1});
        Click({2, 2});
        Use(Tool::Select);
        Drag({1, 1}, {2, 2});
        QCOMPARE(canvas()->selection(), QRect(1, 1, 2, 2));
        Drag({1, 1}, {5, 2});  // grab inside the selection
        QCOMPARE(Map(picture())[1], QString(".........."));
        QCOMPARE(Map(picture())[2], QString(".....G...."));
        QCOMPARE(Map(picture())[3], QString("......G..."));
        QCOMPARE(canvas()->selection(), QRect(5, 2, 2, 2));
        window_->undoAction()->trigger();
        QCOMPARE(Map(picture())[1], QString(".G........"));
        QCOMPARE(Map(picture())[2], QString("..G......."));

        Drag({0, 0}, {1, 1});  // a new selection over the first LED only
        QTest::keyClick(canvas(), Qt::Key_Delete);
        QCOMPARE(Map(picture())[1], QString(".........."));
        QCOMPARE(Map(picture())[2], QString("..G......."));
        QTest::keyClick(canvas(), Qt::Key_Escape);
        QVERIFY(canvas()->selection().isEmpty());
    }

    void textStampIsAliasedInTheChosenColour()
    {
        window_->NewPicture(40, 12);
        UseColour(3);
        window_->stampTextEdit()->setText("Hi");
        Use(Tool::Text);
        Click({5, 0});
        const QStringList map = Map(picture());
        int lit = 0;
        for (const QString& row : map) {
            QVERIFY2(!row.contains('?') && !row.contains('R') && !row.contains('G'), qPrintable(row));
            QVERIFY(row.left(5) == ".....");
            lit += row.count('Y');
        }
        QVERIFY(lit > 6);
        window_->undoAction()->trigger();
        QCOMPARE(Map(picture()), Map(NewSignPicture(40, 12)));
    }

    void savedBmpReadsBackThroughTheRenderersLoader()
    {
        UseColour(1);
        Click({0, 0});
        UseColour(2);
        Click({1, 0});
        UseColour(3);
        Click({2, 5});
        QVERIFY(window_->document().modified());
        QVERIFY(window_->isWindowModified());
        const QString bmp = Path("slot.bmp");
        QVERIFY(window_->SaveAs(bmp));
        QVERIFY(!window_->document().modified());
        QVERIFY(window_->windowTitle().startsWith("slot.bmp"));
        const QImage read = LoadPicture(bmp.toStdString());
        QCOMPARE(Map(read), Map(picture()));
        QCOMPARE(read.size(), QSize(10, 6));
        QFile file(bmp);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray header = file.read(54);
        QCOMPARE(header.left(2), QByteArray("BM"));
        QCOMPARE(int(header[28]), 32);  // bits per pixel, as the slot images

        const QString png = Path("slot.png");
        QVERIFY(window_->SaveAs(png));
        QCOMPARE(Map(LoadPicture(png.toStdString())), Map(picture()));

        QVERIFY(!window_->SaveAs(Path("no/such/folder/x.bmp")));
        QCOMPARE(reporter_.texts().back(), std::string("Cannot save \"x.bmp\": the file cannot be written."));
    }

    void signPictureOpensAsItIs()
    {
        QImage sign = NewSignPicture(5, 7);
        sign.setPixel(0, 0, kSignYellow);
        const QString path = Path("sign.bmp");
        QVERIFY(WriteBmp32(sign, path.toStdString()));
        window_->SetDialogRunner([](QDialog&) -> int { QTest::qFail("no import expected", __FILE__, __LINE__); return 0; });
        QVERIFY(window_->OpenFile(path));
        QCOMPARE(Map(picture()), Map(sign));
        QCOMPARE(window_->document().format(), (SignPictureFormat{7, SignColourKind::FourColour}));
        QVERIFY(!window_->document().modified());
    }

    void importFitsAndReducesWithTheDialogsChoices()
    {
        QImage photo(80, 60, QImage::Format_RGB32);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x) photo.setPixel(x, y, qRgb(x * 3, y * 4, 90));
        const QString path = Path("photo.png");
        QVERIFY(photo.save(path));
        int seen = 0;
        window_->SetDialogRunner([&seen](QDialog& dialog) {
            auto* import = qobject_cast<ImportDialog*>(&dialog);
            if (!import) return int(QDialog::Rejected);
            ++seen;
            // The current model's format is the default.
            if (import->format() != kColourSign) return int(QDialog::Rejected);
            import->rowsBox()->setCurrentIndex(import->rowsBox()->findData(16));
            import->reductionBox()->setCurrentIndex(1);
            import->thresholdSlider()->setValue(100);
            return import->result().size() == QSize(21, 16) ? int(QDialog::Accepted) : int(QDialog::Rejected);
        });
        QVERIFY(window_->OpenFile(path));
        QCOMPARE(seen, 1);
        QCOMPARE(picture().size(), QSize(21, 16));
        QCOMPARE(picture(), ImportForSign(photo, {16, SignColourKind::FourColour}, ColourReduction::Ordered, 100));
        QVERIFY(HasOnlySignColours(picture(), SignColourKind::FourColour));
        // Not saved anywhere yet, and the photo is not overwritten by Save.
        QVERIFY(window_->document().modified());
        QVERIFY(window_->document().filePath().isEmpty());

        window_->SetDialogRunner([](QDialog&) { return int(QDialog::Rejected); });
        const QImage before = picture();
        QVERIFY(!window_->OpenFile(path));
        QCOMPARE(picture(), before);
    }

    void filesThatWillNotLoadSayWhy_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QByteArray huge("BM");
        for (const std::uint32_t v : {54u, 0u, 54u, 40u, 60000u, 60000u})
            huge.append(reinterpret_cast<const char*>(&v), 4);
        huge.append("\x01\x00\x18\x00", 4).append(QByteArray(24, '\0'));
        QTest::newRow("text") << QByteArray("hello, not a picture\n")
                              << "Cannot open \"bad\": it is not a picture in a format this program reads (BMP, PNG, JPEG, GIF and others).";
        QTest::newRow("60000 x 60000") << huge
                                       << "Cannot open \"bad\": the picture is too large (at most 32768 pixels a side and 64 MB of pixels).";
        QImage small(30, 30, QImage::Format_RGB32);
        small.fill(Qt::red);
        QByteArray png;
        {
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            small.save(&buffer, "PNG");
        }
        QTest::newRow("truncated") << png.left(png.size() / 2)
                                   << "Cannot open \"bad\": the file is damaged or incomplete.";
    }
    void filesThatWillNotLoadSayWhy()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const QString path = Path("bad");
        QVERIFY(WriteFile(path, bytes));
        UseColour(1);
        Click({0, 0});
        const QImage before = picture();
        QVERIFY(!window_->OpenFile(path));
        QCOMPARE(QString::fromStdString(reporter_.texts().back()), message);
        QCOMPARE(picture(), before);  // the picture being edited is kept
        QVERIFY(!window_->OpenFile(Path("missing.png")));
        QCOMPARE(QString::fromStdString(reporter_.texts().back()), QString("Cannot open \"missing.png\": there is no such file."));
        QVERIFY(!window_->OpenFile(folder_.path()));
        QVERIFY(QString::fromStdString(reporter_.texts().back()).endsWith(": it is not an ordinary file."));
    }

    void unsavedChangesAskBeforeClosing()
    {
        Click({0, 0});
        QStringList asked;
        QMessageBox::StandardButton answer = QMessageBox::Cancel;
        window_->SetSaveQuestion([&](QWidget*, const QString& text) {
            asked << text;
            return answer;
        });
        QVERIFY(!window_->close());
        QVERIFY(window_->isVisible());
        QCOMPARE(asked, QStringList{"Save the changes to the new picture?"});

        const QString path = Path("kept.bmp");
        QVERIFY(window_->SaveAs(path));
        Click({1, 0});
        answer = QMessageBox::Save;
        QVERIFY(window_->close());
        QCOMPARE(asked.last(), QString("Save the changes to kept.bmp?"));
        QCOMPARE(Map(LoadPicture(path.toStdString()))[0], Map(picture())[0]);

        window_->show();
        QVERIFY(window_->close());  // saved: nothing to ask
        QCOMPARE(asked.size(), 2);
    }

    void resizeCanvasKeepsTheTopLeft()
    {
        UseColour(1);
        Click({9, 5});
        Click({0, 0});
        window_->ResizeCanvas({12, 7});
        QCOMPARE(picture().size(), QSize(12, 7));
        QCOMPARE(Map(picture())[5], QString(".........R.."));
        window_->ResizeCanvas({3, 2});
        QCOMPARE(Map(picture()), QStringList({"R..", "..."}));
        window_->undoAction()->trigger();
        QCOMPARE(picture().size(), QSize(12, 7));
    }

    void zoomScalesTheGridAndClicksFollow()
    {
        const int before = canvas()->zoom();
        for (QAction* action : window_->findChildren<QAction*>())
            if (action->shortcut() == QKeySequence(QKeySequence::ZoomIn)) action->trigger();
        QCOMPARE(canvas()->zoom(), before + 4);
        QCOMPARE(canvas()->size(), QSize(10, 6) * (before + 4));
        canvas()->SetZoom(1000);
        QCOMPARE(canvas()->zoom(), LedCanvas::kMaxZoom);
        UseColour(2);
        Click({7, 4});
        QCOMPARE(Map(picture())[4], QString(".......G.."));
    }

    void ledsArePaintedInTheirColourAndOnlyWhereExposed()
    {
        QImage picture = NewSignPicture(3, 1);
        picture.setPixel(0, 0, kSignRed);
        picture.setPixel(2, 0, kSignGreen);
        QImage whole(30, 10, QImage::Format_ARGB32);
        whole.fill(Qt::white);
        QImage part = whole;
        {
            QPainter painter(&whole);
            PaintLeds(painter, picture, 10);
        }
        {
            QPainter painter(&part);
            PaintLeds(painter, picture, 10, {}, QRect(20, 0, 10, 10));
        }
        QCOMPARE(whole.pixel(5, 5), kSignRed);
        QVERIFY(whole.pixel(15, 5) != kSignBlack && whole.pixel(15, 5) != 0xFFFFFFFFu);  // unlit, yet visible
        QCOMPARE(whole.pixel(25, 5), kSignGreen);
        QCOMPARE(part.pixel(5, 5), 0xFFFFFFFFu);
        QCOMPARE(part.pixel(15, 5), 0xFFFFFFFFu);
        QCOMPARE(part.pixel(25, 5), kSignGreen);
    }

    void singleColourSignsOfferOnlyLitAndUnlit()
    {
        ImageEditorWindow single({7, SignColourKind::SingleColour}, reporter_);
        single.show();
        QVERIFY(single.colourActions()[0]->isVisible());
        QVERIFY(single.colourActions()[1]->isVisible());
        QVERIFY(!single.colourActions()[2]->isVisible());
        QVERIFY(!single.colourActions()[3]->isVisible());
        QCOMPARE(single.document().picture().height(), 7);
        QCOMPARE(single.canvas()->colour(), kSignRed);
    }

    void startupReadsTheProgramFolder()
    {
        QCOMPARE(MainExecutableFolderOf("/opt/lumitag/Tools"), std::filesystem::path("/opt/lumitag"));
        QCOMPARE(MainExecutableFolderOf("/opt/lumitag/tools"), std::filesystem::path("/opt/lumitag"));
        QCOMPARE(MainExecutableFolderOf("/usr/libexec/lumitag"), std::filesystem::path("/usr/bin"));
        QCOMPARE(MainExecutableFolderOf("/opt/lumitag"), std::filesystem::path("/opt/lumitag"));

        // Where the main program reads its settings: a build tree, an
        // installed program, --home.
        const std::filesystem::path root = Path("layouts").toStdString();
        std::filesystem::create_directories(root / "tree" / "Data");
        std::filesystem::create_directories(root / "usr" / "share" / "lumitag" / "Data");
        const UserEnvironment user{(root / "xdg").string(), "/nonexistent"};
        QCOMPARE(FoldersOf(root / "tree" / "Tools", "", user).program, root / "tree");
        const ProgramFolders installed = FoldersOf(root / "usr" / "libexec" / "lumitag", "", user);
        QCOMPARE(installed.program, root / "xdg" / "lumitag");
        QCOMPARE(installed.tools, root / "usr" / "libexec" / "lumitag");
        QCOMPARE(FoldersOf(root / "usr" / "libexec" / "lumitag", "/my/home", user).program,
                 std::filesystem::path("/my/home"));

        const std::filesystem::path home = Path("home").toStdString();
        QCOMPARE(FormatFromSettings(home), (SignPictureFormat{12, SignColourKind::SingleColour}));
        std::filesystem::create_directories(home / "WorkData");
        SettingsStore settings(home / "WorkData" / "System.set");
        QVERIFY(settings.SetLedType("Q30"));
        QCOMPARE(FormatFromSettings(home), (SignPictureFormat{16, SignColourKind::FourColour}));
        QVERIFY(settings.SetLedType("Q01"));
        QCOMPARE(FormatFromSettings(home), (SignPictureFormat{7, SignColourKind::SingleColour}));

        const CommandLine plain = ParseCommandLine({"a.png"});
        QVERIFY(plain.error.empty() && plain.file == "a.png" && !plain.help);
        const CommandLine homed = ParseCommandLine({"--home", "/x", "--", "-odd.png"});
        QVERIFY(homed.error.empty() && homed.home == std::filesystem::path("/x") && homed.file == "-odd.png");
        QCOMPARE(ParseCommandLine({"--home"}).error, std::string("--home needs a folder"));
        QCOMPARE(ParseCommandLine({"--frob"}).error, std::string("unknown option --frob"));
        QCOMPARE(ParseCommandLine({"a", "b"}).error, std::string("only one picture can be opened"));
    }

    // The executable sits where the main window's "Bmp editor" starts it.
    void executableAnswersHelpFromTools()
    {
        QProcess process;
        process.start(QStringLiteral(LUMITAG_PROGRAM_DIR "/Tools/imagedit"), {"--help"});
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(process.readAllStandardOutput().startsWith("Usage: imagedit [--home DIR] [PICTURE]"));
        process.start(QStringLiteral(LUMITAG_PROGRAM_DIR "/Tools/imagedit"), {"--nonsense"});
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(process.readAllStandardError().contains("unknown option --nonsense"));
    }

    // For review: the window and the import dialog, left to right and right
    // to left.
    void rendersScreens()
    {
        QDir().mkpath(LUMITAG_SCREENS_DIR);
        const QImage photo = SamplePhoto({90, 60});
        for (const auto& [language, suffix] : {std::pair{3, "en"}, std::pair{13, "ar"}}) {
            ui::ApplyLanguageDirection(language);
            ImageEditorWindow window({16, SignColourKind::FourColour}, reporter_);
            window.canvas()->SetZoom(14);
            ShowSamplePicture(window);
            QVERIFY(window.document().picture().width() > 30);
            QVERIFY(HasOnlySignColours(window.document().picture(), SignColourKind::FourColour));
            QVERIFY(ui::SaveWindowPng(&window, QStringLiteral(LUMITAG_SCREENS_DIR "/imagedit-%1.png").arg(suffix)));
            ImportDialog import(photo, {12, SignColourKind::FourColour}, &window);
            QVERIFY(ui::SaveWindowPng(&import, QStringLiteral(LUMITAG_SCREENS_DIR "/imagedit-import-%1.png").arg(suffix)));
            window.SetSaveQuestion([](QWidget*, const QString&) { return QMessageBox::Discard; });
        }
        ui::ApplyLanguageDirection(3);
    }
};

QTEST_MAIN(ImageEditorTest)
#include "ImageEditorTest.moc"
