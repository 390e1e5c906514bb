// frmNetwork: placeholder until the window is built.
#pragma once

#include "forms/form.h"

namespace kalvitor {

class FrmNetwork : public Form {
 public:
  explicit FrmNetwork(Game& game);
};

}  // namespace kalvitor
