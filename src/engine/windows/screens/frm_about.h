// frmAbout, the about box: the game's name and version, the credits, and
// links to the maker's web site and mail addresses. Each link label carries
// its full target in its tag. "OK" unloads the box.
#pragma once

#include "windows/forms/form.h"

namespace kalvitor {

class FrmAbout : public Form {
 public:
  explicit FrmAbout(Game& game);

  void lblHyperlink_Click(int index);
  void Command1_Click();

 protected:
  void FormLoad() override;
};

}  // namespace kalvitor
