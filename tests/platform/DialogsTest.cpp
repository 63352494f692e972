// The file dialogs, the Yes/No question and printing, driven as a user would.

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

#include "platform/qt/State.h"
#include "tests/platform/PrintedPdf.h"
#include "tests/platform/TestSupport.h"

namespace {

using DialogsTest = WindowTest;

std::string Bytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Types the path into the dialog's file name field and presses Return.
void EnterPath(QFileDialog* dialog, const QString& path) {
  auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(name, nullptr);
  name->setText(path);
  QTest::keyClick(name, Qt::Key_Return);
}

TEST_F(DialogsTest, FileDialogsReturnThePathsBytesOrNothing) {
  const Watchdog watchdog;
  QTemporaryDir folder;
  const QString existing = folder.filePath(QStringLiteral(u"zurück.sdk"));
  std::ofstream(Bytes(existing)) << "x";
  QObject context;
  WhenModal<QFileDialog>(context, [&](QFileDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral(u"Öffnen"));
    EXPECT_EQ(dialog->nameFilters(), QStringList{QStringLiteral("Tolva Sudoku (*.sdk)")});
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
    EnterPath(dialog, existing);
  });
  EXPECT_EQ(OpenFileDialog("\xD6" "ffnen", "Tolva Sudoku|*.sdk"), Bytes(existing));
  WhenModal<QFileDialog>(context, [](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_EQ(OpenFileDialog("\xD6" "ffnen", "Tolva Sudoku|*.sdk"), "");

  // Saving takes the name as typed and leaves the question of overwriting to
  // the program (a question here would block the test).
  WhenModal<QFileDialog>(context, [&](QFileDialog* dialog) { EnterPath(dialog, folder.filePath("neu")); });
  EXPECT_EQ(SaveFileDialog("Speichern", "Tolva Sudoku|*.sdk"), Bytes(folder.filePath("neu")));
  WhenModal<QFileDialog>(context, [&](QFileDialog* dialog) { EnterPath(dialog, existing); });
  EXPECT_EQ(SaveFileDialog("Speichern", "Tolva Sudoku|*.sdk"), Bytes(existing));
}

// The texts of the dialog's push buttons and labels.
QStringList Texts(QWidget* dialog) {
  QStringList texts;
  for (const auto* button : dialog->findChildren<QPushButton*>()) texts << button->text();
  for (const auto* label : dialog->findChildren<QLabel*>()) texts << label->text();
  return texts;
}

TEST_F(DialogsTest, QtsDialogsSpeakGermanWhateverTheLocale) {
  const Watchdog watchdog;
  QObject context;
  WhenModal<QMessageBox>(context, [](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Image"));
    EXPECT_EQ(box->text(), QStringLiteral("Soll das Bild trotzdem gespeichert werden?"));
    EXPECT_TRUE(Texts(box).contains(QStringLiteral("&Ja")));
    EXPECT_TRUE(Texts(box).contains(QStringLiteral("&Nein")));
    EXPECT_FALSE(Texts(box).contains(QStringLiteral("&Yes")));
    box->button(QMessageBox::No)->click();
  });
  EXPECT_FALSE(AskYesNo("Image", "Soll das Bild trotzdem gespeichert werden?"));
  WhenModal<QMessageBox>(context, [](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
  EXPECT_TRUE(AskYesNo("Image", "Soll das Bild trotzdem gespeichert werden?"));

  WhenModal<QFileDialog>(context, [](QFileDialog* dialog) {
    const QStringList texts = Texts(dialog);
    EXPECT_TRUE(texts.contains(QStringLiteral("Abbrechen"))) << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("Datei&name:"))) << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("Suchen in:")));
    dialog->reject();
  });
  EXPECT_EQ(SaveFileDialog("Speichern", "Tolva Sudoku|*.sdk"), "");

  // Its list gives a file's date and size as German writes them ("07.12.26
  // 14:56", "3,91 KiB"), not in the formats of the locale the tests run in.
  QTemporaryDir folder;
  const QString file = folder.filePath(QStringLiteral("datum.sdk"));
  std::ofstream(Bytes(file)) << std::string(4000, 'x');
  const QLocale german(QLocale::German, QLocale::Germany);
  WhenModal<QFileDialog>(context, [&](QFileDialog* dialog) {
    dialog->setDirectory(folder.path());
    auto* files = dialog->findChild<QFileSystemModel*>();
    ASSERT_NE(files, nullptr);
    const auto shown = [&](int column) { return files->data(files->index(file, column)).toString().toStdString(); };
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown(3).empty(); }, 5000));
    EXPECT_EQ(shown(3), german.toString(QFileInfo(file).lastModified(), QLocale::ShortFormat).toStdString());
    EXPECT_EQ(shown(1), german.formattedDataSize(4000).toStdString());
    dialog->reject();
  });
  EXPECT_EQ(OpenFileDialog("\xD6" "ffnen", "Tolva Sudoku|*.sdk"), "");
}

