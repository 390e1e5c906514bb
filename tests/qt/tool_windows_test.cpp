// The journal and statistics windows over a real game on the driver's port:
// one window of each kind, newest first, the filter by kind and the search,
// following new entries after each burst of them (and the journal's limit,
// and a load that replaces it), the charts' lines and death lines, and the
// summary of this life and this run.
#include "tool_windows.h"

#include <QChartView>
#include <QComboBox>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QtTest>

#include "harness.h"
#include "journal_window.h"
#include "stats_loader.h"
#include "stats_window.h"

using namespace kalvitor;
using namespace kalvitor::qt;
using kalvitor::testing::Harness;

namespace {

QString Cell(JournalModel* m, int row, int column) { return m->index(row, column).data().toString(); }
// A row's date, kind and text.
QString Row(JournalModel* m, int row) {
  return QStringList{Cell(m, row, 0), Cell(m, row, 1), Cell(m, row, 2)}.join(QLatin1Char('|'));
}

}  // namespace

class ToolWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void journalNewestFirstFilteredAndFollowing() {
    Harness h("30.01.2027 23:00:00");
    h.Start();
    h.game.FamilyEvent(8);
    h.game.ApplyCheatCode("qarventos");
    ToolWindows tools(h.game, {QStringLiteral(KALVITOR_TEST_MODULE_DIR)});
    QCOMPARE(tools.Show(ToolWindow::Journal, nullptr), QString());
    JournalWindow* w = tools.journalWindow();
    QVERIFY(w != nullptr && w->isVisible());
    tools.Show(ToolWindow::Journal, nullptr);
    QCOMPARE(tools.journalWindow(), w);
    // The statistics from their module, as the game opens them.
    QCOMPARE(tools.Show(ToolWindow::Stats, nullptr), QString());
    QVERIFY(tools.statsWindow() != nullptr && tools.statsWindow()->isVisible());
    QCOMPARE(tools.statsWindow()->objectName(), QStringLiteral("statsWindow"));

    JournalModel* m = w->model();
    const int all = static_cast<int>(h.game.journal.Entries().size());
    QCOMPARE(m->rowCount(), all);
    QCOMPARE(Row(m, 0), QStringLiteral("30.01.2027 23:00|Деньги|Чит-код: +$100, стало $500"));
    QCOMPARE(Cell(m, all - 1, 1), QStringLiteral("Игра"));

    // By kind, then by a word in any case.
    w->kindBox()->setCurrentIndex(w->kindBox()->findText(QStringLiteral("Семья")));
    QCOMPARE(m->rowCount(), 1);
    QCOMPARE(Cell(m, 0, 2), QStringLiteral("Свадьба"));
    w->kindBox()->setCurrentIndex(0);
    w->searchBox()->setText(QStringLiteral("СВАДЬБ"));
    QCOMPARE(m->rowCount(), 3);  // the wedding's box, the wedding and its fee

    // New entries come in at the top when they pass the filter, after the
    // burst that brought them, not inside it.
    h.game.ShowMessage("Свадьба соседа");
    h.game.ApplyCheatCode("qarventos");
    QCOMPARE(m->rowCount(), 3);
    QTRY_COMPARE(m->rowCount(), 4);
    QCOMPARE(Cell(m, 0, 2), QStringLiteral("Свадьба соседа"));

    // Closed, the window goes; opened again, it starts afresh.
    w->close();
    QTRY_VERIFY(tools.journalWindow() == nullptr);
    tools.Show(ToolWindow::Journal, nullptr);
    m = tools.journalWindow()->model();
    QCOMPARE(m->rowCount(), all + 2);
    QCOMPARE(Cell(m, 0, 1), QStringLiteral("Деньги"));

    // The journal's oldest entries go; so do their rows.
    for (int i = 0; i < static_cast<int>(Journal::kMaxEntries); ++i) h.game.Note(JournalKind::Message, "x");
    QTRY_COMPARE(m->rowCount(), static_cast<int>(Journal::kMaxEntries));
    QCOMPARE(Cell(m, m->rowCount() - 1, 2), QStringLiteral("x"));

