// The pictures of the small dialogs, shown in their Image controls: the
// virus of the virus dialog and the maker's logo plate of the about box and
// the name dialog (the logo's words are the windows' own labels, drawn over
// it). Each is painted at kScale times the control's size, so that it stays
// sharp on a screen of double density; the game scales it to the control.
#pragma once

#include <QImage>
#include <vector>

namespace pictures {

constexpr int kScale = 2;

struct Picture {
  const char* name;  // the name the windows ask for
  int width;         // the control's size, in the window's pixels
  int height;
  void (*paint)(QImage& img);  // paints the whole image, kScale times that size
};

const std::vector<Picture>& allPictures();

// The picture painted, at kScale times its control's size.
QImage paint(const Picture& picture);

void paintVirus(QImage& img);  // an evil virus on a dark monitor screen
void paintLogo(QImage& img);   // a night-blue plate with circuit traces

}  // namespace pictures
