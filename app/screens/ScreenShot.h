#pragma once
#include <QString>
#include <QWidget>

namespace lumitag::app {
// Shows the window (offscreen), lays it out, grabs it and writes a PNG.
bool SaveWindowPng(QWidget* window, const QString& path);
}  // namespace lumitag::app
