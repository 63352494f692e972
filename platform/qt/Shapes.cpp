// The drawing primitives with their exact pixel coverage. Rectangles and
// upright lines are filled spans; slanted lines are plotted pixel by pixel, so
// that which ends are painted never depends on a rasteriser's rounding. On a
// target of a larger scale every pixel is a square of device pixels, so the
// same pixels are covered and fills spread the same way.

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "platform/qt/DrawingTarget.h"
#include "platform/qt/State.h"

namespace qtws {

namespace {

using Wide = std::int64_t;

Wide Distance(Wide a, Wide b) { return a < b ? b - a : a - b; }

// Covers x to x + w - 1 and y to y + h - 1, clipped to the target. The
// painter's own scale maps the area onto whole device pixels.
void Fill(Wide x, Wide y, Wide w, Wide h, int colour) {
  const QSize size = TargetSize();
  if (size.isEmpty() || w <= 0 || h <= 0) return;
  const Wide left = std::max<Wide>(x, 0);
  const Wide top = std::max<Wide>(y, 0);
  const Wide right = std::min<Wide>(x + w, size.width());
  const Wide bottom = std::min<Wide>(y + h, size.height());
  if (left >= right || top >= bottom) return;
  if (QPainter* painter = TargetPainter())
    painter->fillRect(QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                            static_cast<int>(bottom - top)),
                      ColourOf(colour));
}

// The pixels of a slanted line: one per step along its longer axis, each the
// one nearest to the true line (a tie goes away from the start). Only the
// steps that lie inside the target are visited, so a line of any length is
// cheap; the far end is painted only when asked for.
void Plot(Wide x1, Wide y1, Wide x2, Wide y2, bool withFarEnd, int colour) {
  const QSize size = TargetSize();
  QImage* canvas = TargetPixels();
  if (!canvas) return;
  const int scale = ScaleOf(*canvas);
  const bool alongX = Distance(x1, x2) >= Distance(y1, y2);
  const Wide major1 = alongX ? x1 : y1, major2 = alongX ? x2 : y2;
  const Wide minor1 = alongX ? y1 : x1, minor2 = alongX ? y2 : x2;
  const Wide majorSize = alongX ? size.width() : size.height();
  const Wide minorSize = alongX ? size.height() : size.width();
  const Wide majorStep = major1 < major2 ? 1 : -1;
  const Wide minorStep = minor1 < minor2 ? 1 : -1;
  // Below 2^32 each, so step x rise + length / 2 stays below 2^64.
  const auto length = static_cast<std::uint64_t>(Distance(major1, major2));
  const auto rise = static_cast<std::uint64_t>(Distance(minor1, minor2));

  const Wide last = withFarEnd ? static_cast<Wide>(length) : static_cast<Wide>(length) - 1;
  const Wide first = std::max<Wide>(0, majorStep > 0 ? -major1 : major1 - (majorSize - 1));
  const Wide final = std::min<Wide>(last, majorStep > 0 ? majorSize - 1 - major1 : major1);
  const QRgb rgb = qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
  for (Wide step = first; step <= final; ++step) {
    const auto offset = static_cast<Wide>((static_cast<std::uint64_t>(step) * rise + length / 2) / length);
    const Wide minor = minor1 + minorStep * offset;
    if (minor < 0 || minor >= minorSize) continue;
    const Wide major = major1 + majorStep * step;
    PaintPixel(*canvas, scale, static_cast<int>(alongX ? major : minor), static_cast<int>(alongX ? minor : major), rgb);
  }
}

// The one-pixel outline that a painter without antialiasing draws for the
// circle, on a mask of the target's size in its own pixels, copied square by
// square: the same pixels as on a target of scale 1.
void ScaledCircle(int x, int y, int r, int colour) {
  const QSize size = TargetSize();
  QImage mask(size, QImage::Format_ARGB32_Premultiplied);
  if (mask.isNull()) return;
  mask.fill(Qt::transparent);
  {
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawEllipse(QRect(x - r, y - r, 2 * r - 1, 2 * r - 1));
  }
  QImage* canvas = TargetPixels();
  if (!canvas) return;
  const int scale = ScaleOf(*canvas);
  const QRect square = QRect(QPoint(0, 0), size) & QRect(x - r, y - r, 2 * r, 2 * r);
  const QRgb rgb = qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
  for (int row = square.top(); row <= square.bottom(); ++row) {
    const auto* line = reinterpret_cast<const QRgb*>(mask.constScanLine(row));
    for (int column = square.left(); column <= square.right(); ++column)
      if (qAlpha(line[column]) != 0) PaintPixel(*canvas, scale, column, row, rgb);
  }
}

// Scanline fill over the device pixels: each span of the old colour is filled, and
// the spans touching it above and below are queued on an explicit stack.
void FillArea(QImage& canvas, int x, int y, QRgb fill) {
  const QRgb old = canvas.pixel(x, y);
  if (old == fill) return;
  const int width = canvas.width();
  const int height = canvas.height();
  std::vector<QPoint> pending{QPoint(x, y)};
  while (!pending.empty()) {
    const QPoint seed = pending.back();
    pending.pop_back();
    auto* row = reinterpret_cast<QRgb*>(canvas.scanLine(seed.y()));
    if (row[seed.x()] != old) continue;
    int left = seed.x();
    int right = seed.x();
    while (left > 0 && row[left - 1] == old) --left;
    while (right + 1 < width && row[right + 1] == old) ++right;
    std::fill(row + left, row + right + 1, fill);
    for (const int next : {seed.y() - 1, seed.y() + 1}) {
      if (next < 0 || next >= height) continue;
      const auto* nextRow = reinterpret_cast<const QRgb*>(canvas.constScanLine(next));
      bool inSpan = false;
      for (int column = left; column <= right; ++column) {
        const bool matches = nextRow[column] == old;
        if (matches && !inSpan) pending.emplace_back(column, next);
        inSpan = matches;
      }
    }
  }
}

}  // namespace

}  // namespace qtws

