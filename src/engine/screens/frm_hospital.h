// frmHospital: placeholder until the window is built.
#pragma once

#include "forms/form.h"

namespace kalvitor {

class FrmHospital : public Form {
 public:
  explicit FrmHospital(Game& game);
};

}  // namespace kalvitor
