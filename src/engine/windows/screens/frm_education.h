// frmEducation: enrol in, or drop out of, computer courses (a status rank a
// month for $75) and school (education day by day for $50 a month). The
// screen only turns the two flags over; the progress, the fees and the end of
// each programme come with the passing days and months, which also disable
// the button of a finished programme. The two buttons are the school's rows
// of the places (life/rules/offers.h).
#pragma once

#include "windows/forms/form.h"

namespace kalvitor {

class FrmEducation : public Form {
 public:
  explicit FrmEducation(Game& game);
  Control& coursesButton;  // Command2
  Control& schoolButton;   // Command1

  void Command2_Click();
  void Command1_Click();
  void Command8_Click();

 protected:
  void FormLoad() override;
};

}  // namespace kalvitor
