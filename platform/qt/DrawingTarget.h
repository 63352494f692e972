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

// The font that DrawTextAt uses: the number chosen since drawing started.
int DrawingFontNumber();

}  // namespace qtws
