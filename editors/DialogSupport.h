#pragma once
// What every editor dialog does the same way: control identifiers that the
// language packs key on, relabelling from the current pack, the dialogs'
// light background, and our artwork.

#include <QIcon>
#include <QString>

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

}  // namespace lumitag::editors
