#pragma once
// The symbol picker (template 142): a grid of the Data folder's symbols;
// each pick goes at once into the bitmap-font editor's glyph text, in its
// current font and colour, and the picker stays open for more.

#include <QDialog>

namespace lumitag::editors {

class CEditWnd;
class CFaceWnd;

class CDialogFace : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTemplate = 142;

    // `target` receives the picks; `symbolFolder` is Data/ASCII/Eruope.
    CDialogFace(CEditWnd* target, const QString& symbolFolder, QWidget* parent = nullptr);

    CFaceWnd* Faces() const { return faces_; }
    int LastPicked() const { return picked_; }

    void Pick(int number);

protected:
    // The picker can be dragged by any part of its surface.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    CEditWnd* target_;
    CFaceWnd* faces_;
    int picked_ = 0;
    QPoint dragFrom_;
};

}  // namespace lumitag::editors
