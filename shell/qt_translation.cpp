#include "shell/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace kamerol::shell {

bool installQtTranslation() {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) return false;
  static constexpr char kName[] = "kamerolQtTranslation";
  if (app->findChild<QTranslator*>(QLatin1String(kName), Qt::FindDirectChildrenOnly) != nullptr) return true;
  // Only the widgets' catalogue: "qt_ru" would also read those of every
  // other Qt module, which the program does not show.
  auto* translator = new QTranslator(app);
  translator->setObjectName(QLatin1String(kName));
  if (!translator->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace kamerol::shell
