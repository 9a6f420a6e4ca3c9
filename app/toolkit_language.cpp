#include "app/toolkit_language.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zm48d {

bool LoadToolkitTranslations(QCoreApplication& application) {
  const QLocale portuguese(QLocale::Portuguese, QLocale::Brazil);
  QLocale::setDefault(portuguese);
  auto* translator = new QTranslator(&application);
  if (!translator->load(portuguese, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

}  // namespace zm48d
