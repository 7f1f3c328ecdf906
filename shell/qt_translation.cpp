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
  // A Qt built into the program (on Windows) brings no catalogues: the program
  // carries its own; elsewhere it is the system's Qt's.
  for (const QString& folder :
       {QStringLiteral(":/kamerol/translations"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
    auto* translator = new QTranslator(app);
    translator->setObjectName(QLatin1String(kName));
    if (translator->load(QStringLiteral("qtbase_ru"), folder)) return QCoreApplication::installTranslator(translator);
    delete translator;
  }
  return false;
}

}  // namespace kamerol::shell
