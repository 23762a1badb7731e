#pragma once
// A picture for looking at the editor without a user: a photo-like colour
// field imported and a word stamped on it, the way a user would make one.
// Used by the screen renderer and the tests.

#include <QImage>
#include <QSize>

namespace lumitag::imagedit {

class ImageEditorWindow;

// A smooth field of colours, as a camera picture has.
QImage SamplePhoto(QSize size);

// Fills the window's picture with the imported sample photo and "LED"
// stamped beside it, as undoable edits.
void ShowSamplePicture(ImageEditorWindow& window);

}  // namespace lumitag::imagedit
