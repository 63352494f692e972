// Qt's own dialogs (questions, file and print dialogs) in German, whatever
// the user's locale, to match the program's texts.

#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

#include "platform/qt/State.h"

namespace qtws {

void UseGermanDialogs() {
  static QTranslator translator;
  if (translator.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&translator);
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

}  // namespace qtws