using namespace qtws;

void FillRect(int x, int y, int w, int h, int colour) { Fill(x, y, w, h, colour); }

void OutlineRect(int x, int y, int w, int h, int colour) {
  if (w <= 0 || h <= 0) return;
  const Wide right = Wide{x} + w - 1;
  const Wide bottom = Wide{y} + h - 1;
  Fill(x, y, w, 1, colour);
  Fill(x, bottom, w, 1, colour);
  Fill(x, y, 1, h, colour);
  Fill(right, y, 1, h, colour);
}

void LineExtent(int x, int y, int w, int h, int colour) {
  const Wide farX = Wide{x} + w;
  const Wide farY = Wide{y} + h;
  if (h == 0)
    Fill(std::min<Wide>(x, farX + 1), y, Distance(x, farX), 1, colour);
  else if (w == 0)
    Fill(x, std::min<Wide>(y, farY + 1), 1, Distance(y, farY), colour);
  else
    Plot(x, y, farX, farY, false, colour);
}

void LineBetween(int x1, int y1, int x2, int y2, int colour) {
  if (y1 == y2)
    Fill(std::min(x1, x2), y1, Distance(x1, x2) + 1, 1, colour);
  else if (x1 == x2)
    Fill(x1, std::min(y1, y2), 1, Distance(y1, y2) + 1, colour);
  else
    Plot(x1, y1, x2, y2, true, colour);
}

void Circle(int x, int y, int r, int colour) {
  // Beyond a quarter of the coordinate range the square cannot be described.
  if (r <= 0 || r > (1 << 29) || Wide{x} - r < INT_MIN / 2 || Wide{y} - r < INT_MIN / 2 ||
      Wide{x} + r > INT_MAX / 2 || Wide{y} + r > INT_MAX / 2)
    return;
  if (TargetScale() > 1) {
    ScaledCircle(x, y, r, colour);
    return;
  }
  QPainter* painter = TargetPainter();
  if (!painter) return;
  painter->setPen(QPen(ColourOf(colour), 0));
  painter->setBrush(Qt::NoBrush);
  // Without antialiasing this outline stays inside x - r to x + r - 1 and
  // touches both limits.
  painter->drawEllipse(QRect(x - r, y - r, 2 * r - 1, 2 * r - 1));
}

void FloodFill(int x, int y, int colour) {
  // Between squares of device pixels the fill spreads exactly as between
  // pixels; around a text's finer strokes it follows them.
  const bool inside = QRect(QPoint(0, 0), TargetSize()).contains(x, y);
  QImage* canvas = TargetPixels();
  if (!canvas || !inside) return;
  const int scale = ScaleOf(*canvas);
  FillArea(*canvas, x * scale, y * scale, qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour)));
}
