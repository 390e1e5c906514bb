// frmHospital sells health: seven treatments, each raising health by a fixed
// amount for a fixed price, two of them also changing the mood. The
// treatments are the hospital's rows of the places (life/rules/offers.h); a
// treatment is sold when the money is at least its price.
#pragma once

#include "windows/forms/form.h"

namespace kalvitor {

class FrmHospital : public Form {
 public:
  explicit FrmHospital(Game& game);

  void Command8_Click();

 protected:
  void FormLoad() override;
};

}  // namespace kalvitor
