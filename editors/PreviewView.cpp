#include "editors/PreviewView.h"

#include <QPainter>

#include "editors/SlotAccess.h"

#include <ctime>

namespace lumitag::editors {
namespace {
// Three screen pixels per LED keep the preview readable beside the edit.
constexpr int kPixelsPerLed = 3;
}

PreviewView::PreviewView(int controlId, QWidget* parent) : QWidget(parent), window_(controlId)
{
    // The sign has no reading direction: the preview never mirrors.
    setLayoutDirection(Qt::LeftToRight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    clock_.setInterval(1000);
    connect(&clock_, &QTimer::timeout, this, &PreviewView::Tick);
}

void PreviewView::SetContent(const std::string& content)
{
    window_.SetContent(content);
    if (window_.ClockRunning())
        clock_.start();
    else
        clock_.stop();
    update();
}

void PreviewView::Refresh()
{
    window_.DiscardPicture();
    updateGeometry();
    update();
}

QSize PreviewView::sizeHint() const { return {128 * kPixelsPerLed + 2, window_.Rows() * kPixelsPerLed + 2}; }

QSize PreviewView::minimumSizeHint() const { return {64, window_.Rows() * kPixelsPerLed + 2}; }

void PreviewView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, window_.Picture());
}

void PreviewView::resizeEvent(QResizeEvent*)
{
    window_.SetClientSize(size());
    update();
}

void PreviewView::Tick()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local))
        window_.Tick(local);
    else
        window_.Tick(std::nullopt);
    update();
}

void PrepareSlotPreview(PreviewView& preview, const service::ModelRules& rules, SlotAccess& access)
{
    ModelSettings settings;
    ApplyModel(settings, rules.model);
    CImageWnd& window = preview.Window();
    window.SetGlyphCache(access.Glyphs());
    window.SetProgramFolder(access.ProgramFolder());
    window.SetPaging(settings.pageWidth, settings.pagePitch);
    window.SetRows(rules.rows);
    window.SetHeightOverride(0);
    preview.Refresh();
}

}  // namespace lumitag::editors
