// frmHard: placeholder until the window is built.
#pragma once

#include "forms/form.h"

namespace kalvitor {

class FrmHard : public Form {
 public:
  explicit FrmHard(Game& game);
};

}  // namespace kalvitor
