#pragma once
// Plays the rows of a program on one clock. The owner's single timer calls
// Advance with the current time and repaints only the rows it names; a row
// whose parameters or content change is started over with a new timeline.
// No widget and no timer here, so a test drives it with virtual time.

#include "render/EffectTimeline.h"

#include <QImage>

#include <optional>
#include <vector>

namespace lumitag {

class RowPlayer {
public:
    explicit RowPlayer(int rowCount);

    int RowCount() const { return static_cast<int>(rows_.size()); }

    // Plays `timeline` on `row` from its beginning at `now`.
    void Start(int row, EffectTimeline timeline, Millis now);
    // The row has nothing to play; it shows dark.
    void Clear(int row);
    bool Playing(int row) const;
    // When `row` last started.
    Millis StartedAt(int row) const;

    // Brings every row to `now` and returns the rows whose picture changed
    // since the previous call (a row just started or cleared always counts).
    std::vector<int> Advance(Millis now);
    // The row's picture as of the last Advance (null before the first).
    const QImage& Picture(int row) const;

private:
    struct Row {
        std::optional<EffectTimeline> timeline;
        Millis start{0};
        QImage shown;
        QImage next;
        bool restarted = false;  // started or cleared since the last Advance
    };
    Row& At(int row);
    const Row& At(int row) const;

    std::vector<Row> rows_;
};

}  // namespace lumitag
