// The file dialogs, the Yes/No question and printing, driven as a user would.

#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

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

TEST_F(DialogsTest, PrintingPutsTheImageOnePixelPerPrinterPixel) {
  const Watchdog watchdog(40);
  ASSERT_TRUE(CreateImage(8, 120, 80));
  QObject context;
  WhenModal<QPrintDialog>(context, [](QPrintDialog* dialog) { dialog->reject(); });
  EXPECT_FALSE(PrintImage(8, "Sudoku"));

  QTemporaryDir folder;
  const QString pdf = folder.filePath(QStringLiteral("seite.pdf"));
  WhenModal<QPrintDialog>(context, [&](QPrintDialog* dialog) {
    EXPECT_EQ(dialog->printer()->docName(), QStringLiteral("Sudoku"));
    if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"))) name->setText(pdf);
    dialog->accept();
  });
  ASSERT_TRUE(PrintImage(8, "Sudoku"));
  FreeImage(8);

  // Printing to a file is at 1200 dpi: the page's image must have that
  // resolution, and the image's own size.
  const QString list = QStandardPaths::findExecutable(QStringLiteral("pdfimages"));
  if (list.isEmpty()) GTEST_SKIP() << "pdfimages is not installed";
  QProcess images;
  images.start(list, {QStringLiteral("-list"), pdf});
  ASSERT_TRUE(images.waitForFinished(20000));
  const QStringList lines = QString::fromLocal8Bit(images.readAllStandardOutput()).split(QLatin1Char('\n'));
  ASSERT_GE(lines.size(), 3);
  const QStringList columns = lines[2].split(QLatin1Char(' '), Qt::SkipEmptyParts);
  ASSERT_GE(columns.size(), 14);  // page num type width height ... x-ppi y-ppi
  EXPECT_EQ(columns.mid(3, 2), (QStringList{"120", "80"}));
  EXPECT_EQ(columns.mid(12, 2), (QStringList{"1200", "1200"}));
}

}  // namespace
