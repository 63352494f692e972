// The file dialogs, the Yes/No question and printing, driven as a user would.

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
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

TEST_F(DialogsTest, PrintingPutsTheImageOnePixelPerPrinterPixel) {
  const Watchdog watchdog(40);
  ASSERT_TRUE(CreateImage(8, 120, 80));
  QObject context;
  WhenModal<QPrintDialog>(context, [](QPrintDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Drucken")) << "Qt's texts in German";
    dialog->reject();
  });
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
