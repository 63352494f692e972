// Draws a text as Qt draws it on this display, for comparing with a
// screenshot: white strokes on black, without antialiasing, in "Arial" at one
// of the program's sizes times SCALE, in device pixels. The text's top-left
// corner (the top of its character cell) lies at (4, 4) times SCALE, in an
// image of the text's advance and height at the plain size plus 4 on each
// side, all times SCALE.
//
// Usage: render-text OUT.ppm bold|POINTS TEXT SCALE
//   bold:   the window system's default font, bold, 13 pixels high
//   POINTS: normal weight, POINTS x the screen's vertical dots per inch / 72

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>

#include <cmath>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s OUT.ppm bold|POINTS TEXT SCALE\n", argv[0]);
    return 2;
  }
  QGuiApplication application(argc, argv);
  const std::string size = argv[2];
  const bool bold = size == "bold";
  const int pixelHeight = bold ? 13
                               : static_cast<int>(std::lround(std::stoi(size) *
                                                              QGuiApplication::primaryScreen()->logicalDotsPerInchY() /
                                                              72.0));
  const QString text = QString::fromUtf8(argv[3]);
  const int scale = std::stoi(argv[4]);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixelHeight);
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  font.setStyleStrategy(QFont::NoAntialias);
  const QFontMetrics plain(font);
  constexpr int kMargin = 4;
  QImage image((QSize(plain.horizontalAdvance(text), plain.height()) + QSize(2, 2) * kMargin) * scale,
               QImage::Format_RGB32);
  image.fill(Qt::black);
  font.setPixelSize(pixelHeight * scale);
  {
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(kMargin * scale, kMargin * scale + QFontMetrics(font).ascent(), text);
  }
  return image.convertToFormat(QImage::Format_RGB888).save(QString::fromLocal8Bit(argv[1]), "PPM") ? 0 : 1;
}
