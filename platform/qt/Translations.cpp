// Qt's own dialogs (questions, file and print dialogs) in German, whatever
// the user's locale, to match the program's texts.

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/qt/State.h"

namespace qtws {

void UseGermanDialogs() {
  const QLocale german(QLocale::German, QLocale::Germany);
  QLocale::setDefault(german);
  // Owned by the application, so it goes with it.
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(german, QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator);
}

}  // namespace qtws
