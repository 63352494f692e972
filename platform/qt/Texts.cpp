// Drawing texts: each text is drawn once per font and colour into a small
// image of its own, which later calls copy.

#include <QFontMetrics>

#include <climits>
#include <cstdint>

#include "platform/qt/DrawingTarget.h"
#include "platform/qt/State.h"
#include "platform/qt/Text1252.h"

namespace qtws {

namespace {

// Enough for every text of the program many times over; a program that drew
// ever new texts would start again rather than grow without end.
constexpr std::size_t kMostRenderedTexts = 2000;

// The multiple of the scale at or below the value.
int DownToMultiple(int value, int scale) { return (value >= 0 ? value : value - (scale - 1)) / scale * scale; }

// Drawn in device pixels by the font at the target's scale times its size,
// so a larger scale gets the font's own finer glyphs, not magnified ones. The
// image is widened to whole pixels of the target, so that it is copied to
// the device pixels the font drew it for.
RenderedText Render(const FontRecord& font, const std::string& text, int colour, int scale) {
  const QString shown = FromWindows1252(text);
  QFont sized = font.font;
  if (scale > 1) sized.setPixelSize(font.pixelHeight * scale);
  const QFontMetrics metrics(sized);
  // Every device pixel the text covers, relative to its base-line origin,
  // and relative to the text's corner.
  const QRect ink = metrics.boundingRect(shown);
  const QPoint fromCorner(ink.left(), (scale > 1 ? metrics.ascent() : font.ascent) + ink.top());
  const QPoint aligned(DownToMultiple(fromCorner.x(), scale), DownToMultiple(fromCorner.y(), scale));
  const QPoint pad = fromCorner - aligned;
  const QSize size((ink.width() + pad.x() + scale - 1) / scale, (ink.height() + pad.y() + scale - 1) / scale);
  RenderedText rendered{QImage(size * scale, QImage::Format_ARGB32_Premultiplied), aligned / scale};
  if (rendered.strokes.isNull()) return rendered;
  rendered.strokes.fill(Qt::transparent);
  {
    QPainter painter(&rendered.strokes);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(sized);
    painter.setPen(ColourOf(colour));
    painter.drawText(pad.x() - ink.left(), pad.y() - ink.top(), shown);
  }
  rendered.strokes.setDevicePixelRatio(scale);
  return rendered;
}

}  // namespace

}  // namespace qtws

using namespace qtws;

void DrawTextAt(int x, int y, const std::string& text, int colour) {
  FontRecord* font = FindFont(DrawingFontNumber());
  if (!font) font = FindFont(0);
  if (!font || text.empty()) return;
  if (font->rendered.size() >= kMostRenderedTexts) font->rendered.clear();
  const int scale = TargetScale();
  auto [entry, isNew] = font->rendered.try_emplace({text, colour & 0xFFFFFF, scale});
  if (isNew) entry->second = Render(*font, text, colour, scale);
  const RenderedText& rendered = entry->second;
  const std::int64_t left = std::int64_t{x} + rendered.offset.x();
  const std::int64_t top = std::int64_t{y} + rendered.offset.y();
  if (rendered.strokes.isNull() || left < INT_MIN || top < INT_MIN || left > INT_MAX || top > INT_MAX) return;
  if (QPainter* painter = TargetPainter())
    painter->drawImage(QPoint(static_cast<int>(left), static_cast<int>(top)), rendered.strokes);
}
