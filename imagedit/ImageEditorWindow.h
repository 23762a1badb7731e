#pragma once
// The picture editor's main window: a picture at the sign's size and
// colours, the drawing tools, undo and redo, new, open (with import for
// pictures the sign cannot show as they are), resize and save.

#include "imagedit/LedCanvas.h"
#include "imagedit/PictureDocument.h"
#include "render/SignPictureImport.h"

#include <QMainWindow>
#include <QMessageBox>

#include <functional>
#include <map>
#include <vector>

class QAction;
class QCheckBox;
class QDialog;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QScrollArea;
class QSpinBox;

namespace lumitag {
class Reporter;
}

namespace lumitag::imagedit {

class ImageEditorWindow : public QMainWindow {
    Q_OBJECT
public:
    // `format` is the current model's (rows and colours of new pictures and
    // of imports); `reporter` shows the error messages and must outlive the
    // window.
    ImageEditorWindow(SignPictureFormat format, Reporter& reporter, QWidget* parent = nullptr);

    // Runs a modal dialog and returns its result; tests drive the dialog
    // and accept it instead of waiting on exec().
    using DialogRunner = std::function<int(QDialog&)>;
    void SetDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }
    // Asks whether to save unsaved changes: Save, Discard or Cancel.
    using SaveQuestion = std::function<QMessageBox::StandardButton(QWidget*, const QString&)>;
    void SetSaveQuestion(SaveQuestion question) { askSave_ = std::move(question); }

    // Opens a picture file. A picture already made of the sign's colours and
    // no higher than the sign opens as it is; any other goes through the
    // import dialog. False (with a message) when it does not load, or when
    // the import is cancelled.
    bool OpenFile(const QString& path);
    // A black picture of `width` x `rows` with the default format's colours.
    void NewPicture(int width, int rows);
    void ResizeCanvas(QSize size);
    // Saves to `path`; the message says so when it cannot be written.
    bool SaveAs(const QString& path);
    // Asks about unsaved changes; true when the picture may be dropped.
    bool MayDiscard();

    PictureDocument& document() { return document_; }
    LedCanvas* canvas() const { return canvas_; }
    QAction* toolAction(Tool tool) const { return toolActions_.at(tool); }
    // The colour actions in palette order (black, red, green, yellow).
    const std::vector<QAction*>& colourActions() const { return colourActions_; }
    QAction* undoAction() const { return undo_; }
    QAction* redoAction() const { return redo_; }
    QLineEdit* stampTextEdit() const { return stampText_; }
    QFontComboBox* stampFontBox() const { return stampFont_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildActions();
    void BuildToolBars();
    void BuildMenus();
    void UpdateTitle();
    void UpdateColours();
    void UpdateStamp();
    void UpdateStatus();
    void ChooseNew();
    void ChooseOpen();
    bool ChooseSave();
    bool ChooseSaveAs();
    void ChooseResize();
    bool SizeDialog(const QString& title, QSize& size, int maxRows);

    SignPictureFormat defaultFormat_;
    Reporter& reporter_;
    PictureDocument document_;
    LedCanvas* canvas_;
    QScrollArea* scroll_;
    DialogRunner runDialog_;
    SaveQuestion askSave_;

    std::map<Tool, QAction*> toolActions_;
    std::vector<QAction*> colourActions_;
    QAction* newAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* resizeAction_ = nullptr;
    QAction* zoomIn_ = nullptr;
    QAction* zoomOut_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QFontComboBox* stampFont_ = nullptr;
    QSpinBox* stampHeight_ = nullptr;
    QCheckBox* stampBold_ = nullptr;
    QLineEdit* stampText_ = nullptr;
    QLabel* status_ = nullptr;
};

// The message for a picture file that did not load.
QString LoadErrorText(const QString& path, PictureLoadError error);

}  // namespace lumitag::imagedit
