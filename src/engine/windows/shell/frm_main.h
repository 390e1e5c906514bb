// frmMain, the game's one permanent window: every value of the game as a
// label, the menu column that opens the places, the menu bar, the pause and
// the hidden cheat box, and the two timers (the clock and the music).
#pragma once

#include <string>
#include <vector>

#include "life/life_view.h"
#include "windows/forms/form.h"
#include "windows/forms/menu.h"
#include "windows/places.h"

namespace kalvitor {

class FrmMain : public Form {
 public:
  explicit FrmMain(Game& game);

  Control& lblMoney;
  Control& lblHappy;
  Control& lblEat;
  Control& lblHealth;
  Control& lblEducation;
  Control& lblStatus;
  Control& lblfamily;
  Control& lblCurrWork;
  Control& lblGameLevel;
  Control& lblGameSpeed;
  Control& lblTime;
  std::vector<Control*> lblhard;
  Control& lblOs;
  Control& lblAntiv;
  Control& lblProg;
  Control& lblGraphic;
  Control& lblInet;
  Control& lblGames;
  Control& lblOther;
  Control& lblMessage;
  Control& shpMsgShape;
  Control& lblPause;
  Control& lblPauseInstr;
  Control& lblCheatInstr;
  Control& txtCheat;
  Control& cmdCheatOk;
  Control& cmdCheatCancel;
  Control& tmrTime;
  Control& tmrMusic;

  // The label of a software slot (lblOs .. lblGames).
  Control& SoftwareLabel(int slot);
  // Labels the game writes, in the window's order.
  std::vector<Control*> GameLabels();
  // Shows the value the life says has changed (shell/main_labels.cpp).
  void Refresh(Fact what, int slot);
  // The message line types the text letter by letter, keeps it two seconds
  // and clears it; other events run meanwhile.
  void TypeMessage(const std::string& text);

  bool Paused() const { return paused_; }
  // "Пауза при сворачивании": kept as AutoPause in the settings store, off
  // unless it reads "1".
  bool AutoPause() const { return autoPause_; }
  void ReadAutoPause();
  // The window has been minimised (its title bar or "Свернуть игру"): with
  // AutoPause on, the game pauses as P pauses it; only P resumes.
  void WindowMinimized();
  // The game pauses as P pauses it, without the click (nothing was pressed
  // in the game: the first start's tips pause it while the player reads);
  // only P resumes.
  void Pause();
  // A character typed while the window has the focus (UTF-8).
  void FormKeyPress(const std::string& ch);
  // The exit question: Yes saves and ends the program (a save that could
  // not be written keeps it running), No ends it, Cancel goes back to the game.
  void FormUnloadQuestion();
  void CloseBox() override { FormUnloadQuestion(); }

  std::vector<Menu>& Menus() { return menus_; }
  // A menu by its caption, an item of it by its caption, any item by its
  // name; null when there is none.
  Menu* FindMenu(const std::string& caption);
  MenuItem* FindItem(Menu& menu, const std::string& caption);
  MenuItem* FindItemByName(const std::string& name);
  void RefreshSoundMarks();
  // The menus and the labels the game writes follow a change of language.
  void Relabel(const Form& fresh, const std::string& from) override;

  // Opening a place from the menu column or the game menu: the network
  // only with a modem and a browser.
  void Visit(const Place& place);
  void OpenPlace(Form& screen);

 protected:
  void FormLoad() override;

 private:
  void PlacePanels();
  void PlaceMenuColumn();
  void PlaceOverlay();
  // The menu bar (shell/main_menus.cpp).
  void BuildMenus();
  Menu FileMenu();
  Menu GameMenu();
  Menu LevelMenu();
  Menu SpeedMenu();
  Menu SoundMenu();
  Menu LanguageMenu();
  Menu HelpMenu();
  void ToggleAutoPause();
  void ToggleMusic();
  void ToggleEffects();
  void NextTrack();
  void HideCheatBox();
  void SetPaused(bool paused);
  bool paused_ = false;
  bool autoPause_ = false;
  std::vector<Menu> menus_;
};

}  // namespace kalvitor
