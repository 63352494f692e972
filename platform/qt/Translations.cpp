// Qt's own dialogs (questions, file and print dialogs) in German, whatever
// the user's locale, to match the program's texts: their words, and their
// dates and numbers.

#include <QByteArray>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <array>
#include <optional>

#include "platform/qt/State.h"

namespace qtws {

void UseGermanFormats() {
  // Qt's file dialog writes dates and sizes in the formats of the system's
  // locale, which Qt reads from these variables once, at its first use. The
  // environment is the user's again right after, so neither the C library's
  // locale nor any program started from here changes.
  constexpr std::array<const char*, 5> kCategories{"LC_ALL", "LC_NUMERIC", "LC_TIME", "LC_MONETARY",
                                                   "LC_MEASUREMENT"};
  std::array<std::optional<QByteArray>, kCategories.size()> saved;
  for (std::size_t i = 0; i < kCategories.size(); ++i) {
    if (qEnvironmentVariableIsSet(kCategories[i])) saved[i] = qgetenv(kCategories[i]);
    if (i == 0)
      qunsetenv(kCategories[i]);
    else
      qputenv(kCategories[i], QByteArrayLiteral("de_DE.UTF-8"));
  }
  static_cast<void>(QLocale::system());
  for (std::size_t i = 0; i < kCategories.size(); ++i)
    if (saved[i])
      qputenv(kCategories[i], *saved[i]);
    else
      qunsetenv(kCategories[i]);
}

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
