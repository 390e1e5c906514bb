// frmVirus: a virus on the player's computer. Let it go and lose 5% of the
// money, or fight it with the antivirus and, with luck, lose nothing (the
// odds and the loss are the life's: Life::LetVirusGo, Life::FightVirus).
#pragma once

#include "windows/forms/form.h"

namespace kalvitor {

class FrmVirus : public Form {
 public:
  explicit FrmVirus(Game& game);
  bool IsDialog() const override { return true; }

  void Command1_Click();  // fight
  void Command2_Click();  // let it go
  // The close box counts as letting the virus go.
  void CloseBox() override { Command2_Click(); }
};

}  // namespace kalvitor
