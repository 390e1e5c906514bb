// The statistics window ("Статистика..."): the life's summary (days lived,
// best money, jobs held, children, and the deaths and victories of this run
// of the program) above three charts of the daily samples: money with the
// bank's deposit and loan, the three vitals with their death lines, and
// education with the status rank. It does not stop the clock and follows new
// samples while it is open. It lives in the statistics module
// (stats_module.h) and reads the game only through a StatsSource.
#pragma once

#include <vector>

#include "stats_module.h"
#include "windows/game.h"

class QChart;
class QLabel;
class QLineSeries;
class QValueAxis;
class QDateTimeAxis;

namespace kalvitor::qt {

class StatsWindow : public StatsView {
  Q_OBJECT
 public:
  StatsWindow(const StatsSource& game, QWidget* owner);
  void Follow() override;

  QString SummaryText() const;
  // A text in the player's language, through the game.
  QString Text(const char* russian) const;
  // The chart's series by their names ("Деньги", "Здоровье" ...).
  QLineSeries* Series(const QString& name) const;

 private:
  QChart* MakeChart(const QString& title);
  // What a screen reader hears of each chart: its lines' values on the last day.
  void DescribeLastDay();

  const StatsSource& game_;
  QLabel* summary_;
  QLabel* empty_;
  std::vector<QLineSeries*> series_;
  std::vector<QLineSeries*> deathLines_;
  std::vector<QDateTimeAxis*> dateAxes_;
  std::vector<QValueAxis*> valueAxes_;
  // Each chart's view and its viewport, in the charts' order.
  std::vector<QWidget*> chartViews_;
};

}  // namespace kalvitor::qt
