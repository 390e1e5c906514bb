// The journal and statistics windows of one game: opened from the menu "Игра"
// (each at most once, brought forward when open again) and told when the
// journal changes. Changes come in bursts (a day's pass writes several
// entries); the windows catch up once the burst is over.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

#include "journal_window.h"
#include "stats_window.h"
#include "windows/game.h"

namespace kalvitor::qt {

class ToolWindows : public QObject {
  Q_OBJECT
 public:
  ToolWindows(Game& game, QObject* parent = nullptr);
  ~ToolWindows() override;
  // owner: the main window, over whose middle a window opens.
  void Show(ToolWindow which, QWidget* owner);
  JournalWindow* journalWindow() const { return journal_.data(); }
  StatsWindow* statsWindow() const { return stats_.data(); }

 private:
  void Changed();
  template <typename W>
  void Open(QPointer<W>& window, std::function<W*()> make, QWidget* owner);
  void CatchUp();

  Game& game_;
  QPointer<JournalWindow> journal_;
  QPointer<StatsWindow> stats_;
  bool pending_ = false;
};

}  // namespace kalvitor::qt
