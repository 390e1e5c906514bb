#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

namespace kalvitor::qt {

MainWindow::MainWindow(FrmMain& form, FrontendPort& port, std::function<bool()> busy)
    : QMainWindow(nullptr), form_(form), port_(port), busy_(std::move(busy)) {
  setObjectName(QStringLiteral("frmMainWindow"));
  view_ = new FormView(form, port, this);
  setCentralWidget(view_);
  BuildMenus();
  // "Свернуть игру" minimises the window once the model has had the click.
  if (QPushButton* b = view_->ButtonOf("Command1"))
    connect(b, &QPushButton::clicked, this, [this] { port_.MinimizeMainWindow(); });
  SyncForm();
  FixSize();
  qApp->installEventFilter(this);
}

MainWindow::~MainWindow() { qApp->removeEventFilter(this); }

void MainWindow::FixSize() {
  // The window keeps one size: the client area of the model plus the menu bar.
  const QSize client(form_.Width(), form_.Height());
  int menuHeight = menuBar()->heightForWidth(client.width());
  if (menuHeight <= 0) menuHeight = menuBar()->sizeHint().height();
  setFixedSize(client.width(), client.height() + menuHeight);
}

void MainWindow::BuildMenus() {
  std::vector<Menu>& menus = form_.Menus();
  for (size_t m = 0; m < menus.size(); ++m) {
    QMenu* menu = menuBar()->addMenu(QString::fromStdString(menus[m].caption));
    menu->setObjectName(QString::fromStdString(menus[m].name));
    menus_.push_back(menu);
    actions_.emplace_back();
    connect(menu, &QMenu::aboutToShow, this, [this, m] {
      // The menu's own click: the sound menu reads the switches again.
      std::function<void()> open = form_.Menus()[m].onOpen;
      if (open) open();
      RefreshMenus();
    });
    for (size_t i = 0; i < menus[m].items.size(); ++i) {
      const MenuItem& item = menus[m].items[i];
      if (item.separatorBefore) menu->addSeparator();
      QAction* a = menu->addAction(QString::fromStdString(item.caption));
      a->setObjectName(QString::fromStdString(item.name));
      if (!item.shortcut.empty()) a->setShortcut(QKeySequence(QString::fromStdString(item.shortcut)));
      connect(a, &QAction::triggered, this, [this, m, i] {
        std::function<void()> action = form_.Menus()[m].items[i].action;
        if (action) action();
        RefreshMenus();
      });
      actions_[m].push_back(a);
    }
  }
  RefreshMenus();
}

void MainWindow::RefreshMenus() {
  std::vector<Menu>& menus = form_.Menus();
  for (size_t m = 0; m < menus.size() && m < menus_.size(); ++m) {
    menus_[m]->menuAction()->setEnabled(menus[m].enabled);
    for (size_t i = 0; i < menus[m].items.size() && i < actions_[m].size(); ++i) {
      const MenuItem& item = menus[m].items[i];
      QAction* a = actions_[m][i];
      a->setEnabled(item.enabled && menus[m].enabled);
      // An item shows a check mark only while it is checked, like any other
      // item otherwise.
      a->setCheckable(item.checked);
      a->setChecked(item.checked);
    }
  }
}

QAction* MainWindow::ActionOf(const std::string& itemName) const {
  const QString name = QString::fromStdString(itemName);
  for (const auto& row : actions_)
    for (QAction* a : row)
      if (a->objectName() == name) return a;
  return nullptr;
}

void MainWindow::SyncAll() {
  view_->SyncAll();
  SyncForm();
}

void MainWindow::SyncForm() {
  view_->SyncForm();
  const QString title = QString::fromStdString(form_.Caption());
  if (windowTitle() != title) setWindowTitle(title);
  const bool enabled = form_.Enabled();
  if (view_->isEnabled() != enabled) {
    // The pause: nothing can be clicked, but the window keeps the keyboard
    // so that P still reaches it.
    if (!enabled) {
      QWidget* focus = QApplication::focusWidget();
      focusBeforePause_ = (focus != nullptr && focus->window() == this) ? focus : nullptr;
    }
    view_->setEnabled(enabled);
    menuBar()->setEnabled(enabled);
    if (enabled && focusBeforePause_) focusBeforePause_->setFocus();
  }
  RefreshMenus();
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // Minimised by its title bar or by "Свернуть игру": the game may pause.
  if (event->type() == QEvent::WindowStateChange && isMinimized()) form_.WindowMinimized();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The model asks whether to save and ends the program itself.
  event->ignore();
  form_.CloseBox();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  auto* w = static_cast<QWidget*>(watched);
  if (w->window() != this) return false;
  if (event == lastKey_ && lastKeyReceiver_ && w->isAncestorOf(lastKeyReceiver_)) {
    lastKeyReceiver_ = w;  // the same press handed on to a parent
    return false;
  }
  lastKey_ = event;
  lastKeyReceiver_ = w;
  const QString text = static_cast<QKeyEvent*>(event)->text();
  // Only the lower-case letters count; the character still goes on to the
  // control that has the focus, and the window acts on it right after.
  if (text == QLatin1String("p") || text == QLatin1String("c") || text == QStringLiteral("з") ||
      text == QStringLiteral("с"))
    QTimer::singleShot(0, this, [this, text] { KeyTyped(text); });
  return false;
}

void MainWindow::KeyTyped(const QString& text) {
  if (busy_ && busy_()) {
    QTimer::singleShot(20, this, [this, text] { KeyTyped(text); });
    return;
  }
  form_.FormKeyPress(text.toStdString());
}

}  // namespace kalvitor::qt
