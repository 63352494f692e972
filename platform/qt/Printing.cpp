// Printing an image on one page.

#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <cmath>
#include <optional>

#include "platform/qt/State.h"
#include "platform/qt/Text1252.h"

using namespace qtws;

namespace {

constexpr double kPointsPerInch = 72;
// A page can need a fine resolution on small paper, but never this fine.
constexpr int kFinestResolution = 9600;

// Where an image goes on the paper: the printer's resolution in dots per
// inch and the image's top-left corner in printer pixels from the paper's
// top-left corner.
struct Placement {
  int resolution;
  QPoint topLeft;
};

// One image pixel is one printer pixel, so the printer's resolution sets the
// printed size. The coarsest whole resolution at which the image fits the
// printable area prints it largest. The corner is the printable area's own,
// moved in to the next whole printer pixel so that no pixel straddles two.
std::optional<Placement> FitOnPaper(const QPageLayout& layout, QSize image) {
  // The paper as the printed document has it, in whole points, and the
  // printable area inside it.
  const QRect paper = layout.fullRectPoints();
  const QRectF printable = layout.paintRect(QPageLayout::Point);
  const double left = printable.left(), top = printable.top();
  const double right = std::min<double>(printable.right(), paper.width());
  const double bottom = std::min<double>(printable.bottom(), paper.height());
  if (image.isEmpty() || right <= left || bottom <= top) return std::nullopt;

  const double needed = std::max(image.width() / (right - left), image.height() / (bottom - top));
  for (int resolution = std::max(1, static_cast<int>(std::floor(needed * kPointsPerInch)));
       resolution <= kFinestResolution; ++resolution) {
    const double pixelsPerPoint = resolution / kPointsPerInch;
    // Pixels, with a little slack for points that are whole pixels.
    const auto inward = [&](double points) { return static_cast<int>(std::ceil(points * pixelsPerPoint - 1e-6)); };
    const auto outward = [&](double points) { return static_cast<int>(std::floor(points * pixelsPerPoint + 1e-6)); };
    const QPoint corner(inward(left), inward(top));
    if (corner.x() + image.width() <= outward(right) && corner.y() + image.height() <= outward(bottom))
      return Placement{resolution, corner};
  }
  return std::nullopt;
}

}  // namespace

bool PrintImage(int image, const std::string& documentName) {
  const QImage* found = FindImage(image);
  if (!found || !gState.application) return false;
  const QImage page = found->convertToFormat(QImage::Format_RGB888);

  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(FromWindows1252(documentName));
  printer.setCopyCount(1);
  QPrintDialog dialog(&printer, DialogOwner());
  dialog.setMinMax(1, 1);
  if (dialog.exec() != QDialog::Accepted) return false;

  // Paper, orientation and margins are what the user chose in the dialog.
  const std::optional<Placement> placement = FitOnPaper(printer.pageLayout(), page.size());
  if (!placement) return false;
  printer.setFullPage(true);
  printer.setResolution(placement->resolution);

  // Painter units are printer pixels from the paper's corner. Lossless: the
  // page's pixels reach the printer unchanged, not as JPEG.
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  painter.setRenderHint(QPainter::LosslessImageRendering);
  painter.drawImage(placement->topLeft, page);
  return painter.end();
}
