// The one loop that makes a rule's changes, for the daily events and the
// places alike.
#include "life/rules/changes.h"

#include "life/life.h"
#include "util/int_math.h"

namespace kalvitor {
namespace {

// True becomes False, anything else becomes True.
int16_t TurnOver(int16_t flag) { return flag == kTrue ? kFalse : kTrue; }

}  // namespace

bool Life::MakeChanges(std::span<const Change> changes, const Deal& deal) {
  const Guard game = ThisGame();
  for (const Change& c : changes) {
    Apply(c, deal);
    if (game.Over()) return false;
  }
  return true;
}

// Each value through its own routine; the percentages and the bank's
// balances are added to what they hold.
void Life::Apply(const Change& c, const Deal& deal) {
  const int64_t amount = c.Amount(s.DifficultyCode, deal.price);
  switch (c.kind) {
    case Change::Mood:
      SetMood(Sat16(s.Mood + amount));
      break;
    case Change::Health:
      SetHealth(Sat16(s.Health + amount));
      break;
    case Change::Satiety:
      SetSatiety(Sat16(s.Satiety + amount));
      break;
    case Change::Money:
      SetMoney(Sat32(s.Money + amount), deal.cause, deal.what);
      break;
    case Change::Deposit:
      state_.BankDeposit = Sat32(s.BankDeposit + amount);
      break;
    case Change::Loan:
      state_.BankLoan = Sat32(s.BankLoan + amount);
      break;
    case Change::Hardware:
      BuyHardware(static_cast<int16_t>(deal.slot), deal.model, kFalse);
      break;
    case Change::Software:
      PutSoftware(static_cast<int16_t>(deal.slot), deal.model);
      break;
    case Change::Courses:
      state_.AttendsCourses = TurnOver(s.AttendsCourses);
      break;
    case Change::School:
      state_.AttendsSchool = TurnOver(s.AttendsSchool);
      break;
  }
}

}  // namespace kalvitor
