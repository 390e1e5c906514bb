// The game's side of the statistics module (stats_module.h): the game as the
// window reads it, and the module found and loaded the first time the window
// is wanted. The game starts without the module and goes on without it when
// it cannot be had; then the player is told why.
#pragma once

#include <QPluginLoader>
#include <QStringList>
#include <memory>

#include "stats_module.h"
#include "util/tr.h"
#include "windows/game.h"

namespace kalvitor::qt {

class GameStats : public StatsSource {
 public:
  explicit GameStats(const Game& game) : game_(game) {}
  Life::LifeSummary Summary() const override { return game_.Summary(); }
  const std::deque<StatsSample>& Samples() const override { return game_.journal.Samples(); }
  int32_t Today() const override { return game_.s.GameDate; }
  std::string StatusName(int rank) const override { return Tr(Game::StatusName(rank)); }
  std::string Text(const char* russian) const override { return Tr(russian); }

 private:
  const Game& game_;
};

class StatsModuleLoader {
 public:
  // The folders the module is looked for in, in order; the first that holds
  // its file is the one loaded.
  explicit StatsModuleLoader(QStringList folders) : folders_(std::move(folders)) {}
  // The module, loaded once and kept for the rest of the run; or nullptr,
  // and `why` says for the player why not (a later call tries again).
  StatsModule* Load(QString& why);

 private:
  QStringList folders_;
  std::unique_ptr<QPluginLoader> loader_;
  StatsModule* module_ = nullptr;
};

}  // namespace kalvitor::qt
