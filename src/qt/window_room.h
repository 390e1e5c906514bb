// Room on the screen for the game's free windows (the help texts, the
// journal, the statistics, the tips): each is sized to what it wants, but no
// larger than the screen leaves room for, title bar included, and stands
// wholly on the screen.
#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace kalvitor::qt {

// The title bar and frame the window manager adds: unknown before a window
// is first shown; room enough for the usual ones.
constexpr int kFrameRoom = 32;
// The frame's border on either side.
constexpr int kFrameSide = 4;

// Sizes `w` to `wanted` within the screen's room and puts it over the middle
// of `over` (of the screen without one).
void PlaceOnScreen(QWidget* w, QSize wanted, const QWidget* over);

// How wide a window must be for the window manager to show its whole title:
// the title in the game's font in bold, and the title bar's icon and
// buttons, in the screen's own pixels.
int TitleWidth(const QString& title);
// A box laid out to its contents (a message box, an input box) made at
// least as wide as its title needs.
void WidenForTitle(QWidget* box);

}  // namespace kalvitor::qt
