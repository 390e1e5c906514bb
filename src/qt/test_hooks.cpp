#include "test_hooks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSaveFile>
#include <QToolTip>
#include <QWidget>
#include <sstream>

#include "control_widgets.h"
#include "dump_request.h"
#include "form_view.h"
#include "life/state_fields.h"
#include "qt_port.h"
#include "util/text.h"
#include "windows/game.h"
#include "windows/shell/frm_main.h"

namespace kalvitor::qt {
namespace {

QString NameOf(const QObject* o) { return o == nullptr ? QStringLiteral("-") : o->objectName(); }

std::string Dump(Game& game, QtPort& port) {
  std::ostringstream out;
  out << StateDump(game.s);
  FrmMain& m = game.MainForm();
  for (Control* c : m.GameLabels()) out << "LABEL frmMain." << c->FullName() << " " << Quoted(c->Text()) << "\n";
  out << "CAPTION frmMain " << Quoted(m.Caption()) << "\n";
  out << "PAUSED " << (m.Paused() ? 1 : 0) << "\n";
  out << "FORCED_LEFT " << game.rnd.ForcedLeft() << "\n";
  for (Form* f : game.AllForms())
    out << "FORM " << f->Name() << " loaded=" << (f->Loaded() ? 1 : 0) << " shown=" << (f->Shown() ? 1 : 0) << "\n";
  out << "ACTIVE " << NameOf(QApplication::activeWindow()).toStdString() << "\n";
  out << "FOCUS " << NameOf(QApplication::focusWidget()).toStdString() << "\n";
  out << "MODAL " << NameOf(QApplication::activeModalWidget()).toStdString() << "\n";
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (!w->isVisible()) continue;
    const QRect g = w->geometry();  // the client area, without the frame
    out << "WINDOW " << NameOf(w).toStdString() << " " << Quoted(w->windowTitle().toStdString()) << " " << g.x() << " "
        << g.y() << " " << g.width() << " " << g.height() << "\n";
    // Where each control of the window is on the screen, for clicks.
    for (FormView* v : w->findChildren<FormView*>())
      for (QWidget* c : v->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!c->isVisible() || c->objectName().isEmpty()) continue;
        const QPoint at = c->mapToGlobal(QPoint(0, 0));
        out << "CONTROL " << NameOf(w).toStdString() << "." << NameOf(c).toStdString() << " " << at.x() << " " << at.y()
            << " " << c->width() << " " << c->height() << "\n";
      }
    // Every button of the window by its caption (the message boxes' too).
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
      if (!b->isVisible() || b->text().isEmpty()) continue;
      const QPoint at = b->mapToGlobal(QPoint(0, 0));
      out << "BUTTON " << NameOf(w).toStdString() << " " << Quoted(b->text().remove(QLatin1Char('&')).toStdString())
          << " " << at.x() << " " << at.y() << " " << b->width() << " " << b->height() << "\n";
    }
    // The menu bar's menus and the items of an open menu, by their captions.
    auto items = [&out](QWidget* bar, const QList<QAction*>& actions, auto geometryOf) {
      for (QAction* a : actions) {
        if (a->isSeparator() || !a->isVisible()) continue;
        const QRect r = geometryOf(a);
        if (r.isEmpty()) continue;
        const QPoint at = bar->mapToGlobal(r.topLeft());
        out << "MENUITEM " << Quoted(a->text().remove(QLatin1Char('&')).toStdString()) << " " << at.x() << " " << at.y()
            << " " << r.width() << " " << r.height() << " enabled=" << (a->isEnabled() ? 1 : 0) << "\n";
      }
    };
    if (auto* menu = qobject_cast<QMenu*>(w))
      items(menu, menu->actions(), [menu](QAction* a) { return menu->actionGeometry(a); });
    for (QMenuBar* bar : w->findChildren<QMenuBar*>())
      items(bar, bar->actions(), [bar](QAction* a) { return bar->actionGeometry(a); });
    // Every text of the window that its box cuts off.
    for (GameLabel* l : w->findChildren<GameLabel*>())
      if (l->isVisible() && !l->TextFits())
        out << "CLIPPED " << NameOf(w).toStdString() << "." << NameOf(l).toStdString() << "\n";
  }
  // What the pointer is over: the control, its cursor, whether a clickable
  // label shows it is under the pointer; and the tip shown, if any.
  if (QWidget* under = QApplication::widgetAt(QCursor::pos())) {
    auto* click = qobject_cast<ClickLabel*>(under);
    out << "HOVER " << NameOf(under->window()).toStdString() << "." << NameOf(under).toStdString()
        << " cursor=" << (under->cursor().shape() == Qt::PointingHandCursor ? "hand" : "arrow")
        << " highlight=" << (click != nullptr && click->Highlighted() ? 1 : 0) << "\n";
  }
  if (QToolTip::isVisible()) out << "TOOLTIP " << Quoted(QToolTip::text().toStdString()) << "\n";
  if (FormView* v = port.ViewOf(m)) {
    if (auto* l = qobject_cast<GameLabel*>(v->WidgetOf(m.lblMessage)))
      out << "MESSAGE " << Quoted(l->ShownText().toStdString()) << " pt=" << l->font().pointSizeF()
          << " fits=" << (l->TextFits() ? 1 : 0) << "\n";
  }
  return out.str();
}

}  // namespace

std::optional<uint64_t> TestSeed() {
  bool ok = false;
  const qulonglong seed = qEnvironmentVariable("KALVITOR_TEST_SEED").toULongLong(&ok);
  if (!ok) return std::nullopt;
  return static_cast<uint64_t>(seed);
}

void SetUpTestHooks(Game& game, QtPort& port) {
  for (const QString& v : qEnvironmentVariable("KALVITOR_TEST_RND").split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (ok && d >= 0 && d < 1) game.rnd.Force(d);
  }
  const QString path = qEnvironmentVariable("KALVITOR_TEST_DUMP");
  if (path.isEmpty()) return;
  auto write = [path](const std::string& text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(text.data(), static_cast<qint64>(text.size()));
    file.commit();
  };
  if (!WatchDumpRequests(&port, [&game, &port, write] { write(Dump(game, port)); })) return;
  // The tests wait for this line before they ask for anything.
  write("READY\n");
}

}  // namespace kalvitor::qt
