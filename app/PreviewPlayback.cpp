#include "app/PreviewPlayback.h"

#include <QElapsedTimer>

#include "app/PreviewWidget.h"
#include "render/ProgramPlayback.h"
#include "service/Session.h"

namespace lumitag::app {

PreviewPlayback::PreviewPlayback(service::Session& session, std::array<PreviewWidget*, kSlotCount> previews,
                                 QObject* parent)
    : QObject(parent), session_(session), previews_(previews)
{
    auto steady = std::make_shared<QElapsedTimer>();
    steady->start();
    clock_ = [steady] { return Millis(steady->elapsed()); };
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &PreviewPlayback::Tick);
}

void PreviewPlayback::SetPlaying(bool on)
{
    if (on == playing_) return;
    playing_ = on;
    if (!on) {
        timer_.stop();
        for (PreviewWidget* preview : previews_) preview->ShowPlaying(QImage());
        return;
    }
    keys_.fill(std::nullopt);  // every row starts from its beginning
    Tick();
    timer_.start();
}

PreviewPlayback::RowKey PreviewPlayback::KeyOf(int slot) const
{
    RowKey key;
    key.model = session_.ModelName();
    key.settings = session_.Worker().Settings();
    const SlotParamTable& params = session_.Program().Params();
    for (int field = 0; field < kSlotFieldCount; ++field)
        key.fields[static_cast<std::size_t>(field)] = params.at(static_cast<SlotField>(field), slot);
    const CImageWnd& window = previews_[static_cast<std::size_t>(slot)]->Window();
    key.content = window.Parse().content;
    key.rows = window.Rows();
    key.heightOverride = window.HeightOverride();
    key.layoutFlag = window.LayoutFlag();
    return key;
}

void PreviewPlayback::Tick()
{
    if (!playing_) return;
    const Millis now = clock_();
    const ModelSettings settings = session_.Worker().Settings();
    const int shown = ShownRows(settings);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        auto& key = keys_[static_cast<std::size_t>(slot)];
        const RowKey current = KeyOf(slot);
        if (key && *key == current) continue;
        if (slot < shown) {
            CImageWnd& window = previews_[static_cast<std::size_t>(slot)]->Window();
            player_.Start(slot,
                          SlotTimeline(window, current.model, settings, session_.Program().Params(), slot), now);
        } else {
            player_.Clear(slot);
        }
        // Rendering may tidy the stored content (trimming): key what it left.
        key = KeyOf(slot);
    }
    for (int row : player_.Advance(now))
        previews_[static_cast<std::size_t>(row)]->ShowPlaying(player_.Picture(row));
}

}  // namespace lumitag::app
