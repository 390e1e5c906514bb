#include "app_folders.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QStandardPaths>

#include "util/program_name.h"

namespace kalvitor::qt {

void SetUpIdentity() {
  // The same names as the settings store: AppDataLocation becomes
  // ~/.local/share/Brindlex/Kalvitor 1.6.
  QCoreApplication::setOrganizationName(QString::fromLatin1(kMaker));
  QCoreApplication::setApplicationName(QString::fromLatin1(kProduct));
  QCoreApplication::setApplicationVersion(QStringLiteral(KALVITOR_VERSION));
  QGuiApplication::setDesktopFileName(QStringLiteral("kalvitor"));
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icons/kalvitor-%1.png").arg(size), QSize(size, size));
  QApplication::setWindowIcon(icon);
}

GameFolders ChooseAppFolders() {
  // In the system's own spelling (C:\Games\Kalvitor on Windows), as the
  // game's messages show the paths it makes from them.
  const QString program = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
  const QString installedData =
      QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QStringLiteral("/" KALVITOR_DATA_FROM_PROGRAM));
  // Linux: ~/.local/share/Brindlex/Kalvitor 1.6; Windows: %APPDATA%\Brindlex\Kalvitor 1.6.
  const QString perUser = QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
  return GameFolders::Choose(program.toStdString(), installedData.toStdString(), perUser.toStdString());
}

QStringList ModuleFolders() {
  const QString program = QCoreApplication::applicationDirPath();
  QStringList folders{program};
  const QString installed = QDir::cleanPath(program + QStringLiteral("/" KALVITOR_MODULES_FROM_PROGRAM));
  if (installed != QDir::cleanPath(program)) folders << installed;
  return folders;
}

}  // namespace kalvitor::qt
