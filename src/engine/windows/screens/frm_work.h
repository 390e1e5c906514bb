// frmWork, the employment centre: twelve jobs from yard keeper to the boss of
// a hacker firm. The buttons are the centre's offers (life/rules/job_offers.h);
// a click takes the job through Life::ApplyForJob, which grants it when all
// its entry conditions hold and otherwise says what to get.
#pragma once

#include "windows/forms/form.h"

namespace kalvitor {

class FrmWork : public Form {
 public:
  explicit FrmWork(Game& game);

  void cmdWork_Click(int index);
  void Command8_Click();

 protected:
  void FormLoad() override;
};

}  // namespace kalvitor
