// frmWork: placeholder until the window is built.
#pragma once

#include "forms/form.h"

namespace kalvitor {

class FrmWork : public Form {
 public:
  explicit FrmWork(Game& game);
};

}  // namespace kalvitor
