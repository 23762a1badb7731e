#pragma once
// A block of clickable symbol pictures, each with the control identifier of
// its dialog template; a click reports the identifier.

#include <QPixmap>
#include <QWidget>

#include <vector>

namespace lumitag {
class GlyphCache;
}

namespace lumitag::editors {

struct SymbolPicture {
    int controlId;
    QPixmap picture;
    QString tip;
};

class SymbolPictures : public QWidget {
    Q_OBJECT
public:
    SymbolPictures(const std::vector<SymbolPicture>& pictures, int columns, QWidget* parent = nullptr);

signals:
    void Picked(int controlId);
};

// Frame 0 of animation `number` for a sign of `rows` rows, from the cache;
// our numbered tile when the Data folder has no such picture.
QPixmap AnimationPicture(const GlyphCache* cache, int rows, int number);
// Glyph `character` of bitmap font 0 in red; a numbered tile when absent.
QPixmap GlyphPicture(const GlyphCache* cache, int character);

}  // namespace lumitag::editors
