// frmHappy, the entertainment screen, sells mood: five pastimes, each raising
// the mood by a fixed amount for a fixed price. Unlike the shop and the
// hospital it sells only when the money is more than the price.
#pragma once

#include <cstdint>
#include <span>

#include "windows/forms/form.h"

namespace kalvitor {

struct Pastime {
  const char* button;  // Command1 .. Command5
  const char* caption;
  int32_t price;
  int16_t mood;
};

std::span<const Pastime> Pastimes();

class FrmHappy : public Form {
 public:
  explicit FrmHappy(Game& game);

  void Buy(const Pastime& pastime);
  void Command8_Click();

 protected:
  void FormLoad() override;
};

}  // namespace kalvitor