TEST_F(DialogsTest, FileDialogsLeaveNoSettingsFileBehind) {
  const Watchdog watchdog;
  QObject context;
  WhenModal<QFileDialog>(context, [](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_EQ(OpenFileDialog("\xD6" "ffnen", "Tolva Sudoku|*.sdk"), "");

  WhenModal<QFileDialog>(context, [](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_EQ(SaveFileDialog("Speichern", "Tolva Sudoku|*.sdk"), "");
  const QSettings qtSettings(QSettings::UserScope, QStringLiteral("QtProject"));
  EXPECT_FALSE(QFile::exists(qtSettings.fileName())) << qtSettings.fileName().toStdString();
}

// A page image in which every pixel differs from its neighbours, so that any
// shift, scaling or lossy compression shows; no pixel is white.
QImage MakeTestPage(int image) {
  EXPECT_TRUE(CreateImage(image, 2100, 2975));
  QImage& page = *qtws::FindImage(image);
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x)
      page.setPixel(x, y, qRgb(40 * (x % 6) + 10, 50 * (y % 5) + 20, 30 * ((x + 2 * y) % 7)));
  return page;
}

constexpr double kMillimetresPerInch = 25.4;

// Prints the page on the paper through the dialog and checks what a user
// gets: one page "Sudoku" holding the page image 1:1 at a whole resolution,
// at the printable area's corner, wholly on the printable area, as large as
// fits, losslessly. Returns the resolution.
int PrintAndCheck(const QImage& page, PaperChoice paper) {
  QTemporaryDir folder;
  const QString pdf = folder.filePath(QStringLiteral("seite.pdf"));
  QObject context;
  QPageLayout chosen;
  PrintNextToPdf(context, pdf, paper, chosen);
  EXPECT_TRUE(PrintImage(8, "Sudoku"));

  const PdfFacts facts = ReadPdf(pdf);
  EXPECT_EQ(facts.pages, 1);
  EXPECT_EQ(facts.title, "Sudoku");
  EXPECT_EQ(facts.encoding, "image") << "raw pixels, not JPEG";
  EXPECT_EQ(QSize(facts.imageWidth, facts.imageHeight), page.size());
  const int resolution = facts.xPpi;
  EXPECT_EQ(facts.yPpi, resolution);
  EXPECT_GT(resolution, 0);
  if (resolution <= 0) return 0;
  const QSizeF paperPoints = chosen.fullRectPoints().size();
  EXPECT_NEAR(facts.paperWidthPoints, paperPoints.width(), 0.5);
  EXPECT_NEAR(facts.paperHeightPoints, paperPoints.height(), 0.5);

  // Where the ink lies at the page's resolution, in printer pixels.
  const QImage raster = RasterOfPdf(pdf, resolution);
  const QRect ink = InkBox(raster);
  EXPECT_EQ(ink.size(), page.size()) << "one image pixel per printer pixel";
  const QRectF printable = chosen.paintRect(QPageLayout::Point);
  const double pixelsPerPoint = resolution / 72.0;
  EXPECT_GE(ink.left(), printable.left() * pixelsPerPoint - 1e-6);
  EXPECT_LT(ink.left(), printable.left() * pixelsPerPoint + 1) << "at the printable area's left edge";
  EXPECT_GE(ink.top(), printable.top() * pixelsPerPoint - 1e-6);
  EXPECT_LT(ink.top(), printable.top() * pixelsPerPoint + 1) << "at the printable area's top edge";
  EXPECT_LE(ink.right() + 1, printable.right() * pixelsPerPoint + 1e-6) << "nothing beyond the printable area";
  EXPECT_LE(ink.bottom() + 1, printable.bottom() * pixelsPerPoint + 1e-6) << "nothing beyond the printable area";
  // One dot per inch less would print it larger than the printable area.
  const double coarserPointsPerPixel = 72.0 / (resolution - 1);
  EXPECT_TRUE((page.width() + 1) * coarserPointsPerPixel > printable.width() ||
              (page.height() + 1) * coarserPointsPerPixel > printable.height())
      << "the largest print that fits";
  EXPECT_EQ(DifferingPixels(raster, ink.topLeft(), page), 0) << "lossless";
  return resolution;
}

TEST_F(DialogsTest, TheClipboardTakesProgramTextsAndGivesUtf8CutAtTheLimit) {
  SetClipboardText("zur\xFC" "ck \x80");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral(u"zurück €"));
  EXPECT_EQ(ClipboardText(100), "zur\xC3\xBC" "ck \xE2\x82\xAC");
  EXPECT_EQ(ClipboardText(4), "zur\xC3") << "cut after 4 bytes, as a file read is";
  QGuiApplication::clipboard()->setText(QStringLiteral(u"\uFEFF..3"));
  EXPECT_EQ(ClipboardText(100), "\xEF\xBB\xBF..3");
  QGuiApplication::clipboard()->clear();
  EXPECT_EQ(ClipboardText(100), "");
}

TEST_F(DialogsTest, CancellingThePrintDialogPrintsNothing) {
  const Watchdog watchdog;
  ASSERT_TRUE(CreateImage(8, 120, 80));
  QObject context;
  WhenModal<QPrintDialog>(context, [](QPrintDialog* dialog) {
    EXPECT_EQ(dialog->printer()->docName(), QStringLiteral("Sudoku"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Drucken")) << "Qt's texts in German";
    dialog->reject();
  });
  EXPECT_FALSE(PrintImage(8, "Sudoku"));
  FreeImage(8);
}

TEST_F(DialogsTest, PrintingFillsThePaperOnePixelPerPrinterPixelLosslessly) {
  const Watchdog watchdog(100);
  const QImage page = MakeTestPage(8);

  // A4 with the dialog's own margins: about 204 mm of the 210 mm width.
  const int a4 = PrintAndCheck(page, {QPageSize::A4});
  const double a4Width = page.width() * kMillimetresPerInch / a4;
  EXPECT_GT(a4Width, 200);
  EXPECT_LT(a4Width, 210);

  // Without margins the page's height decides: 2975 pixels fit in 297 mm at
  // 255 dpi but not at 254.
  EXPECT_EQ(PrintAndCheck(page, {QPageSize::A4, 0}), 255);

  // US Letter is wider and shorter than A4: the height decides again.
  const int letter = PrintAndCheck(page, {QPageSize::Letter});
  EXPECT_GT(letter, a4);
  FreeImage(8);
}
}  // namespace
