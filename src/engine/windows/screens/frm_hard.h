// frmHard, the hardware upgrade screen: one button per hardware slot, each
// offering the slot's next model at its catalogue price; a click buys it.
// A slot at its top model shows the installed model, disabled. The captions
// are rebuilt on every load and after every click; "Назад" unloads.
#pragma once

#include <vector>

#include "windows/forms/form.h"

namespace kalvitor {

class FrmHard : public Form {
 public:
  explicit FrmHard(Game& game);

  std::vector<Control*> cmdUpggrade;  // 0..8, the hardware slot order

  void cmdUpggrade_Click(int index);
  void Command8_Click();

 protected:
  void FormLoad() override;
};

}  // namespace kalvitor
