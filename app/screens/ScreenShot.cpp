#include "app/screens/ScreenShot.h"

#include <QApplication>
#include <QPixmap>

namespace lumitag::app {

bool SaveWindowPng(QWidget* window, const QString& path)
{
    window->show();
    window->resize(window->sizeHint().expandedTo(window->minimumSizeHint()));
    QApplication::processEvents();
    return window->grab().save(path, "PNG");
}

}  // namespace lumitag::app
