// frmSoft: placeholder until the window is built.
#pragma once

#include "forms/form.h"

namespace kalvitor {

class FrmSoft : public Form {
 public:
  explicit FrmSoft(Game& game);
};

}  // namespace kalvitor
