// Every window of the game as a screen reader finds it, through the same
// accessible interfaces the AT-SPI bridge asks (the windows a short life does
// not reach included: the network screen, the virus): whatever can take the
// keyboard or be pressed has a role and a name, pictures and shapes are not
// there, a value is named by its caption, a clickable label is a button that
// can be pressed; in every language the game speaks. (The bus itself:
// tests/system/accessibility_test.sh.)
#include <QAccessible>
#include <QApplication>
#include <QtTest>

#include "control_widgets.h"
#include "desk.h"
#include "form_dialog.h"
#include "life/computer/hardware_catalogue.h"
#include "main_window.h"
#include "qt_port.h"
#include "tool_windows.h"
#include "util/tr.h"
#include "windows/game.h"
#include "windows/screens/frm_work.h"
#include "windows/shell/frm_main.h"

using namespace kalvitor;
using namespace kalvitor::qt;

namespace {

using kalvitor::qt::testing::Desk;

void Walk(QAccessibleInterface* iface, const QString& window, QStringList& faults, int depth = 0) {
  if (iface == nullptr || depth > 12) return;
  const QAccessible::State state = iface->state();
  const QString name = iface->text(QAccessible::Name).trimmed();
  const QAccessibleActionInterface* actions = iface->actionInterface();
  const bool pressable =
      actions != nullptr && actions->actionNames().contains(QAccessibleActionInterface::pressAction());
  const QString what = window + QStringLiteral(": ") + (iface->object() ? iface->object()->objectName() : QString());
  if (!state.invisible && (state.focusable || pressable) && name.isEmpty())
    faults << what + QStringLiteral(" has no name");
  if (!state.invisible && iface->role() == QAccessible::Graphic && name.isEmpty())
    faults << what + QStringLiteral(" is a picture without a name");
  if (qobject_cast<PictureWidget*>(iface->object()) || qobject_cast<ShapeWidget*>(iface->object()))
    faults << what + QStringLiteral(" is decoration shown to the reader");
  for (int i = 0; i < iface->childCount(); ++i) Walk(iface->child(i), window, faults, depth + 1);
}

QAccessibleInterface* Of(QWidget* w) { return QAccessible::queryAccessibleInterface(w); }

// The game's language for one run of a test; Russian again after it.
struct Speaking {
  explicit Speaking(const QString& code) { QVERIFY(kalvitor::SetLanguage(code.toStdString())); }
  ~Speaking() { kalvitor::SetLanguage("ru"); }
};

void Languages() {
  QTest::addColumn<QString>("language");
  QTest::newRow("Russian") << QStringLiteral("ru");
  QTest::newRow("English") << QStringLiteral("en");
}

}  // namespace

class ReaderTest : public QObject {
  Q_OBJECT
 private slots:
  void EveryWindowNamesWhatThePlayerUses_data() { Languages(); }
  void EveryWindowNamesWhatThePlayerUses() {
    QFETCH(QString, language);
    const Speaking speaking(language);
    Desk d(3);
    Game& g = *d.game;
    FrmMain& m = g.MainForm();
    m.Show();
    QStringList faults;
    Walk(Of(d.main()), QStringLiteral("frmMain"), faults);
    m.FormKeyPress("c");  // the cheat box
    Walk(Of(d.main()), QStringLiteral("frmMain with the cheat box"), faults);
    for (Form* f : g.AllForms()) {
      if (f == &m) continue;
      f->Show();
      if (FormDialog* dialog = d.port->DialogOf(*f)) Walk(Of(dialog), QString::fromStdString(f->Name()), faults);
      f->Unload();
    }
    // The windows that only show the game: the journal and the statistics.
    ToolWindows tools(g, {QStringLiteral(KALVITOR_TEST_MODULE_DIR)});
    tools.Show(ToolWindow::Journal, nullptr);
    QCOMPARE(tools.Show(ToolWindow::Stats, nullptr), QString());
    Walk(Of(tools.journalWindow()), QStringLiteral("journal"), faults);
    Walk(Of(tools.statsWindow()), QStringLiteral("statistics"), faults);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
  }

  void ValuesAreNamedByTheirCaptions() {
    Desk d(3);
    Game& g = *d.game;
    FrmMain& m = g.MainForm();
    m.Show();
    g.SetMoney(-20);
    g.SetHealth(80);
    g.BuyHardware(0, 1, kFalse);
    FormView* view = d.main()->view();
    QStringList names;
    for (QWidget* w : view->ReaderOrder()) names << Of(w)->text(QAccessible::Name);
    QVERIFY2(names.contains(QStringLiteral("Бюджет: $-20")), qPrintable(names.join(QLatin1Char('|'))));
    QVERIFY(names.contains(QStringLiteral("Здоровье: 80%")));
    QVERIFY(names.contains(QStringLiteral("Процессор: ") + QString::fromStdString(GetHardwareName(0, 1))));
    // The captions themselves are said with their values, not again alone.
    QVERIFY(!names.contains(QStringLiteral("Бюджет")));
    QVERIFY(!names.contains(QStringLiteral("Процессор:")));

    // A menu label is a button; pressing it opens its place.
    QAccessibleInterface* work = Of(view->WidgetOf(*m.Find("cmdWork")));
    QCOMPARE(work->role(), QAccessible::Button);
    QCOMPARE(work->text(QAccessible::Name), QStringLiteral("Работа"));
    bool opened = false;
    QTimer::singleShot(0, [&g, &opened] {
      opened = g.Window<FrmWork>().Shown();
      g.Window<FrmWork>().Hide();
    });
    work->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(opened);
  }
};

QTEST_MAIN(ReaderTest)
#include "reader_test.moc"
