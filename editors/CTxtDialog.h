#pragma once
// The text editor (template 140): formatted text for most models, plain
// ASCII text for the 7-row signs, with animation symbols, the slot's offset
// and Arabic flag, and a live preview of the slot.

#include <QDialog>

#include "editors/EditorRules.h"
#include "editors/EditorResult.h"
#include "render/content/FormattedText.h"
#include "service/SlotEditing.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace lumitag::editors {

class CAutoRichEditCtrl;
class OffsetControl;
class PreviewView;
class SlotAccess;
class SymbolPictures;
class TextFormatControls;

class CTxtDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTemplate = 140;

    CTxtDialog(SlotAccess& access, int slot, QWidget* parent = nullptr);

    // Set by OK when the trimmed text is empty.
    bool ContentEmpty() const { return contentEmpty_; }
    // False when OK could not store the content.
    bool Stored() const { return stored_; }

    // What OK stores, and the content string the preview shows.
    EditorResult Result() const;
    std::string PreviewContent() const;

    CAutoRichEditCtrl* Edit() const { return edit_; }
    TextFormatControls* Formatting() const { return formatting_; }
    OffsetControl* Offset() const { return offset_; }
    PreviewView* Preview() const { return preview_; }
    QLabel* Counter() const { return counter_; }
    QCheckBox* Arabic() const { return arabic_; }

    // A click on symbol picture `controlId`.
    void InsertSymbol(int controlId);

    void accept() override;

private:
    void BuildLayout();
    void LoadSlot();
    void OnTextChanged();
    int TextLength() const;

    SlotAccess& access_;
    int slot_;
    service::ModelRules rules_;
    bool asciiOnly_;
    CharFormat defaultFormat_;
    bool contentEmpty_ = false;
    bool stored_ = false;

    CAutoRichEditCtrl* edit_ = nullptr;
    TextFormatControls* formatting_ = nullptr;
    OffsetControl* offset_ = nullptr;
    PreviewView* preview_ = nullptr;
    QLabel* counter_ = nullptr;
    QCheckBox* arabic_ = nullptr;
    SymbolPictures* rowA_ = nullptr;
    SymbolPictures* rowsB_ = nullptr;
};

}  // namespace lumitag::editors
