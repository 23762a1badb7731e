#include "imagedit/ImageEditorWindow.h"

#include "imagedit/ImportDialog.h"
#include "model/Reporter.h"
#include "render/PictureLoader.h"
#include "render/SignPictureEdit.h"
#include "ui/Art.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QScrollArea>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>

namespace lumitag::imagedit {
namespace {

const char* const kOpenFilter = QT_TRANSLATE_NOOP(
    "ImageEditorWindow", "Pictures (*.bmp *.png *.jpg *.jpeg *.gif *.webp *.ppm *.pgm *.pbm *.xpm *.ico);;All files (*)");
const char* const kSaveFilter = QT_TRANSLATE_NOOP("ImageEditorWindow", "BMP for image slots (*.bmp);;PNG (*.png)");

struct ToolInfo {
    Tool tool;
    const char* art;
    const char* label;
    const char* shortcut;
};

constexpr ToolInfo kTools[] = {
    {Tool::Pencil, "imagedit-pencil", QT_TRANSLATE_NOOP("ImageEditorWindow", "Pencil"), "P"},
    {Tool::Eraser, "imagedit-eraser", QT_TRANSLATE_NOOP("ImageEditorWindow", "Eraser"), "E"},
    {Tool::Line, "imagedit-line", QT_TRANSLATE_NOOP("ImageEditorWindow", "Line"), "L"},
    {Tool::Rectangle, "imagedit-rectangle", QT_TRANSLATE_NOOP("ImageEditorWindow", "Rectangle"), "R"},
    {Tool::Fill, "imagedit-fill", QT_TRANSLATE_NOOP("ImageEditorWindow", "Fill"), "F"},
    {Tool::Select, "imagedit-select", QT_TRANSLATE_NOOP("ImageEditorWindow", "Select and move"), "S"},
    {Tool::Text, "imagedit-text", QT_TRANSLATE_NOOP("ImageEditorWindow", "Text"), "T"},
};

QString ColourName(QRgb colour)
{
    switch (colour) {
    case kSignRed: return ImageEditorWindow::tr("Red");
    case kSignGreen: return ImageEditorWindow::tr("Green");
    case kSignYellow: return ImageEditorWindow::tr("Yellow");
    default: return ImageEditorWindow::tr("Black (unlit)");
    }
}

// A round LED of the colour, as the grid shows it.
QIcon Swatch(QRgb colour)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 2));
    painter.setBrush(QColor::fromRgba(colour == kSignBlack ? 0xFF2A2A2Au : colour));
    painter.drawEllipse(QRectF(3, 3, 26, 26));
    return QIcon(pixmap);
}

int ExecDialog(QDialog& dialog) { return dialog.exec(); }

QMessageBox::StandardButton AskSaveBox(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, QApplication::applicationDisplayName(), text,
                                 QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                 QMessageBox::Save);
}

// Opened as it is when it is already a sign picture.
bool IsSignPicture(const QImage& picture)
{
    return picture.height() <= kMaxSignPictureRows && picture.width() <= kMaxSignPictureWidth &&
           HasOnlySignColours(picture, SignColourKind::FourColour);
}

}  // namespace

QString LoadErrorText(const QString& path, PictureLoadError error)
{
    const QString name = QFileInfo(path).fileName();
    switch (error) {
    case PictureLoadError::NotFound:
        return ImageEditorWindow::tr("Cannot open \"%1\": there is no such file.").arg(name);
    case PictureLoadError::NotAFile:
        return ImageEditorWindow::tr("Cannot open \"%1\": it is not an ordinary file.").arg(name);
    case PictureLoadError::UnsupportedFormat:
        return ImageEditorWindow::tr("Cannot open \"%1\": it is not a picture in a format this program reads "
                                     "(BMP, PNG, JPEG, GIF and others).")
            .arg(name);
    case PictureLoadError::TooLarge:
        return ImageEditorWindow::tr("Cannot open \"%1\": the picture is too large (at most %2 pixels a side "
                                     "and %3 MB of pixels).")
            .arg(name)
            .arg(kMaxPictureSide)
            .arg(kPictureAllocationLimitMB);
    case PictureLoadError::Damaged:
        return ImageEditorWindow::tr("Cannot open \"%1\": the file is damaged or incomplete.").arg(name);
    case PictureLoadError::None: break;
    }
    return {};
}

