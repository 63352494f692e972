// Printing an image on one page.

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "platform/qt/State.h"
#include "platform/qt/Text1252.h"

using namespace qtws;

bool PrintImage(int image, const std::string& documentName) {
  const QImage* found = FindImage(image);
  if (!found || !gState.application) return false;
  const QImage page = *found;

  // At the printer's own resolution the painter's units are printer pixels,
  // and its origin is the top-left corner of the printable area.
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(FromWindows1252(documentName));
  printer.setCopyCount(1);
  QPrintDialog dialog(&printer, DialogOwner());
  dialog.setMinMax(1, 1);
  if (dialog.exec() != QDialog::Accepted) return false;

  QPainter painter;
  if (!painter.begin(&printer)) return false;
  painter.drawImage(QPoint(0, 0), page);
  return painter.end();
}
