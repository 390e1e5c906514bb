// frmBank, "The Bank of New York": a deposit at 15% a month, a loan at 10% a
// month. Each of the four actions asks for an amount in an input box and hands
// it to Life::BankOperation, which moves the money and refreshes the two
// balance lines. The interest is added by the monthly pass.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "windows/forms/form.h"

namespace kalvitor {

// The player's answer read as a number of dollars: blanks around it are
// ignored, a fraction (after a point or a comma) is rounded to the nearest
// whole dollar with halves going to the even neighbour. Nothing for an empty
// answer, text that is not a number, or a value outside the 32-bit range.
std::optional<int32_t> ParseBankAmount(const std::string& text);

class FrmBank : public Form {
 public:
  explicit FrmBank(Game& game);

  Control& Label2;  // "Долг банка: $" and the deposit
  Control& Label5;  // "Долг банку: $" and the loan

  // The four actions: 0 deposit (Command1), 1 withdraw (Label7),
  // 2 borrow (Label1), 3 repay (Label6).
  void AskAndOperate(int16_t operation);
  void Command8_Click();
  // Writes both balances as Form_Load does.
  void RefreshBalances();

 protected:
  void FormLoad() override;

 private:
  // Adds every control in the window's order; returns Label2.
  Control& Build();
};

}  // namespace kalvitor
