// frmHappy: placeholder until the window is built.
#pragma once

#include "forms/form.h"

namespace kalvitor {

class FrmHappy : public Form {
 public:
  explicit FrmHappy(Game& game);
};

}  // namespace kalvitor
