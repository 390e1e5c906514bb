// Backgrounds, pictures and effects come from the Qt resources compiled into
// the program (":/backgrounds/NAME.jpg", ":/pictures/NAME.jpg",
// ":/sfx/NAME.wav").
#include "media.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <mutex>

// The resources live in a static library: register them explicitly, once,
// so the linker keeps them and Qt knows them before the first lookup.
static void RegisterMediaResources() { Q_INIT_RESOURCE(media); }

namespace kalvitor::media {
namespace {

void EnsureResources() {
  static std::once_flag once;
  std::call_once(once, RegisterMediaResources);
}

// The resource path for a name in any letter case; empty for names that are
// not plain words (no path tricks into other resources).
QString ResourcePath(const QString& folder, const QString& name, const QString& extension) {
  if (name.isEmpty()) return {};
  for (const QChar c : name) {
    if (!(c.isLetterOrNumber() || c == u'_')) return {};
  }
  return QStringLiteral(":/") + folder + u'/' + name.toUpper() + extension;
}

QString BackgroundPath(const QString& name) {
  return ResourcePath(QStringLiteral("backgrounds"), name, QStringLiteral(".jpg"));
}

QImage LoadJpeg(const QString& path) {
  if (path.isEmpty() || !QFileInfo::exists(path)) return {};
  QImage image;
  if (!image.load(path, "JPG")) return {};
  return image;
}

QString EffectPath(const QString& name) { return ResourcePath(QStringLiteral("sfx"), name, QStringLiteral(".wav")); }

}  // namespace

QImage Background(const QString& name) {
  EnsureResources();
  return LoadJpeg(BackgroundPath(name));
}

bool HasBackground(const QString& name) {
  EnsureResources();
  const QString path = BackgroundPath(name);
  return !path.isEmpty() && QFileInfo::exists(path);
}

QImage Picture(const QString& name) {
  EnsureResources();
  return LoadJpeg(ResourcePath(QStringLiteral("pictures"), name, QStringLiteral(".jpg")));
}

QByteArray EffectBytes(const QString& name) {
  EnsureResources();
  const QString path = EffectPath(name);
  if (path.isEmpty()) return {};
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

}  // namespace kalvitor::media
