#pragma once
// A slot's live preview: shows the picture its CImageWnd paints, follows the
// clock of a date item once a second, and reports double-clicks. The sign's
// pixels keep their orientation in right-to-left languages.

#include <QTimer>
#include <QWidget>
#include <functional>

#include "render/CImageWnd.h"

namespace lumitag::app {

class PreviewWidget : public QWidget {
    Q_OBJECT
public:
    explicit PreviewWidget(int controlId, QWidget* parent = nullptr);

    CImageWnd& Window() { return window_; }
    // Parses the content and starts or stops the one-second clock.
    void SetContent(const std::string& content);
    // Drops the cached picture and schedules a repaint.
    void Invalidate();
    bool ClockActive() const { return clock_.isActive(); }
    // While the previews play: the sign's LEDs at this moment, shown in place
    // of the still picture; a null picture brings the still one back.
    void ShowPlaying(const QImage& leds);
    bool ShowsPlaying() const { return !playing_.isNull(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void OnClock();

    CImageWnd window_;
    QTimer clock_;
    QImage playing_;
};

}  // namespace lumitag::app
