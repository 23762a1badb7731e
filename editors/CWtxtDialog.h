#pragma once
// The bitmap-font text editor (template 240) of the models that show text in
// the program's own glyph fonts: glyph codes typed in a chosen font and
// colour, symbols from a row of pictures or the symbol picker, a preview.

#include <QDialog>

#include <cstdint>
#include <functional>
#include <vector>

#include "editors/EditorResult.h"
#include "service/SlotEditing.h"

class QComboBox;
class QToolButton;

namespace lumitag::editors {

class CDialogFace;
class CEditWnd;
class CSmallIconComboBox;
class PreviewView;
class SlotAccess;

class CWtxtDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTemplate = 240;

    CWtxtDialog(SlotAccess& access, int slot, QWidget* parent = nullptr);

    bool ContentEmpty() const { return contentEmpty_; }
    bool Stored() const { return stored_; }

    EditorResult Result() const;

    CEditWnd* Edit() const { return edit_; }
    QComboBox* FontList() const { return fonts_; }
    CSmallIconComboBox* ColourList() const { return colours_; }
    QToolButton* PickerButton() const { return picker_; }
    PreviewView* Preview() const { return preview_; }

    // Runs the symbol picker (modal in the program; tests drive it).
    using PickerRunner = std::function<void(CDialogFace&)>;
    void SetPickerRunner(PickerRunner runner) { pickerRunner_ = std::move(runner); }
    void OpenPicker();

    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildLayout();
    void LoadSlot();
    void ChooseFont(int index);

    SlotAccess& access_;
    int slot_;
    service::ModelRules rules_;
    bool contentEmpty_ = false;
    bool stored_ = false;
    PickerRunner pickerRunner_;

    CEditWnd* edit_ = nullptr;
    QComboBox* fonts_ = nullptr;
    CSmallIconComboBox* colours_ = nullptr;
    QToolButton* picker_ = nullptr;
    PreviewView* preview_ = nullptr;
};


}  // namespace lumitag::editors
