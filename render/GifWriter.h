#pragma once
// Animated GIF encoding (giflib): pictures in, the file's bytes out. Qt reads
// GIF but cannot write it. Frames are added one at a time, so a long
// animation never has to be held whole; each frame after the first carries
// only the rectangle that changed.

#include <QImage>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace lumitag {

struct GifEncoding {
    std::vector<std::uint8_t> bytes;  // the whole file; empty on failure
    std::string error;                // why, when it failed

    bool Ok() const { return error.empty(); }
};

// One endlessly looping animation. Colours are kept exactly while a frame's
// change holds at most 256 of them; richer pictures fall back to a fixed
// 6 x 6 x 6 colour cube. Alpha is ignored.
class GifWriter {
public:
    GifWriter();
    ~GifWriter();
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    // Appends a frame standing for `delayCentiseconds` (clamped to 1..65535).
    // Every frame must have the size of the first. False once anything failed.
    bool Add(const QImage& frame, int delayCentiseconds);
    // The file, or the first error; the writer is spent afterwards.
    GifEncoding Finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

struct GifFrame {
    QImage image;
    int delayCentiseconds;
};

// All frames in one call.
GifEncoding EncodeAnimatedGif(std::span<const GifFrame> frames);

}  // namespace lumitag
