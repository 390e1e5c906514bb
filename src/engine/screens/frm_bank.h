// frmBank: placeholder until the window is built.
#pragma once

#include "forms/form.h"

namespace kalvitor {

class FrmBank : public Form {
 public:
  explicit FrmBank(Game& game);
};

}  // namespace kalvitor
