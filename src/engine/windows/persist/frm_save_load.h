// frmSaveLoad, the one place where the player names a saved game: a list of
// the games in the Save folder and a box for the name. It serves loading and
// saving alike; GameWindows::AskSaveLoadFileName sets it up, shows it and returns the
// chosen name. The window never reads or writes a saved game itself.
#pragma once

#include <string>
#include <vector>

#include "windows/forms/form.h"

namespace kalvitor {

// The saved games in `folder`: the regular files whose names end in ".ksv"
// (in any letter case, as the file list's pattern matches) and that the game
// can load (plain names), sorted by name without regard to case. A missing
// folder gives an empty list.
std::vector<std::string> ListSavedGames(const std::string& folder);

// The typed name with ".ksv" added, unless its last four characters are
// exactly ".ksv" (lower case).
std::string CompleteSaveName(const std::string& text);

class FrmSaveLoad : public Form {
 public:
  explicit FrmSaveLoad(Game& game);
  bool IsDialog() const override { return true; }

  Control& lstFilenames;
  Control& txtFilename;
  Control& cmdOk;
  Control& cmdCancel;
  Control& savedGamesList;  // filFile, the file list of Save\*.ksv; never drawn

  void lstFilenames_Click();
  void cmdOk_Click();
  void cmdCancel_Click();
  // The close box runs neither handler: the name stays empty, as after Отмена.

 protected:
  void FormLoad() override;

 private:
  // Adds every control in the window's order; returns lstFilenames.
  Control& Build();
};

}  // namespace kalvitor
