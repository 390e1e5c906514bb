// gen_backgrounds OUTPUT_DIR: paints the game's eleven window backgrounds
// and saves them as baseline JPEG files OUTPUT_DIR/NAME.jpg.
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QString>
#include <cstdio>

#include "paint_kit.h"
#include "scenes.h"

namespace {

struct Background {
  const char* name;
  int width;
  int height;
  void (*paint)(QImage&);
};

const Background kBackgrounds[] = {
    {"MAIN", 440, 520, bg::paintMain},   {"HARD", 239, 383, bg::paintHard}, {"SOFT", 280, 280, bg::paintSoft},
    {"WORK", 387, 282, bg::paintWork},   {"SHOP", 317, 247, bg::paintShop}, {"HOSP", 232, 248, bg::paintHosp},
    {"HAPPY", 228, 247, bg::paintHappy}, {"EDUC", 318, 303, bg::paintEduc}, {"FAMILY", 234, 281, bg::paintFamily},
    {"BANK", 203, 237, bg::paintBank},   {"NET", 311, 335, bg::paintNet},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR [NAME...]\n", argv[0]);
    return 2;
  }
  QGuiApplication app(argc, argv);
  const QString dir = QString::fromLocal8Bit(argv[1]);
  for (const Background& b : kBackgrounds) {
    if (argc > 2) {
      bool wanted = false;
      for (int i = 2; i < argc; ++i) wanted = wanted || QString::fromLocal8Bit(argv[i]) == QLatin1String(b.name);
      if (!wanted) continue;
    }
    QImage img(b.width, b.height, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::black);
    b.paint(img);
    const QImage out = img.convertToFormat(QImage::Format_RGB32);
    const QString path = dir + QLatin1Char('/') + QLatin1String(b.name) + QLatin1String(".jpg");
    QImageWriter writer(path, "JPG");
    writer.setQuality(85);
    writer.setProgressiveScanWrite(false);
    writer.setOptimizedWrite(false);
    if (!writer.write(out)) {
      std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
      return 1;
    }
    std::printf("%-7s %dx%d\n", b.name, b.width, b.height);
  }
  return 0;
}
