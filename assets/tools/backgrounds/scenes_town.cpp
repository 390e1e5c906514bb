#include "scenes.h"
#include <QColor>
namespace bg {
void paintWork(QImage& i){i.fill(QColor(40,40,40));}
void paintShop(QImage& i){i.fill(QColor(40,40,40));}
void paintHosp(QImage& i){i.fill(QColor(40,40,40));}
void paintHappy(QImage& i){i.fill(QColor(40,40,40));}
void paintBank(QImage& i){i.fill(QColor(40,40,40));}
void paintHard(QImage& i){i.fill(QColor(40,40,40));}
void paintSoft(QImage& i){i.fill(QColor(40,40,40));}
void paintNet(QImage& i){i.fill(QColor(40,40,40));}
}
