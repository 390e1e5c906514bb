#include "window_room.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace kalvitor::qt {

int TitleWidth(const QString& title) {
  // The title bar's icon and its three buttons, with their gaps.
  constexpr int kTitleBarButtons = 100;
  QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
  font.setBold(true);
  return QFontMetrics(font).horizontalAdvance(title) + kTitleBarButtons;
}

void PlaceOnScreen(QWidget* w, QSize wanted, const QWidget* over) {
  QScreen* screen = over != nullptr && over->screen() != nullptr ? over->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    w->resize(wanted);
    return;
  }
  const QRect room = screen->availableGeometry();
  const QSize size(std::min(wanted.width(), room.width() - 2 * kFrameSide),
                   std::min(wanted.height(), room.height() - kFrameRoom));
  w->resize(size.expandedTo(w->minimumSize()));
  const QSize now = w->size();
  QPoint at =
      (over != nullptr ? over->frameGeometry().center() : room.center()) - QPoint(now.width() / 2, now.height() / 2);
  // The frame goes at the place asked for; the window's own area lies under
  // its title bar.
  at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() + 1 - now.width() - 2 * kFrameSide)));
  at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() + 1 - now.height() - kFrameRoom)));
  w->move(at);
}

}  // namespace kalvitor::qt
