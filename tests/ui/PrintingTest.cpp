// Printing as a user does it: the selection window, the preview, the image
// export and the print dialog, driven through their real widgets.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <malloc.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <vector>

#include "board/Board.h"
#include "storage/PuzzleFile.h"
#include "tests/platform/PrintedPdf.h"
#include "tests/support/BoardBuilder.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/UserScript.h"
#include "ui/MainWindow.h"
#include "ui/Printing.h"
#include "ui/Resources.h"

namespace {

constexpr long long kBmpFileSize = 18742554;

const QString kImageQuestion = QStringLiteral("Soll das Bild trotzdem gespeichert werden?");
const QString kOverwriteQuestion = QStringLiteral(u"Soll die Datei wirklich überschrieben werden?");

const QString kImageTitle = QStringLiteral("Image");
const QString kExportTitle = QStringLiteral("Image speichern");
const QString kOverwriteTitle = QStringLiteral("Fehler");

class Printing : public testing::Test {
 protected:
  void SetUp() override { OpenMainWindow(); }
  void TearDown() override { CloseWindow(kMainWindow); }

  // Goes through "Drucken", the preview's "Abbrechen" and Yes to the image
  // question, to the export's save dialog, and saves under path.
  static void ExportOnto(Script& script, const std::string& path) {
    script.WhenGadget(kSelectionPrint, [] { Click(kSelectionPrint); })
        .WhenGadget(kPreviewCancel, [] { Click(kPreviewCancel); })
        .WhenBox(kImageTitle, [] { Answer(kImageTitle, QMessageBox::Yes); })
        .WhenFileDialog(kExportTitle, [path] { EnterPath(kExportTitle, path); });
  }
};

TEST_F(Printing, PreviewScrollsToTheWholePageBelowItsButtons) {
  QSize inner, image;
  QPoint imageCorner;
  int buttonHeight = 0, lowestVisible = 0, looks = 0;
  QRect areaAfterResize, cancelAfterResize;
  QString question;
  Script script;
  script.WhenGadget(kSelectionPrint, [] { Click(kSelectionPrint); })
      .WhenGadget(kPreviewCancel, [&] {
        auto* area = static_cast<QScrollArea*>(Gadget(kPreviewArea));
        inner = area->widget()->size();
        image = Gadget(kPreviewImage)->size();
        imageCorner = Gadget(kPreviewImage)->pos();
        buttonHeight = Gadget(kPreviewPrint)->height();
        // Scrolled to the end, the page's last row is in view.
        area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
        lowestVisible = area->widget()->mapFrom(area->viewport(), QPoint(0, area->viewport()->height() - 1)).y();
        // As a window manager that lets the user restore and resize it.
        ResizeWindow(kPreviewWindow, 500, 400);
      })
      .When([&] { return Gadget(kPreviewArea)->width() == 500 || ++looks > 500; },
            [&] {
              areaAfterResize = Gadget(kPreviewArea)->geometry();
              cancelAfterResize = Gadget(kPreviewCancel)->geometry();
              Click(kPreviewCancel);
            })
      .WhenBox(kImageTitle, [&] {
        question = ModalTitled<QMessageBox>(kImageTitle)->text();
        Answer(kImageTitle, QMessageBox::No);
      });
  EXPECT_EQ(ShowPrintSelection(), 0);
  ASSERT_TRUE(script.Done());
  EXPECT_EQ(question, kImageQuestion) << "asked after \"Abbrechen\" as well";
  EXPECT_EQ(inner, QSize(2100, 40 + 2975)) << "the buttons and the whole page";
  EXPECT_EQ(imageCorner, QPoint(0, 40));
  EXPECT_EQ(buttonHeight, 40);
  EXPECT_EQ(image, QSize(2100, 2975));
  EXPECT_EQ(lowestVisible, 40 + 2975 - 1) << "the credit line can be scrolled into view";
  EXPECT_EQ(areaAfterResize, QRect(0, 0, 500, 400)) << "the scroll area follows the window";
  EXPECT_EQ(cancelAfterResize, QRect(250, 0, 250, 40)) << "\"Abbrechen\" stays the right half";
}

QString AccessibleName(int gadget) { return QAccessible::queryAccessibleInterface(Gadget(gadget))->text(QAccessible::Name); }

// What a screen reader is told: each slot by its number and its file's name,
// or "leer", and as nothing but that (a field's text, its path, is not
// read); the preview's page, which has the keyboard, by how many puzzles are
// on it and their names; and Tab stops only at what has a name.
TEST_F(Printing, SlotsAndThePageAreNamedByTheirPuzzles) {
  TempFolder folder;
  const std::string path = folder.Path("Wochenende \xC3\xBC" "ber.sdk");
  SavePuzzle(path);
  QStringList slotsBefore, slotsAfter, tabStops;
  QString page;
  bool pageFocused = false, fieldReadsText = true;
  Script script;
  script.WhenGadget(SlotField(0, 1) + 1, [&] {
          for (int slot = 0; slot < 6; ++slot) slotsBefore << AccessibleName(SlotField(slot / 3, slot % 3));
          Click(SlotField(0, 1) + 1);
        })
      .WhenFileDialog(QStringLiteral(u"Öffnen"), [&] { EnterPath(QStringLiteral(u"Öffnen"), path); })
      .When([] { return !GetGadgetText(SlotField(0, 1)).empty(); },
            [&] {
              for (int slot = 0; slot < 6; ++slot) slotsAfter << AccessibleName(SlotField(slot / 3, slot % 3));
              fieldReadsText = QAccessible::queryAccessibleInterface(Gadget(SlotField(0, 1)))->textInterface() != nullptr;
              Click(kSelectionPrint);
            })
      .WhenGadget(kPreviewCancel, [&] {
        page = AccessibleName(kPreviewImage);
        QWidget* preview = Gadget(kPreviewImage)->window();
        pageFocused = preview->focusWidget() == Gadget(kPreviewImage);
        for (QWidget* stop = preview->nextInFocusChain(); stop != preview; stop = stop->nextInFocusChain())
          if (stop->isVisible() && (stop->focusPolicy() & Qt::TabFocus))
            tabStops << QAccessible::queryAccessibleInterface(stop)->text(QAccessible::Name);
        Click(kPreviewCancel);
      })
      .WhenBox(kImageTitle, [] { Answer(kImageTitle, QMessageBox::No); });
  EXPECT_EQ(ShowPrintSelection(), 0);
  ASSERT_TRUE(script.Done());
  EXPECT_EQ(slotsBefore, QStringList({QStringLiteral(u"Rätsel 1: leer"), QStringLiteral(u"Rätsel 2: leer"),
                                      QStringLiteral(u"Rätsel 3: leer"), QStringLiteral(u"Rätsel 4: leer"),
                                      QStringLiteral(u"Rätsel 5: leer"), QStringLiteral(u"Rätsel 6: leer")}));
  EXPECT_EQ(slotsAfter.value(1), QStringLiteral(u"Rätsel 2: Wochenende über.sdk")) << "its name, not its path";
  EXPECT_EQ(slotsAfter.value(0), QStringLiteral(u"Rätsel 1: leer"));
  EXPECT_FALSE(fieldReadsText);
  EXPECT_EQ(page, QStringLiteral(u"Druckseite mit 1 Rätsel: Wochenende über.sdk"));
  EXPECT_TRUE(pageFocused) << "the page has the keyboard on opening";
  EXPECT_EQ(tabStops, QStringList({page, QStringLiteral("Seite drucken"), QStringLiteral("Nicht drucken")}))
      << "Tab stops at the named page and buttons only, not at the scroll area";
}

// A puzzle file where the export is about to write.
class ExportOntoAFile : public Printing {
 protected:
  void SetUp() override {
    Printing::SetUp();
    ClearBoard(gMainBoard);
    LoadGrid(SolvedGrid(), true);
    SavePuzzle(puzzle_);
    before_ = ReadFileBytes(puzzle_);
    ASSERT_EQ(before_.size(), 4000U);
  }
  TempFolder folder_;
  const std::string puzzle_ = folder_.Path("raetsel.sdk");
  std::string before_;
};

TEST_F(ExportOntoAFile, AsksAndNoLeavesTheFileAsItWas) {
  QString question;
  Script script;
  ExportOnto(script, puzzle_);
  script.WhenBox(kOverwriteTitle, [&] {
    question = ModalTitled<QMessageBox>(kOverwriteTitle)->text();
    Answer(kOverwriteTitle, QMessageBox::No);
  });
  EXPECT_EQ(ShowPrintSelection(), 0);
  ASSERT_TRUE(script.Done());
  EXPECT_EQ(question, kOverwriteQuestion);
  EXPECT_EQ(ReadFileBytes(puzzle_), before_);
}

TEST_F(ExportOntoAFile, YesReplacesItWithTheBitmap) {
  Script script;
  ExportOnto(script, puzzle_);
  script.WhenBox(kOverwriteTitle, [] { Answer(kOverwriteTitle, QMessageBox::Yes); });
  EXPECT_EQ(ShowPrintSelection(), 0);
  ASSERT_TRUE(script.Done());
  const std::string bitmap = ReadFileBytes(puzzle_);
  EXPECT_EQ(static_cast<long long>(bitmap.size()), kBmpFileSize);
  EXPECT_EQ(bitmap.substr(0, 2), "BM");
}

// Six different puzzles with givens, entered digits and candidates.
std::vector<std::string> SavePuzzles(const TempFolder& folder) {
  std::vector<std::string> paths;
  const std::string solved = SolvedGrid();
  for (int n = 0; n < 6; ++n) {
    ClearBoard(gMainBoard);
    std::string grid = solved;
    for (std::size_t i = 0; i < grid.size(); ++i)
      if ((i * 7 + static_cast<std::size_t>(n) * 5) % 3 != 0) grid[i] = '.';
    LoadGrid(grid, true);
    for (int col = 1; col <= 9; ++col)
      for (int row = 1; row <= 9; ++row)
        if (!At(col, row).locked && (col + row + n) % 4 == 0) SetCandidates(col, row, "12347");
        else if (!At(col, row).locked && (col * row + n) % 5 == 0) SetCandidates(col, row, "5");
    paths.push_back(folder.Path("puzzle" + std::to_string(n) + ".sdk"));
    SavePuzzle(paths.back());
  }
  return paths;
}

// Side by side on grey, both scaled to a quarter: the printed sheet as
// pdftocairo renders it and the exported bitmap.
QImage SideBySide(const QImage& printed, const QImage& exported) {
  const QImage left = printed.scaledToWidth(printed.width() / 4, Qt::SmoothTransformation);
  const QImage right = exported.scaledToWidth(exported.width() / 4, Qt::SmoothTransformation);
  constexpr int kGap = 16;
  QImage both(kGap + left.width() + kGap + right.width() + kGap, kGap + left.height() + kGap, QImage::Format_RGB32);
  both.fill(QColor(128, 128, 128));
  QPainter painter(&both);
  painter.drawImage(kGap, kGap, left);
  painter.drawImage(kGap + left.width() + kGap, kGap, right);
  return both;
}

TEST_F(Printing, SixPuzzlesPrintedEqualTheExportedBitmap) {
  TempFolder folder;
  const std::vector<std::string> puzzles = SavePuzzles(folder);
  const std::string bmp = folder.Path("seite.bmp");
  const QString pdf = QString::fromStdString(folder.Path("seite.pdf"));

  using Clock = std::chrono::steady_clock;
  Clock::time_point pressed;
  Script script;
  for (std::size_t i = 0; i < puzzles.size(); ++i) {
    const int browse = SlotField(static_cast<int>(i / 3), static_cast<int>(i % 3)) + 1;
    script.WhenGadget(browse, [browse] { Click(browse); })
        .WhenFileDialog(QStringLiteral(u"Öffnen"), [path = puzzles[i]] { EnterPath(QStringLiteral(u"Öffnen"), path); });
  }
  script.WhenGadget(kSelectionPrint, [] { Click(kSelectionPrint); })
      .WhenGadget(kPreviewPrint, [&] {
        pressed = Clock::now();
        Click(kPreviewPrint);
      })
      .WhenBox(kImageTitle, [] { Answer(kImageTitle, QMessageBox::Yes); })
      .WhenFileDialog(kExportTitle, [&] { EnterPath(kExportTitle, bmp); });
  // A new file is written without a question: none is answered here.
  ASSERT_EQ(ShowPrintSelection(), 1);
  ASSERT_TRUE(script.Done());
  EXPECT_EQ(PuzzleBytes(), ReadFileBytes(puzzles.back())) << "the main board holds the last puzzle drawn";

  QObject context;
  QPageLayout chosen;
  PrintNextToPdf(context, pdf, {QPageSize::A4}, chosen);
  const Clock::time_point printing = Clock::now();
  PrintPage();
  const auto seconds = [](Clock::duration time) { return std::chrono::duration<double>(time).count(); };
  std::cout << "From the preview's \"Drucken\" to the finished PDF: " << seconds(Clock::now() - pressed)
            << " s, of which the print dialog and the print job: " << seconds(Clock::now() - printing) << " s\n";

  const PdfFacts facts = ReadPdf(pdf);
  EXPECT_EQ(facts.pages, 1);
  EXPECT_EQ(facts.title, "Sudoku");
  EXPECT_EQ(QSize(facts.imageWidth, facts.imageHeight), QSize(2100, 2975));
  const int resolution = facts.xPpi;
  ASSERT_GT(resolution, 0);
  const double width = 2100 * 25.4 / resolution;
  EXPECT_GT(width, 200);
  EXPECT_LT(width, 210);

  const QImage exported(QString::fromStdString(bmp), "BMP");
  ASSERT_EQ(exported.size(), QSize(2100, 2975));
  const QImage raster = RasterOfPdf(pdf, resolution);
  // The page's corner at the printable area's corner, on the next whole
  // printer pixel.
  const QRectF printable = chosen.paintRect(QPageLayout::Point);
  const QPoint corner(static_cast<int>(std::ceil(printable.left() * resolution / 72 - 1e-6)),
                      static_cast<int>(std::ceil(printable.top() * resolution / 72 - 1e-6)));
  EXPECT_EQ(DifferingPixels(raster, corner, exported), 0) << "the printed page is the exported bitmap";
  EXPECT_TRUE(QRect(corner, exported.size()).contains(InkBox(raster))) << "nothing else on the paper";

  // A picture of both for the documentation, when asked for.
  const QString sample = qEnvironmentVariable("TOLVA_PRINT_SAMPLE");
  if (!sample.isEmpty()) {
    EXPECT_TRUE(SideBySide(raster, exported).save(sample, "PNG"));
  }
}

// The resident size of this process's own memory in bytes: its anonymous
// pages. The pages of libraries and fonts that printing maps in are shared
// with every other program and can be dropped by the system at any time.
long long ResidentBytes() {
  std::ifstream status("/proc/self/status");
  std::string word;
  long long kilobytes = -1;
  while (status >> word) {
    if (word == "RssAnon:") status >> kilobytes;
  }
  return kilobytes * 1024;
}

// AddressSanitizer keeps freed memory on purpose, so there the runs are only
// checked for what they print and leak, not for their resident size.
#if defined(__SANITIZE_ADDRESS__) || defined(__has_feature) && __has_feature(address_sanitizer)
constexpr bool kResidentSizeTells = false;
#else
constexpr bool kResidentSizeTells = true;
#endif

// Three print runs, each with its preview and its export: the page images of
// a run are given back before the next, so the resident size stays about
// the same while each preview is open, and after each run the program has
// given back what it freed (a trim of the test's own then finds next to
// nothing).
TEST_F(Printing, ThreePrintRunsGiveTheirMemoryBack) {
  TempFolder folder;
  const std::vector<std::string> puzzles = SavePuzzles(folder);
  const long long start = ResidentBytes();
  std::vector<long long> inPreview, trimmed;
  for (int run = 0; run < 3; ++run) {
    Script script;
    for (std::size_t i = 0; i < puzzles.size(); ++i) {
      const int browse = SlotField(static_cast<int>(i / 3), static_cast<int>(i % 3)) + 1;
      script.WhenGadget(browse, [browse] { Click(browse); })
          .WhenFileDialog(QStringLiteral(u"Öffnen"),
                          [path = puzzles[i]] { EnterPath(QStringLiteral(u"Öffnen"), path); });
    }
    const std::string bmp = folder.Path("seite" + std::to_string(run) + ".bmp");
    script.WhenGadget(kSelectionPrint, [] { Click(kSelectionPrint); })
        .WhenGadget(kPreviewPrint, [&] {
          inPreview.push_back(ResidentBytes());
          Click(kPreviewPrint);
        })
        .WhenBox(kImageTitle, [] { Answer(kImageTitle, QMessageBox::Yes); })
        .WhenFileDialog(kExportTitle, [&] { EnterPath(kExportTitle, bmp); });
    ASSERT_EQ(ShowPrintSelection(), 1);
    ASSERT_TRUE(script.Done());
    QObject context;
    QPageLayout chosen;
    const QString pdf = QString::fromStdString(folder.Path("seite" + std::to_string(run) + ".pdf"));
    PrintNextToPdf(context, pdf, {QPageSize::A4}, chosen);
    PrintPage();
    ASSERT_EQ(ReadPdf(pdf).pages, 1);
    // Its size only: reading it would hold memory of the test's own.
    ASSERT_EQ(static_cast<long long>(std::filesystem::file_size(bmp)), kBmpFileSize);
    const long long beforeTrim = ResidentBytes();
    ::malloc_trim(0);
    trimmed.push_back(beforeTrim - ResidentBytes());
  }
  const long long after = ResidentBytes();
  constexpr long long kMegabyte = 1 << 20;
  constexpr long long kPageImageBytes = 2100LL * 2975 * 4;
  const auto megabytes = [](const std::vector<long long>& sizes) {
    std::string text;
    for (long long size : sizes) text.append(" ").append(std::to_string(size / kMegabyte));
    return text;
  };
  std::cout << "Resident: " << start / kMegabyte << " MB before printing, in each preview" << megabytes(inPreview)
            << " MB, " << after / kMegabyte << " MB after three print runs (the page image: "
            << kPageImageBytes / kMegabyte << " MB); a trim after each run gave back" << megabytes(trimmed) << " MB\n";
  if (kResidentSizeTells) {
    ASSERT_EQ(inPreview.size(), 3U);
    for (std::size_t run = 1; run < inPreview.size(); ++run)
      EXPECT_LE(inPreview[run], inPreview[0] + 12 * kMegabyte) << "the preview of run " << run + 1;
    for (long long freed : trimmed) EXPECT_LE(freed, 4 * kMegabyte) << "a trim after a run found memory to give back";
    EXPECT_LE(after, start + kPageImageBytes + 20 * kMegabyte);
  }
}

}  // namespace
