#include "imagedit/SamplePicture.h"

#include "imagedit/ImageEditorWindow.h"
#include "render/SignPictureEdit.h"

#include <QAction>
#include <QLineEdit>

namespace lumitag::imagedit {

QImage SamplePhoto(QSize size)
{
    QImage photo(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            photo.setPixel(x, y, qRgb(255 - x * 255 / size.width(), y * 255 / size.height(), (x * y) % 256));
    return photo;
}

void ShowSamplePicture(ImageEditorWindow& window)
{
    const SignPictureFormat format = window.document().format();
    const int rows = format.rows;
    window.NewPicture(rows * 4 + 8, rows);
    const QImage imported = ImportForSign(SamplePhoto({90, 60}), format, ColourReduction::Ordered, 128);
    window.document().Apply(QStringLiteral("Import"), ResizeCanvas(imported, window.document().picture().size()));
    QImage withText = ResizeCanvas(window.document().picture(), {imported.width() + 2 + rows * 4, rows});
    const int advance = StampText(withText, {imported.width() + 2, 0},
                                  {QStringLiteral("LED"), QStringLiteral("Liberation Sans"), rows, true},
                                  SignPalette(format.colours).back());
    window.document().Apply(QStringLiteral("Text"), ResizeCanvas(withText, {imported.width() + 3 + advance, rows}));
}

}  // namespace lumitag::imagedit
