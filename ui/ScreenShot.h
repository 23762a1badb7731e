#pragma once
// Renders a window as the user would see it, for review without a display.

class QWidget;
class QString;

namespace lumitag::ui {

// Shows the window (offscreen under the offscreen platform), lets its layout
// settle and writes what it paints to `path`. False when the PNG cannot be
// written.
bool SaveWindowPng(QWidget* window, const QString& path);

}  // namespace lumitag::ui
