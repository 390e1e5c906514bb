// The bank's four operations on the money on hand, the deposit and the loan.
#include "game.h"
#include "screens/frm_bank.h"
#include "util/int_math.h"

namespace kalvitor {

void Game::BankOperation(int16_t operation, int32_t amount) {
  const int64_t a = amount;
  // Depositing and repaying take the amount out of the player's pocket and
  // need that much money on hand. A negative withdrawal or loan moves money
  // the other way and needs it just the same: the bank's counter never takes
  // more than the player has.
  bool pocketTooThin = false;
  if (operation == 0 || operation == 3) pocketTooThin = s.Money < a;
  if ((operation == 1 || operation == 2) && a < 0) pocketTooThin = s.Money < -a;

  if (operation == 1 && a > s.BankDeposit) {
    MsgBox("У вас нет в банке таких денег!", "The Bank of New York", MsgIcon::Critical);
  } else if (pocketTooThin) {
    MsgBox("У вас нет таких денег!", "The Bank of New Work", MsgIcon::Critical);
  } else {
    switch (operation) {
      case 0:
        SetMoney(Sat32(s.Money - a), MoneyCause::Bank);
        s.BankDeposit = Sat32(s.BankDeposit + a);
        break;
      case 1:
        SetMoney(Sat32(s.Money + a), MoneyCause::Bank);
        s.BankDeposit = Sat32(s.BankDeposit - a);
        break;
      case 2:
        SetMoney(Sat32(s.Money + a), MoneyCause::Bank);
        s.BankLoan = Sat32(s.BankLoan + a);
        break;
      case 3:
        SetMoney(Sat32(s.Money - a), MoneyCause::Bank);
        s.BankLoan = Sat32(s.BankLoan - a);
        break;
      default:
        break;
    }
  }
  BankForm().RefreshBalances();
}

}  // namespace kalvitor
