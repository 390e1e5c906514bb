// Why the money changed: every call of SetMoney names its cause, and the
// journal writes it beside the amount.
#pragma once

namespace kalvitor {

enum class MoneyCause {
  Wage,
  Purchase,  // hardware bought
  Shop,
  Hospital,
  Entertainment,
  School,  // school and the computer courses
  Bank,
  NetworkBill,
  MonthlyAccounts,  // child support
  Tax,
  Event,  // the day's random events
  Virus,
  Wedding,
  Cheat,
  Load,
  NewGame,
  Other,  // set straight from outside the game (tests, the driver)
};

// "зарплата", "магазин" ...
const char* MoneyCauseName(MoneyCause cause);

}  // namespace kalvitor
