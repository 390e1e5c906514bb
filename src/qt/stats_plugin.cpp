// The statistics module's one object, which the game finds by the contract's
// name (stats_module.h) once the module is loaded.
#include <QObject>

#include "stats_module.h"
#include "stats_window.h"

namespace kalvitor::qt {

class StatsPlugin : public QObject, public StatsModule {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID KALVITOR_STATS_MODULE_IID)
  Q_INTERFACES(kalvitor::qt::StatsModule)
 public:
  StatsView* MakeWindow(const StatsSource& source, QWidget* owner) override { return new StatsWindow(source, owner); }
};

}  // namespace kalvitor::qt

#include "stats_plugin.moc"
