// frmShop, where the player eats: five meals, each raising satiety by a fixed
// amount for a fixed price; two of them spoil the mood. A meal is sold when
// the money is at least its price.
#pragma once

#include <cstdint>
#include <span>

#include "windows/forms/form.h"

namespace kalvitor {

struct Meal {
  const char* button;  // Command1 .. Command5
  const char* caption;
  int32_t price;
  int16_t satiety;
  int16_t mood;              // 0: the meal leaves the mood alone
  bool clickAfterMoneyTest;  // the Happy Meal only clicks once it is paid for
};

std::span<const Meal> Meals();

class FrmShop : public Form {
 public:
  explicit FrmShop(Game& game);

  void Buy(const Meal& meal);
  void Command8_Click();

 protected:
  void FormLoad() override;
};

}  // namespace kalvitor
