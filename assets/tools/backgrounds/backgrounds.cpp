#include "scenes.h"

namespace bg {

const std::vector<Background>& allBackgrounds() {
  static const std::vector<Background> all = {
      {"MAIN", 440, 520, paintMain},   {"HARD", 239, 383, paintHard}, {"SOFT", 280, 280, paintSoft},
      {"WORK", 387, 282, paintWork},   {"SHOP", 317, 247, paintShop}, {"HOSP", 232, 248, paintHosp},
      {"HAPPY", 228, 247, paintHappy}, {"EDUC", 318, 303, paintEduc}, {"FAMILY", 234, 281, paintFamily},
      {"BANK", 203, 237, paintBank},   {"NET", 311, 335, paintNet},
  };
  return all;
}

QImage paint(const Background& background) {
  QImage img(background.width, background.height, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::black);
  background.paint(img);
  return img.convertToFormat(QImage::Format_RGB32);
}

}  // namespace bg
