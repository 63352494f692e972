#include "tests/platform/PrintedPdf.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// Sets the page setup's paper and margins, in whichever dialog holds it.
void SetPaper(QWidget* dialog, PaperChoice paper) {
  auto* sizes = dialog->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
  ASSERT_NE(sizes, nullptr);
  int index = -1;
  for (int i = 0; i < sizes->count(); ++i)
    if (sizes->itemData(i).value<QPageSize>().id() == paper.size) index = i;
  ASSERT_GE(index, 0) << "the paper is not offered";
  sizes->setCurrentIndex(index);
  if (paper.marginMillimetres < 0) return;
  auto* units = dialog->findChild<QComboBox*>(QStringLiteral("unitCombo"));
  ASSERT_NE(units, nullptr);
  for (int i = 0; i < units->count(); ++i)
    if (units->itemData(i).value<QPageLayout::Unit>() == QPageLayout::Millimeter) units->setCurrentIndex(i);
  for (const char* name : {"topMargin", "leftMargin", "rightMargin", "bottomMargin"}) {
    auto* margin = dialog->findChild<QDoubleSpinBox*>(QLatin1String(name));
    ASSERT_NE(margin, nullptr) << name;
    margin->setValue(paper.marginMillimetres);
  }
}

// The text a tool writes to its standard output; fails when the tool is
// missing or does not succeed.
QByteArray Run(const QString& tool, const QStringList& arguments) {
  const QString program = QStandardPaths::findExecutable(tool);
  if (program.isEmpty()) {
    ADD_FAILURE() << tool.toStdString() << " is missing (scripts/install-deps installs poppler-utils)";
    return {};
  }
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    ADD_FAILURE() << tool.toStdString() << " failed: " << process.readAllStandardError().toStdString();
    return {};
  }
  return process.readAllStandardOutput();
}

}  // namespace

void PrintNextToPdf(QObject& context, const QString& pdf, PaperChoice paper, QPageLayout& chosen) {
  auto* timer = new QTimer(&context);  // owned by the context
  QObject::connect(timer, &QTimer::timeout, &context, [timer, pdf, paper, &chosen] {
    auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    timer->stop();
    auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
    auto* properties = dialog->findChild<QPushButton*>(QStringLiteral("properties"));
    ASSERT_TRUE(printers && name && properties);
    printers->setCurrentIndex(printers->count() - 1);
    name->setText(pdf);

    // The page setup is a dialog of its own, modal over the print dialog.
    QTimer setup;
    QObject::connect(&setup, &QTimer::timeout, &setup, [&] {
      auto* pageDialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!pageDialog || pageDialog == dialog) return;
      setup.stop();
      SetPaper(pageDialog, paper);
      pageDialog->accept();
    });
    setup.start(20);
    properties->click();
    setup.stop();

    dialog->accept();
    chosen = dialog->printer()->pageLayout();
    EXPECT_EQ(dialog->printer()->outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(dialog->printer()->outputFileName(), pdf);
  });
  timer->start(20);
}

PdfFacts ReadPdf(const QString& pdf) {
  PdfFacts facts;
  const QString info = QString::fromUtf8(Run(QStringLiteral("pdfinfo"), {pdf}));
  const auto field = [&](const char* key) {
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(QLatin1String(key)),
                                  QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
  };
  facts.pages = field("Pages").toInt();
  facts.title = field("Title").toStdString();
  const QRegularExpressionMatch size =
      QRegularExpression(QStringLiteral("^([0-9.]+) x ([0-9.]+) pts")).match(field("Page size"));
  facts.paperWidthPoints = size.captured(1).toDouble();
  facts.paperHeightPoints = size.captured(2).toDouble();

  // page num type width height color comp bpc enc interp object ID x-ppi y-ppi ...
  const QStringList lines = QString::fromUtf8(Run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}))
                                .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  if (lines.size() != 3) {
    ADD_FAILURE() << "expected one image in the PDF, pdfimages lists " << lines.size() - 2;
    return facts;
  }
  const QStringList columns = lines[2].split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (columns.size() < 14) return facts;
  facts.imageWidth = columns[3].toInt();
  facts.imageHeight = columns[4].toInt();
  facts.encoding = columns[8].toStdString();
  facts.xPpi = columns[12].toInt();
  facts.yPpi = columns[13].toInt();
  return facts;
}

QImage RasterOfPdf(const QString& pdf, int dotsPerInch) {
  QTemporaryDir folder;
  const QString stem = folder.filePath(QStringLiteral("raster"));
  Run(QStringLiteral("pdftocairo"),
      {QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-r"), QString::number(dotsPerInch), pdf, stem});
  return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

QRect InkBox(const QImage& raster) {
  int left = raster.width(), top = raster.height(), right = -1, bottom = -1;
  for (int y = 0; y < raster.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(raster.constScanLine(y));
    for (int x = 0; x < raster.width(); ++x)
      if ((line[x] & 0xFFFFFF) != 0xFFFFFF) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = y;
      }
  }
  return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

long long DifferingPixels(const QImage& raster, QPoint corner, const QImage& image) {
  const QImage expected = image.convertToFormat(QImage::Format_RGB32);
  long long differing = 0;
  for (int y = 0; y < expected.height(); ++y)
    for (int x = 0; x < expected.width(); ++x) {
      const QPoint at = corner + QPoint(x, y);
      if (!raster.valid(at) || (raster.pixel(at) & 0xFFFFFF) != (expected.pixel(x, y) & 0xFFFFFF)) ++differing;
    }
  return differing;
}
