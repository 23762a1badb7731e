#include "render/RowPlayer.h"

#include "render/SignColours.h"

#include <algorithm>

namespace lumitag {

RowPlayer::RowPlayer(int rowCount) : rows_(static_cast<std::size_t>(std::max(rowCount, 0))) {}

RowPlayer::Row& RowPlayer::At(int row) { return rows_.at(static_cast<std::size_t>(row)); }
const RowPlayer::Row& RowPlayer::At(int row) const { return rows_.at(static_cast<std::size_t>(row)); }

void RowPlayer::Start(int row, EffectTimeline timeline, Millis now)
{
    Row& r = At(row);
    r.timeline.emplace(std::move(timeline));
    r.start = now;
    r.restarted = true;
}

void RowPlayer::Clear(int row)
{
    Row& r = At(row);
    r.timeline.reset();
    r.restarted = true;
}

bool RowPlayer::Playing(int row) const { return At(row).timeline.has_value(); }
Millis RowPlayer::StartedAt(int row) const { return At(row).start; }

std::vector<int> RowPlayer::Advance(Millis now)
{
    std::vector<int> changed;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        Row& r = rows_[i];
        if (r.timeline) {
            r.timeline->PaintAt(now - r.start, r.next);
        } else if (r.restarted) {
            // A cleared row keeps its size and goes dark.
            r.next = r.shown.isNull() ? QImage() : r.shown.copy();
            if (!r.next.isNull()) r.next.fill(kSignBlack);
        } else {
            continue;
        }
        if (r.restarted || r.next != r.shown) {
            std::swap(r.shown, r.next);
            changed.push_back(static_cast<int>(i));
        }
        r.restarted = false;
    }
    return changed;
}

const QImage& RowPlayer::Picture(int row) const { return At(row).shown; }

}  // namespace lumitag
