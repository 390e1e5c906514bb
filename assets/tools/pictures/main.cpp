// gen_pictures OUTPUT_DIR: paints the pictures of the small dialogs and saves
// them as baseline JPEG files OUTPUT_DIR/NAME.jpg.
#include <QFile>
#include <QGuiApplication>
#include <QString>
#include <cstdio>

#include "backgrounds/paint_kit.h"
#include "pictures/pictures.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  QGuiApplication app(argc, argv);
  const QString dir = QString::fromLocal8Bit(argv[1]);
  for (const pictures::Picture& picture : pictures::allPictures()) {
    const QByteArray jpeg = bg::baselineJpeg(pictures::paint(picture));
    const QString path = dir + QLatin1Char('/') + QLatin1String(picture.name) + QLatin1String(".jpg");
    QFile file(path);
    if (jpeg.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size()) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return 1;
    }
    std::printf("%-7s %dx%d\n", picture.name, picture.width * pictures::kScale, picture.height * pictures::kScale);
  }
  return 0;
}
