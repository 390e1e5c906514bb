// The journal and statistics windows over a real game on the driver's port:
// newest first, the filter by kind and the search, following new entries
// (and the journal's limit, and a load that replaces it), the charts' lines
// and death lines, the summary, and one window of each kind.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QTableView>
#include <QtTest>

#include "harness.h"
#include "journal_window.h"
#include "stats_window.h"
#include "tool_windows.h"
#include "util/date.h"

using namespace kalvitor;
using namespace kalvitor::qt;
using kalvitor::testing::Harness;

namespace {

QString Cell(JournalModel* m, int row, int column) { return m->index(row, column).data().toString(); }

}  // namespace

class ToolWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void journalNewestFirstFilteredAndFollowing() {
    Harness h("30.01.2027 23:00:00");
    h.Start();
    h.game.FamilyEvent(8);
    h.game.ApplyCheatCode("qarventos");
    JournalWindow w(h.game.journal, nullptr);
    JournalModel* m = w.model();
    const int all = static_cast<int>(h.game.journal.Entries().size());
    QCOMPARE(m->rowCount(), all);
    QCOMPARE(Cell(m, 0, 2), QStringLiteral("Чит-код: +$100, стало $500"));
    QCOMPARE(Cell(m, 0, 1), QStringLiteral("Деньги"));
    QCOMPARE(Cell(m, 0, 0), QStringLiteral("30.01.2027 23:00"));
    QCOMPARE(Cell(m, all - 1, 1), QStringLiteral("Игра"));

    // By kind, then by a word in any case.
    w.kindBox()->setCurrentIndex(w.kindBox()->findText(QStringLiteral("Семья")));
    QCOMPARE(m->rowCount(), 1);
    QCOMPARE(Cell(m, 0, 2), QStringLiteral("Свадьба"));
    w.kindBox()->setCurrentIndex(0);
    w.searchBox()->setText(QStringLiteral("СВАДЬБ"));
    QCOMPARE(m->rowCount(), 3);  // the wedding's box, the wedding and its fee

    // New entries come in at the top when they pass the filter.
    h.game.ShowMessage("Свадьба соседа");
    h.game.ApplyCheatCode("qarventos");
    w.Follow();
    QCOMPARE(m->rowCount(), 4);
    QCOMPARE(Cell(m, 0, 2), QStringLiteral("Свадьба соседа"));
    w.searchBox()->clear();
    QCOMPARE(m->rowCount(), all + 2);
    QCOMPARE(Cell(m, 0, 1), QStringLiteral("Деньги"));

    // The journal's oldest entries go; so do their rows.
    for (int i = 0; i < static_cast<int>(Journal::kMaxEntries); ++i) h.game.Note(JournalKind::Message, "x");
    w.Follow();
    QCOMPARE(m->rowCount(), static_cast<int>(Journal::kMaxEntries));
    QCOMPARE(Cell(m, m->rowCount() - 1, 2), QStringLiteral("x"));

    // A load replaces the journal: the window starts again from it.
    h.game.journal.ReplaceWith(Journal());
    w.Follow();
    QCOMPARE(m->rowCount(), 0);
    QVERIFY(w.findChild<QLabel*>(QStringLiteral("lblCount"))->text().contains(QStringLiteral("0 из 0")));
  }

  void statsChartsAndSummary() {
    Harness h("01.03.2027 10:00:00");
    h.Start();
    h.game.SetJob(1);
    StatsWindow w(h.game, nullptr);
    QVERIFY(w.findChild<QLabel*>(QStringLiteral("lblEmpty"))->isVisibleTo(&w));
    for (int day = 0; day < 5; ++day) {
      h.Rnd({0.5, 0.0, 0.0});
      h.game.DailyPass();
      h.s().GameDate += 1;
    }
    w.Follow();
    QVERIFY(!w.findChild<QLabel*>(QStringLiteral("lblEmpty"))->isVisibleTo(&w));
    for (const char* name : {"Деньги", "Вклад", "Долг банку", "Здоровье", "Сытость", "Настроение", "Образование",
                             "Статус"}) {
      QLineSeries* s = w.Series(QString::fromUtf8(name));
      QVERIFY2(s != nullptr, name);
      QCOMPARE(s->count(), 5);
    }
    // Money after each day's wage, health after each day's wear.
    QCOMPARE(w.Series(QStringLiteral("Деньги"))->at(4).y(), 500.0);
    QCOMPARE(w.Series(QStringLiteral("Здоровье"))->at(4).y(), 30.0);
    QCOMPARE(w.Series(QStringLiteral("Статус"))->at(0).y(), 1.0);
    const struct {
      const char* name;
      double level;
    } deathLines[] = {{"Смерть: здоровье -50%", -50}, {"Смерть: сытость -20%", -20}, {"Смерть: настроение -100%", -100}};
    for (const auto& d : deathLines) {
      QLineSeries* s = w.Series(QString::fromUtf8(d.name));
      QVERIFY2(s != nullptr, d.name);
      QCOMPARE(s->at(0).y(), d.level);
      QCOMPARE(s->at(1).y(), d.level);
    }
    const QString summary = w.SummaryText();
    QVERIFY2(summary.contains(QStringLiteral("Дней прожито: 5")), qPrintable(summary));
    QVERIFY2(summary.contains(QStringLiteral("Лучшие деньги: $500")), qPrintable(summary));
    QVERIFY2(summary.contains(QStringLiteral("Работ: 1")), qPrintable(summary));
    QVERIFY2(summary.contains(QStringLiteral("смертей: 0, побед: 0")), qPrintable(summary));
  }

  void oneWindowOfEachKindFollowingTheGame() {
    Harness h;
    h.Start();
    ToolWindows tools(h.game);
    tools.Show(ToolWindow::Journal, nullptr);
    JournalWindow* journal = tools.journalWindow();
    QVERIFY(journal != nullptr && journal->isVisible());
    tools.Show(ToolWindow::Journal, nullptr);
    QCOMPARE(tools.journalWindow(), journal);
    tools.Show(ToolWindow::Stats, nullptr);
    QVERIFY(tools.statsWindow() != nullptr && tools.statsWindow()->isVisible());

    const int rows = journal->model()->rowCount();
    h.game.ApplyCheatCode("qarventos");
    h.game.ApplyCheatCode("qarventos");
    QCOMPARE(journal->model()->rowCount(), rows);  // after the burst, not inside it
    QTRY_COMPARE(journal->model()->rowCount(), rows + 2);

    journal->close();  // deleted on close; opened afresh next time
    QTRY_VERIFY(tools.journalWindow() == nullptr);
    tools.Show(ToolWindow::Journal, nullptr);
    QCOMPARE(tools.journalWindow()->model()->rowCount(), rows + 2);
  }
};

QTEST_MAIN(ToolWindowsTest)
#include "tool_windows_test.moc"
