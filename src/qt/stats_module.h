// What the game and the statistics window's module say to each other. The
// window draws its charts with Qt Charts, which the rest of the game does not
// need: it lives in a module of its own (kalvitor-stats), loaded the first
// time the window opens (stats_loader.h), so that the game starts without
// Qt Charts and its OpenGL libraries. The module calls no code of the engine:
// it reads the game only through StatsSource, which the game's side answers.
// The types it reads (StatsSample, LifeSummary) are plain data.
#pragma once

#include <QWidget>
#include <QtPlugin>
#include <deque>
#include <string>

#include "life/journal/journal.h"
#include "life/life.h"

namespace kalvitor::qt {

// The game as the statistics window reads it.
class StatsSource {
 public:
  virtual ~StatsSource() = default;
  virtual Life::LifeSummary Summary() const = 0;
  // The daily samples, oldest first.
  virtual const std::deque<StatsSample>& Samples() const = 0;
  // The game's date (a day serial).
  virtual int32_t Today() const = 0;
  // A rank's name as shown, in the player's language.
  virtual std::string StatusName(int rank) const = 0;
  // A text of the window in the player's language: the module reads no
  // catalogue itself, the game translates for it (Tr).
  virtual std::string Text(const char* russian) const = 0;
};

// The statistics window as the game holds it.
class StatsView : public QWidget {
 public:
  using QWidget::QWidget;
  // The journal or the game has changed.
  virtual void Follow() = 0;
};

// The module's one object.
class StatsModule {
 public:
  virtual ~StatsModule() = default;
  // A window of its own (owner: none, or the window it belongs to) over the
  // game; it reads the source for as long as it lives.
  virtual StatsView* MakeWindow(const StatsSource& source, QWidget* owner) = 0;
};

}  // namespace kalvitor::qt

// The contract's name and version: change the number whenever the classes
// above, or what they carry, change, so that a module of another version is
// refused rather than called.
#define KALVITOR_STATS_MODULE_IID "org.example.kalvitor.StatsModule/1"
Q_DECLARE_INTERFACE(kalvitor::qt::StatsModule, KALVITOR_STATS_MODULE_IID)
