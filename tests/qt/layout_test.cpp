// Every window of the game laid out with the widest values its labels can
// hold (32-bit money, 16-bit counters, every job, rank and hardware model):
// no text is cut off and no two controls overlap, except where one is meant
// to lie on the other (a panel or plate and what sits on it, a title and its
// shadow, the pause and cheat overlay over the main window), and every
// picture a window names is in the program; in every language the game
// speaks.
#include <QApplication>
#include <QtTest>
#include <climits>

#include "control_widgets.h"
#include "desk.h"
#include "form_dialog.h"
#include "life/computer/software_catalogue.h"
#include "main_window.h"
#include "qt_port.h"
#include "util/tr.h"
#include "windows/game.h"
#include "windows/shell/frm_main.h"

using namespace kalvitor;
using namespace kalvitor::qt;

namespace {

using kalvitor::qt::testing::Desk;

// Controls meant to lie over others: a container and what sits on it, a
// title and its shadow, the main window's overlay.
bool LiesOver(const Form& form, const Control& a, const Control& b) {
  for (const Control* c : {&a, &b})
    if (c->kind == ControlKind::Panel || c->kind == ControlKind::Shape || c->kind == ControlKind::Image) return true;
  if (a.kind == ControlKind::Label && b.kind == ControlKind::Label && a.props.text == b.props.text) return true;
  return form.Name() == "frmMain" && (!a.design.visible || !b.design.visible);
}

QStringList Problems(QtPort& port, Form& form) {
  QStringList found;
  FormView* view = port.ViewOf(form);
  if (view == nullptr) return {form.Name().c_str() + QStringLiteral(": no view")};
  std::vector<const Control*> shown;
  for (const Control& c : form.Controls()) {
    QWidget* w = view->WidgetOf(c.name, c.index);
    if (w == nullptr || !w->isVisibleTo(view)) continue;
    shown.push_back(&c);
    const QString name = QString::fromStdString(form.Name() + "." + c.FullName());
    if (auto* l = qobject_cast<GameLabel*>(w); l != nullptr && !l->TextFits())
      found << name + QStringLiteral(" cuts off \"") + l->text() + QLatin1Char('"');
    if (auto* p = qobject_cast<PictureWidget*>(w); p != nullptr && !c.props.picture.empty() && !p->ShowsPicture())
      found << name + QStringLiteral(" lacks its picture ") + QString::fromStdString(c.props.picture);
    if (!QRect(QPoint(0, 0), view->size()).contains(w->geometry()))
      found << name + QStringLiteral(" sticks out of the window");
  }
  for (size_t i = 0; i < shown.size(); ++i)
    for (size_t j = i + 1; j < shown.size(); ++j) {
      const Control& a = *shown[i];
      const Control& b = *shown[j];
      if (LiesOver(form, a, b)) continue;
      if (view->WidgetOf(a.name, a.index)->geometry().intersects(view->WidgetOf(b.name, b.index)->geometry()))
        found << QString::fromStdString(form.Name() + ": " + a.FullName() + " overlaps " + b.FullName());
    }
  return found;
}

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

class LayoutTest : public QObject {
  Q_OBJECT
 private slots:
  void WidestValuesFitEveryWindow_data() { Languages(); }
  void WidestValuesFitEveryWindow() {
    QFETCH(QString, language);
    const Speaking speaking(language);
    Desk d(3);
    Game& g = *d.game;
    g.StateForSetUp().PlayerName = std::string(24, 'W');
    FrmMain& m = g.MainForm();
    m.Show();
    QStringList problems;
    auto check = [&](Form& f, const char* when) {
      for (const QString& p : Problems(*d.port, f)) problems << p + QStringLiteral(" (%1)").arg(QLatin1String(when));
    };
    // The main window at both ends of every range it shows.
    for (int32_t money : {INT32_MIN, INT32_MAX}) {
      g.SetMoney(money);
      check(m, "money");
    }
    g.SetMood(SHRT_MAX);
    g.SetSatiety(SHRT_MAX);
    g.SetHealth(SHRT_MAX);
    g.SetEducation(SHRT_MAX);
    g.SetDownloadedMb(SHRT_MIN);
    check(m, "counters");
    g.SetDownloadedMb(SHRT_MAX);
    for (int16_t speed : {15, 30, 60}) {
      g.SetSpeed(speed);
      for (int16_t level : {0, 1, 2}) {
        g.SetDifficulty(level);
        check(m, "speed and level");
      }
    }
    for (int16_t job = 0; job <= 12; ++job) {
      g.SetJob(job);
      check(m, "job");
    }
    for (int16_t rank = 0; rank <= 8; ++rank) {
      g.SetStatus(rank);
      check(m, "rank");
    }
    for (int16_t slot = 0; slot < 9; ++slot)
      for (int16_t model = 0; model <= 20; ++model) {
        g.BuyHardware(slot, model, kFalse);
        check(m, "hardware");
      }
    // Software names are written by the installer, which checks requirements
    // first; here only the names matter.
    for (int16_t slot = 0; slot < 6; ++slot)
      for (int16_t model = 0; model <= 12; ++model) {
        const std::string name = GetSoftwareName(slot, model);
        if (name.empty()) continue;
        m.SoftwareLabel(slot).SetText(name);
        check(m, "software");
      }
    // The overlay: the pause and the cheat box at once.
    m.FormKeyPress("c");
    m.FormKeyPress("p");
    check(m, "pause over the cheat box");
    m.FormKeyPress("p");

    // The bank with the largest sums it can owe and be owed.
    g.StateForSetUp().BankDeposit = INT32_MIN;
    g.StateForSetUp().BankLoan = INT32_MIN;
    // Every other window as it opens.
    for (Form* f : g.AllForms()) {
      if (f == &m || f->Name() == "frmPlayerName") continue;
      f->Show();
      check(*f, "opened");
      f->Unload();
    }
    problems.removeDuplicates();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
  }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
