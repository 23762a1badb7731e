#pragma once
// The live preview of an editor: shows the picture of a CImageWnd, which
// holds the content and renders it exactly as the slot is rendered for
// sending, and drives its one-second clock for date items.

#include <QTimer>
#include <QWidget>

#include "render/CImageWnd.h"
#include "service/SlotEditing.h"

namespace lumitag::editors {

class PreviewView : public QWidget {
    Q_OBJECT
public:
    explicit PreviewView(int controlId, QWidget* parent = nullptr);

    CImageWnd& Window() { return window_; }
    // SetContent on the window, then repaint; starts or stops the clock.
    void SetContent(const std::string& content);
    // Call after changing the window's state directly.
    void Refresh();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Tick();

    CImageWnd window_;
    QTimer clock_;
};

class SlotAccess;

// The editors' preview of a slot on the current model: its rows, no height
// override, the model's paging, the glyph cache and the Data folder.
void PrepareSlotPreview(PreviewView& preview, const service::ModelRules& rules, SlotAccess& access);

}  // namespace lumitag::editors
