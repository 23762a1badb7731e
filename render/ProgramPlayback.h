#pragma once
// A whole program playing: each shown slot's timeline built from the very
// pictures the slot image builder sends, the rows drawn as LEDs one under the
// other, and the animated GIF the command line writes.

#include "render/EffectTimeline.h"
#include "render/GifWriter.h"
#include "render/RowPlayer.h"
#include "render/SlotImageBuilder.h"

#include <QImage>

#include <string_view>

namespace lumitag {

// The timeline of one slot, from its window configured for the model (see
// ConfigureSlotWindow). A slot of kind 0 has nothing to play; on a two-colour
// model frame 1 is the green plane of the same picture, not a second frame,
// so only frame 0 plays.
EffectTimeline SlotTimeline(CImageWnd& window, std::string_view model, const ModelSettings& settings,
                            const SlotParamTable& params, int slot);

// The number of rows the model shows (its slot count, 1..10).
int ShownRows(const ModelSettings& settings);

// Starts the shown rows of `windows` on `player` at `now`.
void StartProgram(RowPlayer& player, SlotWindows& windows, std::string_view model, const ModelSettings& settings,
                  const SlotParamTable& params, Millis now);

// The player's rows as LEDs, `ledPitch` pixels apart (from 3 on, a one-pixel
// grid parts the LEDs), one pitch of grid between rows. `sheet` is reused
// when its size fits.
void PaintSheet(const RowPlayer& player, SignArea area, int ledPitch, QImage& sheet);
QSize SheetSize(int rowCount, SignArea area, int ledPitch);

// GIF frames stand 5 centiseconds: 20 frames a second, smooth enough for the
// fastest scroll and a delay every viewer honours.
inline constexpr int kAnimationFrameCentiseconds = 5;

struct AnimationOptions {
    Millis length{10000};
    int ledPitch = 3;
};

// Frames an animation of `length` holds (at least one).
int AnimationFrameCount(Millis length);

// The shown rows of the program playing for `options.length`, as a looping GIF.
GifEncoding ProgramAnimationGif(SlotWindows& windows, std::string_view model, const ModelSettings& settings,
                                const SlotParamTable& params, const AnimationOptions& options);

}  // namespace lumitag
