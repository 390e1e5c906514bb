// The yardstick for the idle figure: a window with one label whose text
// changes four times a second, like a clock (or every N ms: label_window N,
// ten times a second for the typed message's yardstick).
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <cstdlib>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLabel label;
  label.resize(440, 60);
  label.show();
  int n = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, &label, [&] { label.setText(QStringLiteral("tick %1").arg(++n)); });
  timer.start(argc > 1 ? std::atoi(argv[1]) : 250);
  return app.exec();
}
