// The bank's four operations on the money on hand, the deposit and the loan.
#include "life/life.h"
#include "util/int_math.h"

namespace kalvitor {

void Life::BankOperation(int16_t operation, int32_t amount) {
  const int64_t a = amount;
  // Depositing and repaying take the amount out of the player's pocket and
  // need that much money on hand. A negative withdrawal or loan moves money
  // the other way and needs it just the same: the bank's counter never takes
  // more than the player has.
  bool pocketTooThin = false;
  if (operation == 0 || operation == 3) pocketTooThin = s.Money < a;
  if ((operation == 1 || operation == 2) && a < 0) pocketTooThin = s.Money < -a;

  // Every operation moves the amount between the pocket and one of the two
  // balances: money changes by pocket, the balance by account.
  int64_t pocket = 0, account = 0;
  int32_t* balance = nullptr;
  switch (operation) {
    case 0:
      pocket = -a;
      account = a;
      balance = &s.BankDeposit;
      break;
    case 1:
      pocket = a;
      account = -a;
      balance = &s.BankDeposit;
      break;
    case 2:
      pocket = a;
      account = a;
      balance = &s.BankLoan;
      break;
    case 3:
      pocket = -a;
      account = -a;
      balance = &s.BankLoan;
      break;
    default:
      break;
  }

  if (operation == 1 && a > s.BankDeposit) {
    MsgBox("У вас нет в банке таких денег!", "The Bank of New York", MsgIcon::Critical);
  } else if (pocketTooThin) {
    MsgBox("У вас нет таких денег!", "The Bank of New Work", MsgIcon::Critical);
  } else if (balance != nullptr) {
    // Whole or not at all: a sum that would not fit its 32 bits is refused,
    // so every dollar taken from one side arrives on the other.
    const int64_t money = s.Money + pocket, rest = *balance + account;
    if (money != Sat32(money) || rest != Sat32(rest)) {
      MsgBox("Не получилось!", "The Bank of New York", MsgIcon::Critical);
    } else {
      SetMoney(static_cast<int32_t>(money), MoneyCause::Bank);
      *balance = static_cast<int32_t>(rest);
    }
  }
  View().Changed(Fact::BankBalances);
}

}  // namespace kalvitor
