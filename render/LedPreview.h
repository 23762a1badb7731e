#pragma once
// The look of a preview window around a picture of LEDs: a thin frame, the
// LEDs scaled so the sign's rows fill the height (the interior shows as many
// columns as fit), and a grid between the LEDs on signs of up to 12 rows.
// The still preview and the playing one paint through here, so they match.

#include <QImage>
#include <QSize>

namespace lumitag {

inline constexpr QRgb kPreviewFrameColour = 0xFFAD20F0u;
inline constexpr QRgb kPreviewGridColour = 0xFF303030u;

// `leds` holds `rows` rows from the top (any width); a null picture for an
// empty client size.
QImage PaintLedPreview(const QImage& leds, QSize client, int rows);

}  // namespace lumitag
