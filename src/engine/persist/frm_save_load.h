// frmSaveLoad: placeholder until the window is built.
#pragma once

#include "forms/form.h"

namespace kalvitor {

class FrmSaveLoad : public Form {
 public:
  explicit FrmSaveLoad(Game& game);
};

}  // namespace kalvitor
