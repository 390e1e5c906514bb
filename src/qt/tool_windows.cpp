#include "tool_windows.h"

#include <QShortcut>
#include <QTimer>

#include "window_room.h"

namespace kalvitor::qt {

ToolWindows::ToolWindows(Game& game, QStringList moduleFolders, QObject* parent)
    : QObject(parent), game_(game), statsSource_(game), statsModule_(std::move(moduleFolders)) {
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

// Windows of their own, not the main window's: a place on top of the main
// window blocks it and everything that belongs to it, and these must still
// take the player's input then. Esc closes them; the menu's shortcuts reach
// them through the main window's keyboard watch.
template <typename W>
void ToolWindows::Open(QPointer<W>& window, std::function<W*()> make, QWidget* owner) {
  if (!window) {
    window = make();
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    connect(esc, &QShortcut::activated, window, &QWidget::close);
  }
  window->Follow();
  if (!window->isVisible()) PlaceOnScreen(window, window->size(), owner);
  window->show();
  window->raise();
  window->activateWindow();
}

QString ToolWindows::Show(ToolWindow which, QWidget* owner) {
  if (which == ToolWindow::Journal) {
    Open<JournalWindow>(
        journal_, [this] { return new JournalWindow(game_.journal, nullptr); }, owner);
    return {};
  }
  QString why;
  StatsModule* module = statsModule_.Load(why);
  if (module == nullptr) return why;
  Open<StatsView>(
      stats_, [this, module] { return module->MakeWindow(statsSource_, nullptr); }, owner);
  return {};
}

void ToolWindows::LanguageChanged(QWidget* owner) {
  auto again = [this, owner](auto& window, ToolWindow which) {
    if (!window) return;
    const bool shown = window->isVisible();
    const QRect where = window->geometry();
    delete window.data();
    if (!shown) return;
    Show(which, owner);
    if (window) window->setGeometry(where);
  };
  again(journal_, ToolWindow::Journal);
  again(stats_, ToolWindow::Stats);
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
