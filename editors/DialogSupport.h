#pragma once
// What every editor dialog does the same way: control identifiers that the
// language packs key on, relabelling from the current pack, the dialogs'
// light background, and our artwork.

#include <QIcon>
#include <QString>

class QCheckBox;
class QDialog;
class QPushButton;
class QWidget;

namespace lumitag::editors {

// Gives `widget` the control identifier of its dialog template.
void Identify(QWidget* widget, int controlId);
int IdentifierOf(const QWidget* widget);
// The child of `root` with `controlId`, or null.
QWidget* FindControl(QWidget* root, int controlId);

// Title and control texts of dialog `dialogId` from the current language
// pack; with `tooltips`, each relabelled control shows its text as a tip.
void Relabel(QWidget* root, int dialogId, bool tooltips);

// The dialogs' light background.
void PrepareDialog(QWidget* dialog);

// One of the editors' SVG pictures (editors/art).
QIcon EditorIcon(const QString& name);

// Every editor's frame: its preview above, the editing group below, and OK
// (control 1, the default button) and Cancel (2) at the bottom.
struct OkCancel {
    QPushButton* ok;
    QPushButton* cancel;
};
OkCancel LayOutEditor(QDialog* dialog, QWidget* previewBox, QWidget* editBox);

class OffsetControl;
class PreviewView;
class SlotAccess;
// The right-to-left box and the offset list of the text editors change the
// slot's flag at once and show it in the preview.
void FollowLayoutControls(QDialog* dialog, QCheckBox* arabic, OffsetControl* offset, SlotAccess& access, int slot,
                          PreviewView* preview);

}  // namespace lumitag::editors
