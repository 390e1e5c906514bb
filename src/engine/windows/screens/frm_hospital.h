// frmHospital sells health: seven treatments, each raising health by a fixed
// amount for a fixed price, two of them also changing the mood. A treatment
// is sold when the money is at least its price.
#pragma once

#include <cstdint>
#include <span>

#include "windows/forms/form.h"

namespace kalvitor {

struct Treatment {
  const char* button;  // Command1 .. Command7
  const char* caption;
  int32_t price;
  int16_t health;  // may be 0: the health is still set, and checked
  bool changesMood;
  int16_t mood;
  bool nurseNews;  // the delivery ends with the nurse's congratulation
};

std::span<const Treatment> Treatments();

class FrmHospital : public Form {
 public:
  explicit FrmHospital(Game& game);

  void Buy(const Treatment& treatment);
  void Command8_Click();

 protected:
  void FormLoad() override;
};

}  // namespace kalvitor
