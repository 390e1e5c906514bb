#include "tool_windows.h"

#include <QAction>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <algorithm>

namespace kalvitor::qt {

ToolWindows::ToolWindows(Game& game, QObject* parent) : QObject(parent), game_(game) {
  // Either may go first at the end of the program: the game never calls a
  // gone hub, and the hub never touches the game when it goes.
  QPointer<ToolWindows> self(this);
  game_.journal.SetListener([self] {
    if (self) self->Changed();
  });
}

ToolWindows::~ToolWindows() {
  delete journal_.data();
  delete stats_.data();
}

void ToolWindows::ShareShortcuts(QWidget* window, QWidget* owner) {
  // Esc closes the window, as its title bar's close button does.
  auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), window);
  connect(esc, &QShortcut::activated, window, &QWidget::close);
  // The main window's menu shortcuts (Ctrl+J, Ctrl+T) work in these windows
  // too, through the same menu items.
  if (owner == nullptr) return;
  for (QAction* item : owner->findChildren<QAction*>()) {
    if (item->shortcut().isEmpty()) continue;
    auto* key = new QShortcut(item->shortcut(), window);
    QPointer<QAction> guard(item);
    connect(key, &QShortcut::activated, window, [guard] {
      if (guard && guard->isEnabled()) guard->trigger();
    });
  }
}

void ToolWindows::Show(ToolWindow which, QWidget* owner) {
  QWidget* w = nullptr;
  if (which == ToolWindow::Journal) {
    if (!journal_) {
      journal_ = new JournalWindow(game_.journal, owner);
      journal_->setAttribute(Qt::WA_DeleteOnClose);
      ShareShortcuts(journal_, owner);
    }
    journal_->Follow();
    w = journal_;
  } else {
    if (!stats_) {
      stats_ = new StatsWindow(game_, owner);
      stats_->setAttribute(Qt::WA_DeleteOnClose);
      ShareShortcuts(stats_, owner);
    }
    stats_->Follow();
    w = stats_;
  }
  if (!w->isVisible() && owner != nullptr) {
    // Over the middle of the game's window, within the screen.
    if (QScreen* screen = owner->screen()) {
      // No taller or wider than the screen leaves room for (the title bar
      // takes about 30 pixels).
      const QRect room = screen->availableGeometry();
      w->resize(std::min(w->width(), room.width()), std::min(w->height(), room.height() - 30));
    }
    QRect frame(QPoint(0, 0), w->size());
    frame.moveCenter(owner->frameGeometry().center());
    if (QScreen* screen = owner->screen()) {
      const QRect room = screen->availableGeometry();
      frame.moveLeft(std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() - frame.width())));
      frame.moveTop(std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() - frame.height() - 30)));
    }
    w->move(frame.topLeft());
  }
  w->show();
  w->raise();
  w->activateWindow();
}

void ToolWindows::Changed() {
  if (pending_ || (!journal_ && !stats_)) return;
  pending_ = true;
  QTimer::singleShot(0, this, [this] { CatchUp(); });
}

void ToolWindows::CatchUp() {
  pending_ = false;
  if (journal_) journal_->Follow();
  if (stats_) stats_->Follow();
}

}  // namespace kalvitor::qt
