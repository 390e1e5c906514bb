// The yardstick for the idle figure: a window with one label whose text
// changes four times a second, like a clock.
#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLabel label;
  label.resize(440, 60);
  label.show();
  int n = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, &label, [&] { label.setText(QStringLiteral("tick %1").arg(++n)); });
  timer.start(250);
  return app.exec();
}
