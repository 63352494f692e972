#pragma once
// Printing to a PDF file through the real print dialog, and reading the PDF
// back with the poppler tools (pdfinfo, pdfimages, pdftocairo). A missing
// tool fails the test.

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include <string>

class QObject;
class QPrintDialog;

// The paper and margins to choose in the print dialog's page setup; margins
// below 0 keep the dialog's own.
struct PaperChoice {
  QPageSize::PageSizeId size = QPageSize::A4;
  double marginMillimetres = -1;
};

// While the context lives, answers the next print dialog as a user would:
// picks the print-to-file entry (the last printer, whatever printers the
// machine has), types the file name, sets the paper in the page setup and
// presses OK. The printer's page layout after OK lands in chosen.
void PrintNextToPdf(QObject& context, const QString& pdf, PaperChoice paper, QPageLayout& chosen);

// What pdfinfo and pdfimages say of a one-image PDF.
struct PdfFacts {
  int pages = 0;
  std::string title;
  double paperWidthPoints = 0, paperHeightPoints = 0;
  int imageWidth = 0, imageHeight = 0;
  int xPpi = 0, yPpi = 0;
  std::string encoding;  // "image" for raw pixels (lossless), "jpeg" for JPEG
};
PdfFacts ReadPdf(const QString& pdf);

// The PDF's first page rasterised by pdftocairo at the resolution.
QImage RasterOfPdf(const QString& pdf, int dotsPerInch);

// The box around every pixel that is not white; empty when all are white.
QRect InkBox(const QImage& raster);

// How many pixels of image differ from the raster's pixels at the corner.
long long DifferingPixels(const QImage& raster, QPoint corner, const QImage& image);
