#pragma once
// Every editor dialog opened on a sample slot, for review as PNG pictures.
// Used by lumitag-screens and lumitag-editor-screens.

#include <QDir>
#include <QString>

#include <functional>

class QWidget;

namespace lumitag::editors {

// Opens each editor on its sample program (its own session over the current
// program folder and throw-away project files) and hands it to `save` with
// the path "<out>/editor-<name>.png". False when a sample could not be made
// or `save` failed.
using SaveWindow = std::function<bool(QWidget* window, const QString& path)>;
bool SaveEditorScreens(const QDir& out, const SaveWindow& save);

}  // namespace lumitag::editors
