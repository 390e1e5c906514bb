// frmHappy, the entertainment screen, sells mood: five pastimes, each raising
// the mood by a fixed amount for a fixed price. The pastimes are its rows of
// the places (life/rules/offers.h); unlike the shop and the hospital it sells
// only when the money is more than the price.
#pragma once

#include "windows/forms/form.h"

namespace kalvitor {

class FrmHappy : public Form {
 public:
  explicit FrmHappy(Game& game);

  void Command8_Click();

 protected:
  void FormLoad() override;
};

}  // namespace kalvitor