ImageEditorWindow::ImageEditorWindow(SignPictureFormat format, Reporter& reporter, QWidget* parent)
    : QMainWindow(parent),
      defaultFormat_(format),
      reporter_(reporter),
      document_(format),
      runDialog_(ExecDialog),
      askSave_(AskSaveBox)
{
    setObjectName("ImageEditorWindow");
    canvas_ = new LedCanvas(document_, this);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(canvas_);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setLayoutDirection(Qt::LeftToRight);
    scroll_->setBackgroundRole(QPalette::Dark);
    setCentralWidget(scroll_);
    status_ = new QLabel(this);
    statusBar()->addWidget(status_, 1);

    BuildActions();
    BuildToolBars();
    BuildMenus();

    connect(&document_, &PictureDocument::stateChanged, this, &ImageEditorWindow::UpdateTitle);
    connect(&document_, &PictureDocument::pictureChanged, this, &ImageEditorWindow::UpdateStatus);
    connect(canvas_, &LedCanvas::zoomChanged, this, &ImageEditorWindow::UpdateStatus);
    NewPicture(format.rows * 4, format.rows);
    // Wide enough for the tool bars and a short sign picture at the default zoom.
    resize(sizeHint().expandedTo(QSize(980, 480)));
}

void ImageEditorWindow::BuildActions()
{
    newAction_ = new QAction(ui::ArtIcon("imagedit-new"), tr("&New..."), this);
    newAction_->setShortcut(QKeySequence::New);
    connect(newAction_, &QAction::triggered, this, &ImageEditorWindow::ChooseNew);
    openAction_ = new QAction(ui::ArtIcon("imagedit-open"), tr("&Open or import..."), this);
    openAction_->setShortcut(QKeySequence::Open);
    connect(openAction_, &QAction::triggered, this, &ImageEditorWindow::ChooseOpen);
    saveAction_ = new QAction(ui::ArtIcon("imagedit-save"), tr("&Save"), this);
    saveAction_->setShortcut(QKeySequence::Save);
    connect(saveAction_, &QAction::triggered, this, &ImageEditorWindow::ChooseSave);
    saveAsAction_ = new QAction(tr("Save &as..."), this);
    saveAsAction_->setShortcut(QKeySequence::SaveAs);
    connect(saveAsAction_, &QAction::triggered, this, &ImageEditorWindow::ChooseSaveAs);
    resizeAction_ = new QAction(tr("&Resize canvas..."), this);
    connect(resizeAction_, &QAction::triggered, this, &ImageEditorWindow::ChooseResize);

    undo_ = document_.history().createUndoAction(this, tr("&Undo"));
    undo_->setIcon(ui::ArtIcon("imagedit-undo"));
    undo_->setShortcut(QKeySequence::Undo);
    redo_ = document_.history().createRedoAction(this, tr("&Redo"));
    redo_->setIcon(ui::ArtIcon("imagedit-redo"));
    redo_->setShortcut(QKeySequence::Redo);

    zoomIn_ = new QAction(ui::ArtIcon("imagedit-zoom-in"), tr("Zoom &in"), this);
    zoomIn_->setShortcut(QKeySequence::ZoomIn);
    connect(zoomIn_, &QAction::triggered, this, [this] { canvas_->SetZoom(canvas_->zoom() + 4); });
    zoomOut_ = new QAction(ui::ArtIcon("imagedit-zoom-out"), tr("Zoom &out"), this);
    zoomOut_->setShortcut(QKeySequence::ZoomOut);
    connect(zoomOut_, &QAction::triggered, this, [this] { canvas_->SetZoom(canvas_->zoom() - 4); });

    auto* tools = new QActionGroup(this);
    for (const ToolInfo& info : kTools) {
        auto* action = new QAction(ui::ArtIcon(info.art), tr(info.label), tools);
        action->setCheckable(true);
        action->setShortcut(QKeySequence(info.shortcut));
        action->setToolTip(QStringLiteral("%1 (%2)").arg(tr(info.label), info.shortcut));
        const Tool tool = info.tool;
        connect(action, &QAction::triggered, this, [this, tool] { canvas_->SetTool(tool); });
        toolActions_[tool] = action;
    }
    toolActions_[Tool::Pencil]->setChecked(true);

    auto* colours = new QActionGroup(this);
    for (const QRgb colour : SignPalette(SignColourKind::FourColour)) {
        auto* action = new QAction(Swatch(colour), ColourName(colour), colours);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, colour] { canvas_->SetColour(colour); });
        colourActions_.push_back(action);
    }
}

