// frmPlayerName, the window every game begins with: the player's name, the
// level of difficulty, or a saved game to load instead.
#pragma once

#include "windows/forms/form.h"

namespace kalvitor {

// The maker's addresses, shown by this dialog and the about box.
extern const char* const kMakerMail;
extern const char* const kMakerMail2;
extern const char* const kMakerWeb;

// The most letters a player's name may have (the name box's limit).
constexpr int kPlayerNameMaxLength = 40;

class FrmPlayerName : public Form {
 public:
  explicit FrmPlayerName(Game& game);
  bool IsDialog() const override { return true; }
  bool OwnedByMain() const override { return false; }

  Control& Text1;
  Control& cboLevel;

  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void lblHyperlink_Click(int index);

  // What the dialog was left with, kept when it closes.
  int ChosenLevel() const { return chosenLevel_; }
  std::string ChosenName() const { return chosenName_; }
  bool LeftByLoading() const { return leftByLoading_; }
  // Left by Отмена over a game in progress, which the player kept.
  bool BackToGame() const { return backToGame_; }
  void ResetAnswer(bool overRunningGame);
  // Over a game in progress the close box is Отмена.
  void CloseBox() override;

 protected:
  void FormLoad() override;
  void FormUnload() override;

 private:
  void Remember();
  // Отмена: the end of the program; over a game in progress, the main
  // window's exit question first.
  void Cancel();
  int chosenLevel_ = 1;
  std::string chosenName_;
  bool leftByLoading_ = false;
  bool overRunningGame_ = false;
  bool backToGame_ = false;
};

}  // namespace kalvitor
