// frmBank, "The Bank of New York": a deposit at 15% a month, a loan at 10% a
// month. Its four actions are the bank's rows of the places
// (life/rules/offers.h): each asks for an amount in an input box and moves
// the money through Life::TakeOffer, which then has the two balance lines
// written again. The interest is added by the monthly pass.
#pragma once

#include "windows/forms/form.h"

namespace kalvitor {

class FrmBank : public Form {
 public:
  explicit FrmBank(Game& game);

  Control& depositLine;  // Label2: "Долг банка: $" and the deposit
  Control& loanLine;     // Label5: "Долг банку: $" and the loan

  void Command8_Click();
  // Writes both balances as Form_Load does.
  void RefreshBalances();
  // The balance lines are put together from pieces: written again.
  void Relabel(const Form& fresh, const std::string& from) override;

 protected:
  void FormLoad() override;

 private:
  // Adds every control in the window's order; returns Label2.
  Control& Build();
};

}  // namespace kalvitor
