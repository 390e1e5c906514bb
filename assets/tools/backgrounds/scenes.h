// The game's background pictures, one painter per window. Each paints the
// whole image it is given; the sizes are the windows' own.
#pragma once

#include <QImage>
#include <vector>

namespace bg {

// A window's background: its name, its size in pixels and its painter.
struct Background {
  const char* name;
  int width;
  int height;
  void (*paint)(QImage& img);
};

const std::vector<Background>& allBackgrounds();
QImage paint(const Background& background);

void paintMain(QImage& img);    // the player's room with the home computer
void paintFamily(QImage& img);  // a wedding and a home
void paintEduc(QImage& img);    // a school classroom

void paintWork(QImage& img);   // the employment office
void paintShop(QImage& img);   // a fast-food counter
void paintHosp(QImage& img);   // a hospital ward
void paintHappy(QImage& img);  // casino and sauna
void paintBank(QImage& img);   // a bank's columns

void paintHard(QImage& img);  // a circuit board
void paintSoft(QImage& img);  // discs and software boxes
void paintNet(QImage& img);   // a globe of wires

}  // namespace bg
