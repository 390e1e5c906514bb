// How long the journal and statistics windows take to open (made, shown and
// painted) over a full journal: 10,000 entries and 10,000 daily samples, the
// entries of an ordinary length and at the longest an entry may be; beside
// the same windows over a game just begun, the yardstick. Also how long the
// journal window takes to filter the full journal by a word. Built on
// demand by bench/journal_windows.sh; medians of five rounds. Apart: the
// first statistics window of the run, which loads the statistics module
// (and Qt Charts with it), beside the later ones over the same game.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "harness.h"
#include "tool_windows.h"

using namespace kalvitor;
using kalvitor::qt::ToolWindows;
using kalvitor::testing::Harness;

namespace {

constexpr int kRounds = 5;

void Settle(QWidget* w) {
  QElapsedTimer waited;
  waited.start();
  while ((w->windowHandle() == nullptr || !w->windowHandle()->isExposed()) && waited.elapsed() < 10000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  QCoreApplication::processEvents();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// A journal of 10,000 entries of `letters` letters each (of every kind, as a
// life brings them) and 10,000 days of samples.
void Fill(Game& game, size_t letters) {
  std::string text;
  while (text.size() < letters * 2) text += "Зарплата: +$120, стало $4500; ";
  text = text.substr(0, letters * 2);  // two bytes a letter
  for (size_t i = 0; i < Journal::kMaxEntries; ++i)
    game.journal.Add({game.s.GameDate + static_cast<int32_t>(i / 3), static_cast<int>(i % 1440),
                      static_cast<JournalKind>(i % kJournalKinds), text});
  for (size_t d = 0; d < Journal::kMaxSamples; ++d) {
    const auto i = static_cast<int32_t>(d);
    game.journal.AddSample({game.s.GameDate + i, 450 + i * 997 % 200000, i * 31, i % 500, static_cast<int16_t>(i % 90),
                            static_cast<int16_t>(i % 70), static_cast<int16_t>(i % 60), static_cast<int16_t>(i % 100),
                            static_cast<int16_t>(1 + i % 8)});
  }
}

struct Figures {
  double journal = 0, stats = 0, filter = 0;
};

// The first statistics window of the run, in ms.
double firstStats = -1;

Figures Measure(const std::function<void(Game&)>& fill) {
  std::vector<double> journal, stats, filter;
  for (int r = 0; r < kRounds; ++r) {
    Harness h;
    h.Start();
    fill(h.game);
    ToolWindows tools(h.game, {QStringLiteral(KALVITOR_TEST_MODULE_DIR)});
    QElapsedTimer t;
    t.start();
    tools.Show(ToolWindow::Journal, nullptr);
    Settle(tools.journalWindow());
    journal.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    t.restart();
    tools.journalWindow()->searchBox()->setText(QStringLiteral("зарплата"));
    QCoreApplication::processEvents();
    filter.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    t.restart();
    tools.Show(ToolWindow::Stats, nullptr);
    Settle(tools.statsWindow());
    stats.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    if (firstStats < 0) firstStats = stats.back();
  }
  return {Median(journal), Median(stats), Median(filter)};
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const Figures base = Measure([](Game&) {});
  std::printf(
      "the first statistics window of the run (its module loaded then) opens in %.0f ms, %.1fx the %.0f ms "
      "of the later ones over a game just begun\n",
      firstStats, firstStats / base.stats, base.stats);
  auto print = [&base](const char* what, const Figures& f) {
    std::printf("%s:\n", what);
    std::printf("  journal window opens in %.0f ms (%.1fx the yardstick's %.0f ms)\n", f.journal,
                f.journal / base.journal, base.journal);
    std::printf("  its search for a word takes %.0f ms (yardstick %.0f ms)\n", f.filter, base.filter);
    std::printf("  statistics window opens in %.0f ms (%.1fx the yardstick's %.0f ms)\n", f.stats, f.stats / base.stats,
                base.stats);
  };
  print("10,000 entries of 40 letters, 10,000 samples", Measure([](Game& g) { Fill(g, 40); }));
  print("10,000 entries of 1,000 letters (2,000 bytes, the longest), 10,000 samples",
        Measure([](Game& g) { Fill(g, Journal::kMaxTextBytes / 2); }));
  return 0;
}
