#pragma once
// The image editor (template 164): an ordered list of picture files drawn
// side by side, with Add, Del, Up and Down, a view of the selected file and
// a preview of the slot.

#include <QDialog>

#include <functional>

#include "editors/EditorResult.h"
#include "service/SlotEditing.h"

class QListWidget;

namespace lumitag::editors {

class CPicWnd;
class PreviewView;
class SlotAccess;

class CDialogImg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTemplate = 164;

    CDialogImg(SlotAccess& access, int slot, QWidget* parent = nullptr);

    // Chooses the file Add appends; an empty path adds nothing. The system's
    // file dialog by default.
    using FileChooser = std::function<QString(QWidget* parent)>;
    void SetFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

    bool ContentEmpty() const { return contentEmpty_; }
    bool Stored() const { return stored_; }

    EditorResult Result() const;

    QListWidget* List() const { return list_; }
    CPicWnd* Picture() const { return picture_; }
    PreviewView* Preview() const { return preview_; }

    void Add();
    void Delete();
    void MoveUp();
    void MoveDown();
    void accept() override;

private:
    void BuildLayout();
    void LoadSlot();
    void RebuildPreview();
    void ShowSelected();

    SlotAccess& access_;
    int slot_;
    service::ModelRules rules_;
    bool contentEmpty_ = false;
    bool stored_ = false;
    FileChooser chooser_;

    QListWidget* list_ = nullptr;
    CPicWnd* picture_ = nullptr;
    PreviewView* preview_ = nullptr;
};

// The filter of Add: the picture kinds the renderer reads.
QString PictureFileFilter();

}  // namespace lumitag::editors
