// gen_backgrounds OUTPUT_DIR: paints the game's eleven window backgrounds
// and saves them as baseline JPEG files OUTPUT_DIR/NAME.jpg.
#include <QFile>
#include <QGuiApplication>
#include <QString>
#include <cstdio>

#include "paint_kit.h"
#include "scenes.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR [NAME...]\n", argv[0]);
    return 2;
  }
  QGuiApplication app(argc, argv);
  const QString dir = QString::fromLocal8Bit(argv[1]);
  for (const bg::Background& b : bg::allBackgrounds()) {
    if (argc > 2) {
      bool wanted = false;
      for (int i = 2; i < argc; ++i) wanted = wanted || QString::fromLocal8Bit(argv[i]) == QLatin1String(b.name);
      if (!wanted) continue;
    }
    const QByteArray jpeg = bg::baselineJpeg(bg::paint(b));
    const QString path = dir + QLatin1Char('/') + QLatin1String(b.name) + QLatin1String(".jpg");
    QFile file(path);
    if (jpeg.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size()) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return 1;
    }
    std::printf("%-7s %dx%d\n", b.name, b.width, b.height);
  }
  return 0;
}
