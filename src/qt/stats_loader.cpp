#include "stats_loader.h"

#include <QDir>
#include <QFileInfo>

#include "util/tr.h"

namespace kalvitor::qt {

StatsModule* StatsModuleLoader::Load(QString& why) {
  if (module_ != nullptr) return module_;
  // The file's name as the build made it (kalvitor-stats.so, kalvitor-stats.dll).
  const QString name = QStringLiteral(KALVITOR_STATS_MODULE);
  QString file;
  for (const QString& folder : folders_) {
    const QString candidate = QDir::cleanPath(folder + QLatin1Char('/') + name);
    if (QFileInfo(candidate).isFile()) {
      file = candidate;
      break;
    }
  }
  if (file.isEmpty()) {
    QStringList looked;
    for (const QString& folder : folders_) looked << QDir::toNativeSeparators(QDir::cleanPath(folder));
    why = QString::fromUtf8(Tr("Окно статистики не открывается: не найден его модуль %1.\nИскали в папках:\n%2"))
              .arg(name, looked.join(QLatin1Char('\n')));
    return nullptr;
  }
  auto loader = std::make_unique<QPluginLoader>(file);
  QObject* root = loader->instance();
  if (root == nullptr) {
    why = QString::fromUtf8(Tr("Окно статистики не открывается: его модуль %1 не загрузился.\n%2"))
              .arg(QDir::toNativeSeparators(file), loader->errorString());
    return nullptr;
  }
  auto* module = qobject_cast<StatsModule*>(root);
  if (module == nullptr) {
    why = QString::fromUtf8(Tr("Окно статистики не открывается: модуль %1 — от другой версии игры."))
              .arg(QDir::toNativeSeparators(file));
    return nullptr;
  }
  // Kept loaded: the windows it makes live on in the game.
  loader_ = std::move(loader);
  module_ = module;
  return module_;
}

}  // namespace kalvitor::qt
