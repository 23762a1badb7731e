#pragma once
// Plays the row previews with one timer: each tick the core's RowPlayer
// brings every row to the current time and names the rows whose picture
// changed, and only those repaint. A row whose effect, speed, time, flags,
// content or model changed starts over from its beginning. Off by default.

#include <QObject>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "model/DeviceCatalogue.h"
#include "model/SlotParamTable.h"
#include "render/RowPlayer.h"

namespace lumitag::service {
class Session;
}

namespace lumitag::app {

class PreviewWidget;

class PreviewPlayback : public QObject {
    Q_OBJECT
public:
    // About 30 frames a second: the fastest scroll moves a column or two a tick.
    static constexpr int kTickMs = 33;
    using Clock = std::function<Millis()>;

    PreviewPlayback(service::Session& session, std::array<PreviewWidget*, kSlotCount> previews,
                    QObject* parent = nullptr);

    // Where the time comes from (a steady clock by default; tests use virtual time).
    void SetClock(Clock clock) { clock_ = std::move(clock); }

    void SetPlaying(bool on);
    bool Playing() const { return playing_; }
    const QTimer& Timer() const { return timer_; }
    const RowPlayer& Player() const { return player_; }

    // One tick: restart changed rows, advance all, repaint the changed ones.
    void Tick();

private:
    // Everything a row's playing depends on.
    struct RowKey {
        std::string model;
        ModelSettings settings;
        std::array<std::int32_t, kSlotFieldCount> fields{};
        std::string content;
        int rows = 0;
        int heightOverride = 0;
        int layoutFlag = 0;
        bool operator==(const RowKey&) const = default;
    };
    RowKey KeyOf(int slot) const;

    service::Session& session_;
    std::array<PreviewWidget*, kSlotCount> previews_;
    std::array<std::optional<RowKey>, kSlotCount> keys_;
    RowPlayer player_{kSlotCount};
    QTimer timer_;
    Clock clock_;
    bool playing_ = false;
};

}  // namespace lumitag::app
