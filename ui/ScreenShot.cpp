#include "ui/ScreenShot.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace lumitag::ui {

bool SaveWindowPng(QWidget* window, const QString& path)
{
    window->show();
    window->adjustSize();
    QCoreApplication::processEvents();
    return window->grab().save(path, "PNG");
}

}  // namespace lumitag::ui
