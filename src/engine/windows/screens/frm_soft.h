// frmSoft, the software screen: one button per software slot naming the
// slot's next model; a click tries to install it for free, and the install
// may be refused for want of an operating system or hardware. A slot at its
// top model shows the installed one, disabled. The captions are rebuilt when
// the screen loads and after every install click; "Назад" hides the screen.
#pragma once

#include <vector>

#include "windows/forms/form.h"

namespace kalvitor {

class FrmSoft : public Form {
 public:
  explicit FrmSoft(Game& game);

  std::vector<Control*> cmdUpgrade;  // 0..5, the software slot order

  void cmdUpgrade_Click(int index);
  void Command8_Click();

 protected:
  void FormLoad() override;
  // A loaded game may have changed the slots since the screen was hidden.
  void FormActivate() override;
};

}  // namespace kalvitor
