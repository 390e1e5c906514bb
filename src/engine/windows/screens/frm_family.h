// frmFamily: marry or divorce. The screen holds no rules of its own; both
// actions hand their code to FamilyEvent, which decides what happens. Left
// with "Назад", the screen unloads.
#pragma once

#include "windows/forms/form.h"

namespace kalvitor {

class FrmFamily : public Form {
 public:
  explicit FrmFamily(Game& game);

  void Command1_Click();  // marry
  void Label2_Click();    // divorce
  void Command8_Click();

 protected:
  void FormLoad() override;
};

}  // namespace kalvitor
