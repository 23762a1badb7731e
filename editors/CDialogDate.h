#pragma once
// The date editor (template 165): a live date/time item with a short text.
// The six format switches are shown, so the user chooses what the sign
// shows; the format sample and the preview follow them live.

#include <QDialog>
#include <QTimer>

#include <array>

#include "editors/EditorResult.h"
#include "render/content/FormattedText.h"
#include "service/SlotEditing.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace lumitag::editors {

class CAutoRichEditCtrl;
class OffsetControl;
class PreviewView;
class SlotAccess;
class TextFormatControls;

class CDialogDate : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTemplate = 165;
    static constexpr int kFirstSwitchId = 20030;

    CDialogDate(SlotAccess& access, int slot, QWidget* parent = nullptr);

    // Never set: a date item is never empty content.
    bool ContentEmpty() const { return false; }
    bool Stored() const { return stored_; }

    EditorResult Result() const;
    std::string PreviewContent() const;
    std::array<bool, 6> Switches() const;

    CAutoRichEditCtrl* Edit() const { return edit_; }
    TextFormatControls* Formatting() const { return formatting_; }
    OffsetControl* Offset() const { return offset_; }
    PreviewView* Preview() const { return preview_; }
    QLineEdit* Sample() const { return sample_; }
    QCheckBox* Switch(int part) const { return switches_[part]; }
    QLabel* Counter() const { return counter_; }

    // The format sample at `now` (null: the local time is unavailable).
    void RefreshSample(const std::tm* now);

    void accept() override;

private:
    void BuildLayout();
    void LoadSlot();
    void OnTextChanged();
    void Tick();

    SlotAccess& access_;
    int slot_;
    service::ModelRules rules_;
    bool asciiOnly_;
    CharFormat defaultFormat_;
    bool stored_ = false;
    QTimer timer_;

    CAutoRichEditCtrl* edit_ = nullptr;
    TextFormatControls* formatting_ = nullptr;
    OffsetControl* offset_ = nullptr;
    PreviewView* preview_ = nullptr;
    QLineEdit* sample_ = nullptr;
    QLabel* counter_ = nullptr;
    QCheckBox* arabic_ = nullptr;
    std::array<QCheckBox*, 6> switches_{};
};

}  // namespace lumitag::editors
