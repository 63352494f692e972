// The open-file and save-file dialogs, and the names of the files they give.

#include <QFile>
#include <QFileDialog>
#include <QSettings>

#include "platform/qt/State.h"
#include "platform/qt/Text1252.h"

namespace qtws {

namespace {

// "label|pattern" entries become Qt's "label (pattern)"; several patterns of
// one entry are separated by ';' there and by blanks here.
QStringList NameFilters(const std::string& filter) {
  const QStringList parts = FromWindows1252(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    filters << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                   QLatin1Char(')');
  return filters;
}

// Qt's file dialog stores its history and last folder in a settings file of
// its own whenever it closes, and Qt offers no switch against that. The
// program keeps nothing but "Data.prefs", and its dialogs start in the working
// folder, so Qt's settings go to a place that cannot hold a file: they are
// neither read nor written. The program itself uses no settings of Qt's.
void KeepNoQtSettings() {
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
}

// Qt's own dialog, not the desktop's, so it behaves the same everywhere. It
// starts in the working folder with no file name.
std::string AskForPath(const std::string& title, const std::string& filter, bool save) {
  if (!gState.application) return {};
  KeepNoQtSettings();
  QFileDialog dialog(DialogOwner(), FromWindows1252(title));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setNameFilters(NameFilters(filter));
  if (save) {
    // The program asks before overwriting a file itself.
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
  } else {
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QByteArray path = QFile::encodeName(dialog.selectedFiles().constFirst());
  return std::string(path.constData(), static_cast<std::size_t>(path.size()));
}

}  // namespace

}  // namespace qtws

std::string OpenFileDialog(const std::string& title, const std::string& filter) {
  return qtws::AskForPath(title, filter, false);
}

std::string SaveFileDialog(const std::string& title, const std::string& filter) {
  return qtws::AskForPath(title, filter, true);
}

std::string FileNameText(const std::string& path) {
  const QString name = QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
  return qtws::ToWindows1252(name.mid(name.lastIndexOf(QLatin1Char('/')) + 1));
}
