// The journal and statistics windows of one game: opened from the menu "Игра"
// (each at most once, brought forward when open again) and told when the
// journal changes. Changes come in bursts (a day's pass writes several
// entries); the windows catch up once the burst is over. The statistics
// window comes from its module, loaded when it first opens (stats_loader.h).
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

#include "journal_window.h"
#include "stats_loader.h"
#include "stats_window.h"
#include "windows/game.h"

namespace kalvitor::qt {

class ToolWindows : public QObject {
  Q_OBJECT
 public:
  // moduleFolders: where the statistics module is looked for, in order.
  ToolWindows(Game& game, QStringList moduleFolders, QObject* parent = nullptr);
  ~ToolWindows() override;
  // owner: the main window, over whose middle a window opens. Returns why
  // the window could not open (the statistics without their module), for
  // the player; empty when it opened.
  QString Show(ToolWindow which, QWidget* owner);
  JournalWindow* journalWindow() const { return journal_.data(); }
  StatsView* statsWindow() const { return stats_.data(); }
  // The windows open are made again in the language now, where they were.
  void LanguageChanged(QWidget* owner);

 private:
  void Changed();
  template <typename W>
  void Open(QPointer<W>& window, std::function<W*()> make, QWidget* owner);
  void CatchUp();

  Game& game_;
  GameStats statsSource_;
  StatsModuleLoader statsModule_;
  QPointer<JournalWindow> journal_;
  QPointer<StatsView> stats_;
  bool pending_ = false;
};

}  // namespace kalvitor::qt
