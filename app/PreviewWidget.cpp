#include "app/PreviewWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <ctime>

#include "app/ControlIds.h"
#include "render/LedPreview.h"

namespace lumitag::app {

PreviewWidget::PreviewWidget(int controlId, QWidget* parent) : QWidget(parent), window_(controlId)
{
    SetControlId(this, controlId);
    setLayoutDirection(Qt::LeftToRight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAttribute(Qt::WA_OpaquePaintEvent);
    clock_.setInterval(1000);
    connect(&clock_, &QTimer::timeout, this, &PreviewWidget::OnClock);
}

void PreviewWidget::SetContent(const std::string& content)
{
    window_.SetContent(content);
    if (window_.ClockRunning())
        clock_.start();
    else
        clock_.stop();
    update();
}

void PreviewWidget::Invalidate()
{
    window_.DiscardPicture();
    update();
}

QSize PreviewWidget::sizeHint() const
{
    // The row's preview is 180 x 15 dialog units in the window's font.
    const QFontMetrics metrics(font());
    const int unitX = metrics.averageCharWidth();
    return {180 * unitX / 4, 15 * metrics.height() / 8 + 2};
}

QSize PreviewWidget::minimumSizeHint() const
{
    const QSize hint = sizeHint();
    return {hint.width() * 2 / 3, hint.height()};
}

void PreviewWidget::ShowPlaying(const QImage& leds)
{
    playing_ = leds;
    update();
}

void PreviewWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!playing_.isNull())
        painter.drawImage(0, 0, PaintLedPreview(playing_, size(), window_.Rows()));
    else
        painter.drawImage(0, 0, window_.Picture());
}

void PreviewWidget::resizeEvent(QResizeEvent* event)
{
    window_.SetClientSize(size());
    QWidget::resizeEvent(event);
}

void PreviewWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) emit doubleClicked();
}

void PreviewWidget::OnClock()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local))
        window_.Tick(local);
    else
        window_.Tick(std::nullopt);
    update();
}

}  // namespace lumitag::app