void ImageEditorWindow::BuildToolBars()
{
    QToolBar* file = addToolBar(tr("File"));
    file->setObjectName("fileBar");
    file->addActions({newAction_, openAction_, saveAction_});
    file->addSeparator();
    file->addActions({undo_, redo_});
    file->addSeparator();
    file->addActions({zoomOut_, zoomIn_});
    file->addSeparator();
    for (QAction* action : colourActions_) file->addAction(action);

    // Down the side, as paint programs keep them.
    auto* tools = new QToolBar(tr("Tools"), this);
    tools->setObjectName("toolBar");
    for (const ToolInfo& info : kTools) tools->addAction(toolActions_[info.tool]);
    addToolBar(Qt::LeftToolBarArea, tools);

    addToolBarBreak();
    QToolBar* text = addToolBar(tr("Text"));
    text->setObjectName("textBar");
    stampText_ = new QLineEdit(tr("Hello"), text);
    stampText_->setObjectName("stampText");
    stampText_->setPlaceholderText(tr("Text to stamp"));
    stampFont_ = new QFontComboBox(text);
    stampFont_->setObjectName("stampFont");
    stampFont_->setCurrentFont(QFont(QStringLiteral("Liberation Sans")));
    stampHeight_ = new QSpinBox(text);
    stampHeight_->setObjectName("stampHeight");
    stampHeight_->setRange(1, kMaxSignPictureRows);
    stampHeight_->setSuffix(tr(" px"));
    stampBold_ = new QCheckBox(tr("Bold"), text);
    text->addWidget(new QLabel(tr("Text:"), text));
    text->addWidget(stampText_);
    text->addWidget(stampFont_);
    text->addWidget(stampHeight_);
    text->addWidget(stampBold_);
    connect(stampText_, &QLineEdit::textChanged, this, &ImageEditorWindow::UpdateStamp);
    connect(stampFont_, &QFontComboBox::currentFontChanged, this, &ImageEditorWindow::UpdateStamp);
    connect(stampHeight_, &QSpinBox::valueChanged, this, &ImageEditorWindow::UpdateStamp);
    connect(stampBold_, &QCheckBox::toggled, this, &ImageEditorWindow::UpdateStamp);
}

void ImageEditorWindow::BuildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addActions({newAction_, openAction_, saveAction_, saveAsAction_});
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addActions({undo_, redo_});
    edit->addSeparator();
    edit->addAction(resizeAction_);
    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    for (const ToolInfo& info : kTools) tools->addAction(toolActions_[info.tool]);
    tools->addSeparator();
    for (QAction* action : colourActions_) tools->addAction(action);
    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->addActions({zoomIn_, zoomOut_});
}

void ImageEditorWindow::UpdateTitle()
{
    const QString path = document_.filePath();
    setWindowTitle(QStringLiteral("%1[*] - imagedit").arg(path.isEmpty() ? tr("Untitled") : QFileInfo(path).fileName()));
    setWindowModified(document_.modified());
}

// The colours offered are the ones the picture's sign shows.
void ImageEditorWindow::UpdateColours()
{
    const auto palette = SignPalette(document_.format().colours);
    QAction* current = nullptr;
    for (std::size_t i = 0; i < colourActions_.size(); ++i) {
        QAction* action = colourActions_[i];
        const QRgb colour = SignPalette(SignColourKind::FourColour)[i];
        const bool offered = std::find(palette.begin(), palette.end(), colour) != palette.end();
        action->setVisible(offered);
        if (offered && colour == canvas_->colour()) current = action;
    }
    if (!current) {
        current = colourActions_[1];
        canvas_->SetColour(kSignRed);
    }
    current->setChecked(true);
}

void ImageEditorWindow::UpdateStamp()
{
    canvas_->SetTextStamp({stampText_->text(), stampFont_->currentFont().family(), stampHeight_->value(),
                           stampBold_->isChecked()});
}

void ImageEditorWindow::UpdateStatus()
{
    const QImage& picture = document_.picture();
    status_->setText(tr("%1 x %2 LEDs, %3 · zoom %4")
                         .arg(picture.width())
                         .arg(picture.height())
                         .arg(document_.format().colours == SignColourKind::FourColour ? tr("red, green and yellow")
                                                                                       : tr("one colour"))
                         .arg(canvas_->zoom()));
}