    // A load replaces the journal: the window starts again from it.
    h.game.journal.ReplaceWith(Journal());
    tools.journalWindow()->Follow();
    QCOMPARE(m->rowCount(), 0);
    const QString count = tools.journalWindow()->findChild<QLabel*>(QStringLiteral("lblCount"))->text();
    QVERIFY2(count.contains(QStringLiteral("0 из 0")), qPrintable(count));
  }

  void statsChartsAndSummary() {
    Harness h("01.03.2027 10:00:00");
    h.Start();
    h.game.SetJob(1);
    GameStats source(h.game);
    StatsWindow w(source, nullptr);
    auto* empty = w.findChild<QLabel*>(QStringLiteral("lblEmpty"));
    QVERIFY(empty->isVisibleTo(&w));
    for (int day = 0; day < 5; ++day) {
      h.Rnd({0.5, 0.0, 0.0});
      h.game.DailyPass();
      h.s().GameDate += 1;
    }
    w.Follow();
    QVERIFY(!empty->isVisibleTo(&w));
    // Each line: its points, its first and last value. Money after each
    // day's wage; health, satiety and mood after each day's wear on the
    // normal level; the death lines across the chart where life ends.
    const std::tuple<const char*, int, double, double> lines[] = {
        {"Деньги", 5, 460, 500},
        {"Вклад", 5, 0, 0},
        {"Долг банку", 5, 0, 0},
        {"Здоровье", 5, 38, 30},
        {"Сытость", 5, 70, 50},
        {"Настроение", 5, 23, 15},
        {"Образование", 5, 20, 20},
        {"Статус", 5, 1, 1},
        {"Смерть: здоровье -50%", 2, -50, -50},
        {"Смерть: сытость -20%", 2, -20, -20},
        {"Смерть: настроение -100%", 2, -100, -100},
    };
    for (const auto& [name, points, first, last] : lines) {
      QLineSeries* s = w.Series(QString::fromUtf8(name));
      QVERIFY2(s != nullptr && s->count() == points, name);
      QCOMPARE(s->at(0).y(), first);
      QCOMPARE(s->at(points - 1).y(), last);
    }
    // The summary: this life (the jobs held, not the sack; the best money,
    // not the last), and this run of the game.
    h.game.SetJob(3);
    h.game.SetJob(0);
    h.game.SetMoney(10);
    h.s().Daughters = 2;
    h.s().Sons = 1;
    QCOMPARE(w.SummaryText(), QStringLiteral("Дней прожито: 5     Лучшие деньги: $500     Работ: 2     Детей: 3\n"
                                             "За этот запуск игры — смертей: 0, побед: 0"));
    // A death: the run's count goes on, the life's record starts again (the
    // family stays with the next game).
    h.QueuePlayer("Петя");
    h.game.SetHealth(-50);
    QCOMPARE(w.SummaryText(), QStringLiteral("Дней прожито: 0     Лучшие деньги: $450     Работ: 0     Детей: 3\n"
                                             "За этот запуск игры — смертей: 1, побед: 0"));
  }

  void statsMoneyAxisReachesADepositAtTheLimit() {
    // The bank keeps up to $2147483647: the money axis, read top to bottom,
    // must fall from at least that, as numbers do.
    Harness h("01.03.2027 10:00:00");
    h.Start();
    for (int day = 0; day < 3; ++day)
      h.game.journal.AddSample({h.s().GameDate + day, 450, 2147483647 - 2 + day, 0, 40, 75, 25, 20, 1});
    GameStats source(h.game);
    StatsWindow w(source, nullptr);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    std::vector<std::pair<double, qlonglong>> labels;  // the height on the screen, the number
    for (QGraphicsItem* item : w.findChild<QChartView*>(QStringLiteral("chart0"))->scene()->items()) {
      auto* text = dynamic_cast<QGraphicsTextItem*>(item);
      bool number = false;
      const qlonglong v = text != nullptr && text->isVisible() ? text->toPlainText().toLongLong(&number) : 0;
      if (number) labels.emplace_back(text->sceneBoundingRect().center().y(), v);
    }
    std::sort(labels.begin(), labels.end());
    QVERIFY(labels.size() >= 3);
    QVERIFY2(labels.front().second >= 2147483647, qPrintable(QString::number(labels.front().second)));
    for (size_t i = 1; i < labels.size(); ++i) QVERIFY(labels[i].second < labels[i - 1].second);
  }
};

QTEST_MAIN(ToolWindowsTest)
#include "tool_windows_test.moc"
