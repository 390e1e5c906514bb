#include "window_room.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSpacerItem>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace kalvitor::qt {

int TitleWidth(const QString& title) {
  // The title bar's icon and its three buttons, with their gaps (about 96
  // pixels in the usual themes), and room to spare: the title bar's font is
  // the window manager's own, which may be a little wider than the game's.
  constexpr int kTitleBarButtons = 120;
  QFont font = QGuiApplication::font();
  font.setBold(true);
  // The window manager draws the title bar in the screen's own pixels, not
  // scaled as the game's windows are.
  const QScreen* screen = QGuiApplication::primaryScreen();
  const qreal scale = screen != nullptr ? std::max<qreal>(1, screen->devicePixelRatio()) : 1;
  return static_cast<int>((QFontMetrics(font).horizontalAdvance(title) + kTitleBarButtons) / scale);
}

void WidenForTitle(QWidget* box) {
  // The box's layout sets its size, whatever its own minimum says: the room
  // goes into the layout as an empty item of that width; a box that lays
  // itself out only when shown (the input box) gets it through its label.
  const int width = TitleWidth(box->windowTitle());
  if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
  } else if (auto* label = box->findChild<QLabel*>()) {
    label->setMinimumWidth(width - 2 * box->style()->pixelMetric(QStyle::PM_LayoutLeftMargin));
  }
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
