#pragma once
// Windows are relabelled from the current language pack by the numbers the
// packs key on: "IDD<dialog>_title" for the title, "IDD<dialog>_<control>"
// for a control. A widget carries its control number as a property, so
// layouts stay free to order and nest the widgets as they like.

class QWidget;

namespace lumitag::ui {

void SetControlId(QWidget* widget, int id);
// 0 when the widget has none.
int ControlId(const QWidget* widget);

// Sets the title and the text of every child with a control number that the
// pack gives a non-empty text for; the others keep their own text.
void ApplyDialogTexts(QWidget* root, int dialogId);

}  // namespace lumitag::ui
