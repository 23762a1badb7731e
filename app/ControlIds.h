#pragma once
// Finding controls by their identifier, and relabelling a window with its
// tooltips: the main window's buttons carry the pack's text as tooltip too.

#include <QWidget>

#include "ui/DialogStyle.h"
#include "ui/DialogTexts.h"

namespace lumitag::app {

using ui::ControlId;
using ui::SetControlId;
using ui::ApplyDialogBackground;

// The child of `root` with control id `id`, or null.
QWidget* FindControl(const QWidget* root, int id);
template <class T>
T* FindControlAs(const QWidget* root, int id)
{
    return qobject_cast<T*>(FindControl(root, id));
}

// ui::ApplyDialogTexts, and with `tooltips` each relabelled control's
// tooltip set to its new text.
void ApplyDialogTexts(QWidget* root, int dialog, bool tooltips);

}  // namespace lumitag::app
