// frmAbout: placeholder until the window is built.
#pragma once

#include "forms/form.h"

namespace kalvitor {

class FrmAbout : public Form {
 public:
  explicit FrmAbout(Game& game);
};

}  // namespace kalvitor
