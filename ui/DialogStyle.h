#pragma once
// Every dialog of the program paints its background in one light colour.

#include <QColor>

class QWidget;

namespace lumitag::ui {

inline const QColor kDialogBackground{240, 250, 255};

void ApplyDialogBackground(QWidget* dialog);

}  // namespace lumitag::ui
