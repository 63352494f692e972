// Fonts by face and size, for drawing texts.

#include <QFontMetrics>
#include <QScreen>

#include <cmath>

#include "platform/qt/State.h"
#include "platform/qt/Text1252.h"

namespace qtws {

namespace {

FontRecord MakeFont(const QString& face, int pixelHeight, QFont::Weight weight) {
  QFont font(face);
  font.setPixelSize(pixelHeight);
  font.setWeight(weight);
  font.setItalic(false);
  font.setStyleStrategy(QFont::NoAntialias);
  return {font, pixelHeight, QFontMetrics(font).ascent(), {}};
}

}  // namespace

// Font 0, the window system's font for drawing: bold, 13 pixels high.
void LoadDefaultFont() { gState.fonts[0] = MakeFont(QStringLiteral("Arial"), 13, QFont::Bold); }

}  // namespace qtws

using namespace qtws;

bool LoadFont(int font, const std::string& face, int points) {
  if (font == 0 || !gState.application || face.empty()) return false;
  const double dotsPerInch = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
  const long pixelHeight = std::lround(points * dotsPerInch / 72.0);
  if (pixelHeight < 1 || pixelHeight > 10000) return false;
  gState.fonts[font] = MakeFont(FromWindows1252(face), static_cast<int>(pixelHeight), QFont::Normal);
  return true;
}

int FontPixelHeight(int font) {
  const FontRecord* found = FindFont(font);
  return found ? found->pixelHeight : 0;
}
