#pragma once
// What a sign shows of one slot at any moment: its sent pictures moved,
// revealed or blinked by the slot's effect, speed, dwell time, blink and
// marquee. A pure function of the pictures, the parameters and the time; the
// paces come from render/EffectTiming.h.

#include "model/DeviceCatalogue.h"
#include "model/SlotParamTable.h"

#include <QImage>

#include <chrono>
#include <cstdint>
#include <string_view>
#include <vector>

namespace lumitag {

// The effects the three effect menus offer, by their meaning.
enum class Effect { Left, Right, Up, Down, Fix, Animation, Snow, Middle, Blink };

// The effect a stored code selects in a model's effect menu. A code outside
// the menu plays as Fix, as the bus models' frames send it.
Effect EffectOf(int effectMenu, int code);

struct EffectParams {
    Effect effect = Effect::Left;
    int speed = 0;  // stored 0..7 (shown as "1".."8"); other values are clamped
    int time = 0;   // dwell seconds 0..5; other values are clamped
    bool blink = false;
    bool marquee = false;

    bool operator==(const EffectParams&) const = default;
};

// A slot's parameters as the timeline reads them.
EffectParams EffectParamsOf(const SlotParamTable& params, int slot, int effectMenu);

// The LEDs a model shows: its columns and rows.
struct SignArea {
    int width = 48;
    int rows = 16;

    bool operator==(const SignArea&) const = default;
};

// The visible area of a model (`settings` as ApplyModel left them): its page
// width when it has one, else the width its pictures are packed in, else a
// chosen width (render/EffectTiming.h).
SignArea SignAreaOf(std::string_view model, const ModelSettings& settings);

using Millis = std::chrono::milliseconds;

class EffectTimeline {
public:
    // `frame0` and `frame1` as the slot image builder renders them (frame 1
    // null when the content has no second frame; frame 0 null for a slot with
    // nothing to show). Any size and format; cropped or padded to the rows.
    EffectTimeline(const QImage& frame0, const QImage& frame1, const EffectParams& params, SignArea area);

    // One pass of the effect; 0 for a slot with nothing to show. The picture
    // repeats the effect every cycle; blink, marquee and the animation frames
    // run on their own periods from time 0.
    Millis CycleLength() const { return cycle_; }
    SignArea Area() const { return area_; }
    bool Empty() const { return empty_; }

    // The LEDs at time `t` (from the start of the slot, t >= 0; negative
    // counts as 0): area.width x area.rows, ARGB32, black where dark.
    QImage PictureAt(Millis t) const;
    // The same into `target`, reusing its buffer when the size fits.
    void PaintAt(Millis t, QImage& target) const;

private:
    struct Placement;
    Placement PlaceAt(Millis t) const;
    void PaintPage(QImage& target, const QImage& strip, const Placement& place) const;
    void PaintMarquee(QImage& target, Millis t) const;
    Millis MoveMs(int steps, int perSecond) const;

    SignArea area_;
    EffectParams params_;
    QImage strips_[2];  // the frames, rows high, padded to whole pages when paged
    bool hasFrame1_ = false;
    bool empty_ = true;
    int contentWidth_ = 0;
    int pages_ = 1;
    Millis cycle_{0};
    std::vector<std::uint16_t> snowRank_;  // order in which each LED of a page snows in
};

// The picture at `t` as one call, for callers that play a slot only once.
QImage EffectPictureAt(const QImage& frame0, const QImage& frame1, const EffectParams& params, SignArea area,
                       Millis t);

}  // namespace lumitag
