// frmShop, where the player eats: five meals, each raising satiety by a fixed
// amount for a fixed price; two of them spoil the mood. The meals are the
// shop's rows of the places (life/rules/offers.h); a meal is sold when the
// money is at least its price.
#pragma once

#include "windows/forms/form.h"

namespace kalvitor {

class FrmShop : public Form {
 public:
  explicit FrmShop(Game& game);

  void Command8_Click();

 protected:
  void FormLoad() override;
};

}  // namespace kalvitor
