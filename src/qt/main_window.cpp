#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "tips_window.h"
#include "util/tr.h"
#include "windows/game.h"

namespace kalvitor::qt {
namespace {

// The caption with its first letter not yet taken by a neighbour marked as
// the Alt key's letter (shown underlined).
QString WithAccelerator(QString caption, std::vector<QChar>& taken) {
  caption.replace(QLatin1Char('&'), QLatin1String("&&"));
  for (int i = 0; i < caption.size(); ++i) {
    const QChar ch = caption[i].toLower();
    if (!ch.isLetter() || std::find(taken.begin(), taken.end(), ch) != taken.end()) continue;
    taken.push_back(ch);
    return caption.left(i) + QLatin1Char('&') + caption.mid(i);
  }
  return caption;
}

bool IsTextBox(const QWidget* w) {
  if (auto* e = qobject_cast<const QLineEdit*>(w)) return !e->isReadOnly();
  if (auto* e = qobject_cast<const QPlainTextEdit*>(w)) return !e->isReadOnly();
  return false;
}

}  // namespace

MainWindow::MainWindow(FrmMain& form, FrontendPort& port, std::function<bool()> busy)
    : QMainWindow(nullptr), form_(form), port_(port), busy_(std::move(busy)) {
  setObjectName(QStringLiteral("frmMainWindow"));
  view_ = new FormView(form, port, this);
  setCentralWidget(view_);
  BuildMenus();
  SetUpCheatBox();
  SyncForm();
  FixSize();
  qApp->installEventFilter(this);
}

void MainWindow::SetUpCheatBox() {
  // Enter in the cheat box presses the window's default button (its OK),
  // Esc its cancel button (Отмена).
  auto* edit = qobject_cast<QLineEdit*>(view_->WidgetOf(form_.txtCheat));
  if (edit == nullptr) return;
  connect(edit, &QLineEdit::returnPressed, this, [this] { PressKey(WindowKey::Enter); });
  edit->installEventFilter(this);
}

MainWindow::~MainWindow() { qApp->removeEventFilter(this); }

void MainWindow::PressKey(WindowKey key) {
  const Control* c = key == WindowKey::Enter ? form_.DefaultButton() : form_.CancelButton();
  if (QPushButton* b = c == nullptr ? nullptr : view_->ButtonOf(*c); b != nullptr && b->isVisible() && b->isEnabled())
    b->click();
}

void MainWindow::FixSize() {
  // The window keeps one size: the client area of the model plus the menu bar.
  const QSize client(form_.Width(), form_.Height());
  int menuHeight = menuBar()->heightForWidth(client.width());
  if (menuHeight <= 0) menuHeight = menuBar()->sizeHint().height();
  setFixedSize(client.width(), client.height() + menuHeight);
}

void MainWindow::BuildMenus() {
  std::vector<Menu>& menus = form_.Menus();
  std::vector<QChar> menuKeys;
  for (size_t m = 0; m < menus.size(); ++m) {
    QMenu* menu = menuBar()->addMenu(WithAccelerator(QString::fromStdString(menus[m].caption), menuKeys));
    menu->setObjectName(QString::fromStdString(menus[m].name));
    menus_.push_back(menu);
    actions_.emplace_back();
    connect(menu, &QMenu::aboutToShow, this, [this, m] {
      // The menu's own click: the sound menu reads the switches again.
      std::function<void()> open = form_.Menus()[m].onOpen;
      if (open) open();
      RefreshMenus();
    });
    std::vector<QChar> itemKeys;
    for (size_t i = 0; i < menus[m].items.size(); ++i) {
      const MenuItem& item = menus[m].items[i];
      if (item.separatorBefore) menu->addSeparator();
      QAction* a = menu->addAction(WithAccelerator(QString::fromStdString(item.caption), itemKeys));
      a->setObjectName(QString::fromStdString(item.name));
      if (!item.shortcut.empty()) {
        // Shown in the menu; the keys themselves are taken by the keyboard
        // watch (RunShortcut), from whichever window of the game is active.
        a->setShortcut(QKeySequence(QString::fromStdString(item.shortcut)));
        a->setShortcutContext(Qt::WidgetShortcut);
      }
      connect(a, &QAction::triggered, this, [this, m, i] {
        std::function<void()> action = form_.Menus()[m].items[i].action;
        if (action) action();
        RefreshMenus();
      });
      actions_[m].push_back(a);
    }
    if (menus[m].help && !actions_[m].empty()) {
      // First in the help menu, apart from the game's own items, which keep
      // their places and their letters.
      tipsAction_ = new QAction(WithAccelerator(QString::fromUtf8(Tr("Советы новичку")), itemKeys), menu);
      menu->insertAction(actions_[m].front(), tipsAction_);
      menu->insertSeparator(actions_[m].front());
      tipsAction_->setObjectName(QStringLiteral("mnuHelpTips"));
      connect(tipsAction_, &QAction::triggered, this, [this] {
        form_.game().PlaySfx("BUTTONS");
        OpenTips(false);
      });
    }
  }
  RefreshMenus();
}

void MainWindow::OfferTips() {
  if (TipsWindow::Wanted(port_)) OpenTips(true);
}

void MainWindow::OpenTips(bool atStart) {
  const QString path = QString::fromStdString(form_.game().TextPath("tips.txt"));
  // The game waits while the player reads the tips it offers itself.
  if (TipsWindow::Open(path, port_, this, atStart) != nullptr && atStart) form_.Pause();
}

void MainWindow::LanguageChanged() {
  QTimer::singleShot(0, this, [this] {
    for (QMenu* menu : menus_) menu->deleteLater();
    menuBar()->clear();
    menus_.clear();
    actions_.clear();
    tipsAction_ = nullptr;
    BuildMenus();
    FixSize();
  });
}

// While the game is paused only the items that just show the game can be
// chosen, and only the menus that hold one open.
bool MainWindow::Usable(const Menu& menu, const MenuItem& item) const {
  return item.enabled && menu.enabled && (form_.Enabled() || item.onlyShows);
}

void MainWindow::RefreshMenus() {
  std::vector<Menu>& menus = form_.Menus();
  for (size_t m = 0; m < menus.size() && m < menus_.size(); ++m) {
    // The tips are help of our own: they change nothing and always open.
    bool any = menus[m].help && tipsAction_ != nullptr;
    for (size_t i = 0; i < menus[m].items.size() && i < actions_[m].size(); ++i)
      any |= Usable(menus[m], menus[m].items[i]);
    menus_[m]->menuAction()->setEnabled(menus[m].enabled && (form_.Enabled() || any));
    for (size_t i = 0; i < menus[m].items.size() && i < actions_[m].size(); ++i) {
      const MenuItem& item = menus[m].items[i];
      QAction* a = actions_[m][i];
      a->setEnabled(Usable(menus[m], item));
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
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  // Esc in the cheat box presses its Отмена.
  if (watched == view_->WidgetOf(form_.txtCheat) && key->key() == Qt::Key_Escape) {
    PressKey(WindowKey::Esc);
    return true;
  }
  // A press reaches the program once, at the window that has the keyboard,
  // before Qt hands it to the control with the focus (and maybe on to its
  // parents): that first delivery is the one that counts.
  if (!watched->isWindowType()) return false;
  if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::NoModifier && QApplication::activeWindow() == this) {
    // The first menu that can be opened (while paused: "Игра").
    for (QMenu* menu : menus_)
      if (menu->menuAction()->isEnabled()) {
        menuBar()->setActiveAction(menu->menuAction());
        break;
      }
    return true;
  }
  if ((key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0 &&
      RunShortcut(QKeySequence(key->keyCombination())))
    return true;
  const QString text = key->text();
  // Only the lower-case letters count; the character still goes on to the
  // control that has the focus, and the game acts on it right after.
  const bool pause = text == QLatin1String("p") || text == QStringLiteral("з");
  const bool cheat = text == QLatin1String("c") || text == QStringLiteral("с");
  if (!pause && !cheat) return false;
  // With a screen reader running, the accessibility bridge holds every key
  // back, asks the reader whether it wants it and then delivers a copy: one
  // press may come here twice, as it happened and as that copy. The copy of
  // a press already counted is not counted again.
  if (!event->spontaneous() && echo_ == text) {
    echo_.clear();
    return false;
  }
  echo_ = event->spontaneous() ? text : QString();
  QWidget* active = QApplication::activeWindow();
  if (active == nullptr) return false;
  if (active != this) {
    // Another window of the game: the pause key works there too, except
    // while the player types into one of its text boxes (a file name, a
    // player name), where a "p" is only a letter.
    if (!pause || IsTextBox(QApplication::focusWidget()) || !form_.Loaded()) return false;
  }
  QTimer::singleShot(0, this, [this, text] { KeyTyped(text); });
  return false;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // While the cheat box is open, Enter and Esc answer it wherever the
  // keyboard is; else Enter presses the button that has the keyboard, as
  // Space does.
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const bool esc = event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier;
  const Control* ok = form_.DefaultButton();
  if ((enter || esc) && ok != nullptr && ok->Usable()) {
    event->accept();
    PressKey(enter ? WindowKey::Enter : WindowKey::Esc);
    return;
  }
  auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
  if (enter && focused != nullptr && focused->window() == this && focused->isEnabled()) {
    event->accept();
    focused->click();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

// A menu item's shortcut, from any window of the game but while a message
// box or a dialog the game waits for has the keyboard: as the item itself.
// An item that only shows the game works behind a place and while paused;
// the others only where the menu bar can be used.
bool MainWindow::RunShortcut(const QKeySequence& pressed) {
  const QWidget* modal = QApplication::activeModalWidget();
  if (modal != nullptr && modal->windowModality() == Qt::ApplicationModal) return false;
  std::vector<Menu>& menus = form_.Menus();
  for (size_t m = 0; m < menus.size() && m < actions_.size(); ++m)
    for (size_t i = 0; i < menus[m].items.size() && i < actions_[m].size(); ++i) {
      const MenuItem& item = menus[m].items[i];
      if (item.shortcut.empty() || QKeySequence(QString::fromStdString(item.shortcut)) != pressed) continue;
      if (!Usable(menus[m], item) || (modal != nullptr && !item.onlyShows)) return false;
      actions_[m][i]->trigger();
      return true;
    }
  return false;
}

void MainWindow::KeyTyped(const QString& text) {
  if (busy_ && busy_()) {
    QTimer::singleShot(20, this, [this, text] { KeyTyped(text); });
    return;
  }
  form_.FormKeyPress(text.toStdString());
  // The cheat box, once open, takes the keyboard.
  if (text == QLatin1String("c") || text == QStringLiteral("с")) {
    QWidget* edit = view_->WidgetOf(form_.txtCheat);
    if (edit != nullptr && edit->isVisible() && edit->isEnabled() && QApplication::activeWindow() == this)
      edit->setFocus();
  }
}

}  // namespace kalvitor::qt
