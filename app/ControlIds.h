#pragma once
// Control identifiers on widgets: the language packs key the texts of a
// window's controls by them ("IDD<dialog>_<id>"), and tests find controls
// by them.

#include <QString>
#include <QWidget>

namespace lumitag::app {

void SetControlId(QWidget* widget, int id);
// 0 when the widget has none.
int ControlId(const QWidget* widget);
// The child of `root` with control id `id`, or null.
QWidget* FindControl(const QWidget* root, int id);
template <class T>
T* FindControlAs(const QWidget* root, int id)
{
    return qobject_cast<T*>(FindControl(root, id));
}

// Sets the title from "IDD<dialog>_title" and each child's text (and, when
// `tooltips`, its tooltip) from "IDD<dialog>_<id>" of the current pack;
// anything the pack lacks keeps its text.
void ApplyDialogTexts(QWidget* root, int dialog, bool tooltips);

// The light background every window of the program paints.
void ApplyDialogBackground(QWidget* widget);

}  // namespace lumitag::app
