// The main window: the view of frmMain as the central widget of a window of
// fixed size, with the menu bar built from the model's menus. It also holds
// the game's keyboard watch: "p" pauses and resumes from any window of the
// game, "c" opens the cheat box from the main window, whichever control has
// the focus; F10 opens the menu bar.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <vector>

#include "form_view.h"
#include "windows/shell/frm_main.h"

class QAction;
class QKeySequence;
class QMenu;

namespace kalvitor::qt {

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  // busy() is true while the game must not be disturbed (an effect is
  // playing); keys typed meanwhile wait for it.
  MainWindow(FrmMain& form, FrontendPort& port, std::function<bool()> busy);
  ~MainWindow() override;

  FormView* view() const { return view_; }
  void SyncAll();
  void SyncForm();
  void RefreshMenus();
  // The menus are made again in the language now (after the item that
  // changed it has returned) and the window fitted to them.
  void LanguageChanged();
  QAction* ActionOf(const std::string& itemName) const;
  // "Советы новичку" (the help menu's item of the desktop game): at the
  // start of the program, unless the player asked not to see them, with the
  // game paused while the player reads.
  void OfferTips();
  void OpenTips(bool atStart);

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildMenus();
  bool Usable(const Menu& menu, const MenuItem& item) const;
  bool RunShortcut(const QKeySequence& pressed);
  void FixSize();
  void KeyTyped(const QString& text);
  // Presses the window's button for the key when it shows and can be used.
  void PressKey(WindowKey key);
  void SetUpCheatBox();

  FrmMain& form_;
  FrontendPort& port_;
  std::function<bool()> busy_;
  FormView* view_;
  std::vector<QMenu*> menus_;
  std::vector<std::vector<QAction*>> actions_;
  QAction* tipsAction_ = nullptr;
  QPointer<QWidget> focusBeforePause_;
  QString echo_;  // the last key counted as it happened, whose copy may follow
};

}  // namespace kalvitor::qt
