// frmShop: placeholder until the window is built.
#pragma once

#include "forms/form.h"

namespace kalvitor {

class FrmShop : public Form {
 public:
  explicit FrmShop(Game& game);
};

}  // namespace kalvitor