void ImageEditorWindow::NewPicture(int width, int rows)
{
    document_.Reset(NewSignPicture(width, rows), {rows, defaultFormat_.colours}, {});
    stampHeight_->setValue(rows);
    UpdateColours();
    UpdateStamp();
    UpdateTitle();
}

bool ImageEditorWindow::OpenFile(const QString& path)
{
    const LoadedPicture loaded = LoadPictureWithReason(path.toStdString());
    if (loaded.error != PictureLoadError::None) {
        reporter_.Message(MessageKind::Error, LoadErrorText(path, loaded.error).toStdString());
        return false;
    }
    if (IsSignPicture(loaded.image)) {
        const bool colour = !HasOnlySignColours(loaded.image, SignColourKind::SingleColour);
        const SignColourKind kind = colour ? SignColourKind::FourColour : defaultFormat_.colours;
        document_.Reset(loaded.image, {loaded.image.height(), kind}, path);
    } else {
        ImportDialog dialog(loaded.image, defaultFormat_, this);
        if (runDialog_(dialog) != QDialog::Accepted) return false;
        // An imported picture has no file of its own yet: saving asks where.
        document_.Reset(dialog.result(), dialog.format(), {}, false);
    }
    stampHeight_->setValue(document_.picture().height());
    UpdateColours();
    UpdateTitle();
    UpdateStatus();
    return true;
}

void ImageEditorWindow::ResizeCanvas(QSize size)
{
    document_.Apply(tr("Resize canvas"), lumitag::ResizeCanvas(document_.picture(), size));
}

bool ImageEditorWindow::SaveAs(const QString& path)
{
    if (document_.SaveTo(path)) return true;
    reporter_.Message(MessageKind::Error,
                      tr("Cannot save \"%1\": the file cannot be written.").arg(QFileInfo(path).fileName()).toStdString());
    return false;
}

bool ImageEditorWindow::MayDiscard()
{
    if (!document_.modified()) return true;
    const QString name =
        document_.filePath().isEmpty() ? tr("the new picture") : QFileInfo(document_.filePath()).fileName();
    switch (askSave_(this, tr("Save the changes to %1?").arg(name))) {
    case QMessageBox::Save: return ChooseSave();
    case QMessageBox::Discard: return true;
    default: return false;
    }
}

void ImageEditorWindow::closeEvent(QCloseEvent* event)
{
    if (MayDiscard())
        event->accept();
    else
        event->ignore();
}

void ImageEditorWindow::ChooseNew()
{
    if (!MayDiscard()) return;
    QSize size(defaultFormat_.rows * 4, defaultFormat_.rows);
    if (SizeDialog(tr("New picture"), size, kMaxSignPictureRows)) NewPicture(size.width(), size.height());
}

void ImageEditorWindow::ChooseOpen()
{
    if (!MayDiscard()) return;
    const QString path = QFileDialog::getOpenFileName(this, tr("Open or import a picture"), {}, tr(kOpenFilter));
    if (!path.isEmpty()) OpenFile(path);
}

bool ImageEditorWindow::ChooseSave()
{
    if (document_.filePath().isEmpty()) return ChooseSaveAs();
    return SaveAs(document_.filePath());
}

bool ImageEditorWindow::ChooseSaveAs()
{
    QString path = QFileDialog::getSaveFileName(this, tr("Save picture"), document_.filePath(), tr(kSaveFilter));
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".bmp");
    return SaveAs(path);
}

void ImageEditorWindow::ChooseResize()
{
    QSize size = document_.picture().size();
    if (SizeDialog(tr("Resize canvas"), size, kMaxSignPictureRows)) ResizeCanvas(size);
}

bool ImageEditorWindow::SizeDialog(const QString& title, QSize& size, int maxRows)
{
    QDialog dialog(this);
    dialog.setWindowTitle(title);
    auto* width = new QSpinBox(&dialog);
    width->setObjectName("width");
    width->setRange(1, kMaxSignPictureWidth);
    width->setValue(size.width());
    auto* rows = new QSpinBox(&dialog);
    rows->setObjectName("rows");
    rows->setRange(1, maxRows);
    rows->setValue(size.height());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout(&dialog);
    form->addRow(tr("Width (columns):"), width);
    form->addRow(tr("Rows:"), rows);
    form->addRow(buttons);
    if (runDialog_(dialog) != QDialog::Accepted) return false;
    size = QSize(width->value(), rows->value());
    return true;
}

}  // namespace lumitag::imagedit
