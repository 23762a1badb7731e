#include "ui/DialogStyle.h"

#include <QPalette>
#include <QWidget>

namespace lumitag::ui {

void ApplyDialogBackground(QWidget* dialog)
{
    QPalette palette = dialog->palette();
    palette.setColor(QPalette::Window, kDialogBackground);
    dialog->setPalette(palette);
    dialog->setAutoFillBackground(true);
}

}  // namespace lumitag::ui
