#pragma once
// Shows one picture file stretched into a frame (the image editor's view of
// the selected entry). A missing or unloadable file shows only the frame.

#include <QImage>
#include <QWidget>

namespace lumitag::editors {

class CPicWnd : public QWidget {
    Q_OBJECT
public:
    explicit CPicWnd(QWidget* parent = nullptr);

    void SetPath(const QString& path);
    const QString& Path() const { return path_; }
    // The picture shown, null when there is none.
    const QImage& Picture() const { return picture_; }

    QSize sizeHint() const override { return {160, 96}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString path_;
    QImage picture_;
};

}  // namespace lumitag::editors
