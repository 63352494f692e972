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

// Drawn at the target's scale: the glyphs come from the font at the full
// resolution of the device, placed by the same metrics as at scale 1.
RenderedText Render(const FontRecord& font, const std::string& text, int colour, int scale) {
  const QString shown = FromWindows1252(text);
  // Every pixel the text covers, relative to its base-line origin. Glyphs
  // drawn finer may reach a little further than their outline at scale 1.
  const int margin = scale > 1 ? 1 + font.pixelHeight / 8 : 0;
  const QRect ink = QFontMetrics(font.font).boundingRect(shown).adjusted(-margin, -margin, margin, margin);
  RenderedText rendered{QImage(ink.size() * scale, QImage::Format_ARGB32_Premultiplied),
                        QPoint(ink.left(), font.ascent + ink.top())};
  if (rendered.strokes.isNull()) return rendered;
  rendered.strokes.setDevicePixelRatio(scale);
  rendered.strokes.fill(Qt::transparent);
  QPainter painter(&rendered.strokes);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  painter.setFont(font.font);
  painter.setPen(ColourOf(colour));
  painter.drawText(-ink.left(), -ink.top(), shown);
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
