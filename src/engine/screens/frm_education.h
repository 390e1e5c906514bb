// frmEducation: placeholder until the window is built.
#pragma once

#include "forms/form.h"

namespace kalvitor {

class FrmEducation : public Form {
 public:
  explicit FrmEducation(Game& game);
  Control& Command2;
  Control& Command1;
};

}  // namespace kalvitor
