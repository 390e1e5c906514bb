// frmFamily: placeholder until the window is built.
#pragma once

#include "forms/form.h"

namespace kalvitor {

class FrmFamily : public Form {
 public:
  explicit FrmFamily(Game& game);
};

}  // namespace kalvitor
