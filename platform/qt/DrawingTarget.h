#pragma once
// The one drawing target (an image, or a window's surface) that the drawing
// primitives paint on.

#include <QImage>
#include <QPainter>

namespace qtws {

// The target's pixels, or null without a target. A painter may be active on
// them.
QImage* TargetCanvas();

// A painter on the target, begun on first use after a start or a release,
// without antialiasing; null without a target.
QPainter* TargetPainter();

// The target's pixels with no painter active, for reading and writing them
// directly; null without a target.
QImage* TargetPixels();

// The target's scale (device pixels across one of its pixels) and its size
// in its own pixels; 1 and an empty size without a target.
int TargetScale();
QSize TargetSize();

// Paints the device pixels of the canvas's pixel (x, y), which must lie on it.
void PaintPixel(QImage& canvas, int scale, int x, int y, QRgb colour);

// The font that DrawTextAt uses: the number chosen since drawing started.
int DrawingFontNumber();

}  // namespace qtws
